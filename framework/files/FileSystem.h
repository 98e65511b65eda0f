#pragma once
// The file services' task-level support on the POSIX file system. Each task
// returns an error code: 0 for success, otherwise the errno of the system call
// that failed. Only the sources in framework/files see the system calls.

#include <filesystem>
#include <string>
#include <string_view>

namespace fw::posix {

// Whether there is an entry at `p`; a dangling link is an entry.
bool entryExists(const std::filesystem::path& p);
// Whether `p` is a folder, or a link that leads to one.
bool folderExists(const std::filesystem::path& p);

// Removes the entry at `p` itself, never recursively: a file or a link is
// unlinked (never a link's target), a folder removed only when empty
// (ENOTEMPTY otherwise). An entry that is not there gives 0.
int removeEntry(const std::filesystem::path& p);

// Copies the entry at `source` into the folder `destinationFolder` under its
// own name: files with their bytes, permission bits and times, links as links,
// folders whole. A new entry is built under stagingNameFor(name) and published
// by one rename once everything in it is on disk; a folder of the same name is
// merged into (each file replaced by rename), a same-named file or link
// replaced by rename. A folder meeting a non-folder anywhere in the tree gives
// EEXIST before anything is changed. Copying a folder into itself, or an
// entry onto itself, gives EINVAL.
int copyEntryInto(const std::filesystem::path& source, const std::filesystem::path& destinationFolder);

// The hidden name under which an entry called `name` is built before it is
// renamed into place. Names of this form in a destination are the leftovers of
// an interrupted copy and are removed by the next copy of that entry.
std::string stagingNameFor(std::string_view name);

} // namespace fw::posix

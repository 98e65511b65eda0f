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

// Removes the entry at `below` (relative names) inside the folder `start`
// itself, never recursively: a file or a link is unlinked (never a link's
// target), a folder removed only when empty (ENOTEMPTY otherwise). The entry
// is reached without following a link: a link before its last name gives
// ELOOP and removes nothing. An entry that is not there gives 0; an empty
// `below` removes `start` itself.
int removeEntry(const std::filesystem::path& start, const std::filesystem::path& below);

// Copies the entry at `source` into the folder at `destinationBelow` inside
// `destinationStart` under the source's own name: files with their bytes,
// permission bits and times, special files with their permission bits, links
// inside as links, folders whole. A source that is a link is copied as what
// it leads to; the destination folder is reached without following a link
// (ELOOP). The copy holds an exclusive lock on the destination folder while it
// works in it; another copy into that folder waits for it. A new entry is
// built under stagingNameFor(name) and published by one rename once
// everything in it is on disk; a folder of the same name is merged into (each
// file replaced by rename; the folder keeps its own mode, owner and times), a
// same-named file or link replaced by rename. A folder meeting a non-folder
// anywhere in the tree gives EEXIST before anything is changed. Copying a
// folder into itself, or an entry onto itself, gives EINVAL.
int copyEntryInto(const std::filesystem::path& source, const std::filesystem::path& destinationStart,
                  const std::filesystem::path& destinationBelow);

// The hidden name under which an entry called `name` is built before it is
// renamed into place; it fits the name limit whatever `name` is. Names of this
// form in a destination are the leftovers of an interrupted copy and are
// removed by the next copy of that entry, under the destination's lock.
std::string stagingNameFor(std::string_view name);

// Test-only: looks entries up with a walk of single-name opens, as on a
// kernel without openat2, instead of asking the kernel to refuse links.
void SetWalkWithoutOpenat2ForTesting(bool walk);

} // namespace fw::posix

// Copying an entry, a folder whole, into a destination folder. The
// destination folder is opened once, without following a link on the way,
// and locked, so that another copy into it waits; everything after that works
// relative to open folder descriptors, so that nothing can be redirected
// through a link or a rename of a folder above.
//
// The copy runs in passes: everything is written under hidden staging names,
// each file's write-back started as soon as it is written; then all of it is
// flushed; then each staged entry is renamed into place; then the folders
// whose entries changed are flushed. A failure before the renames leaves the
// destination as it was, and a crash leaves at most staging entries, which
// the next copy of the same entry removes under the lock.

#include "framework/files/FaultPlan.h"
#include "framework/files/FileData.h"
#include "framework/files/FileSystem.h"
#include "framework/files/FlushQueue.h"
#include "framework/files/FolderListing.h"
#include "framework/files/FolderLock.h"
#include "framework/files/LinkFreeWalk.h"
#include "framework/files/RemoveTree.h"
#include "framework/files/SystemCall.h"
#include "framework/files/WorkPump.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One system call of the copy, under the fault plan's count of calls.
#define FW_CALL(expr) ::fw::testing::FaultPlan::call([&]() -> ::fw::posix::Error { return (expr); })

namespace fw::posix {
namespace {

namespace fs = std::filesystem;
using testing::FaultPlan;
using testing::Operation;

std::string joinPath(const std::string& folder, const char* name) {
    std::string path;
    path.reserve(folder.size() + 1 + std::strlen(name));
    path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

// Whether `inner` is `outer` or lies below it, links resolved.
bool liesWithin(const fs::path& inner, const fs::path& outer) {
    std::error_code innerError, outerError;
    const fs::path a = fs::canonical(inner, innerError);
    const fs::path b = fs::canonical(outer, outerError);
    if (innerError || outerError)
        return false;
    return std::mismatch(a.begin(), a.end(), b.begin(), b.end()).second == b.end();
}

// The path that `p` leads to, links resolved, or the errno of the lookup.
Error resolve(const fs::path& p, fs::path& out) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(p.c_str(), nullptr), &std::free);
    if (!resolved)
        return errno;
    out = resolved.get();
    return 0;
}

// Renames an entry into a place that must still be free, so that an entry
// that appeared there meanwhile is never replaced.
Error renameIntoFreePlace(int dir, const char* from, const char* to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(dir, from, dir, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS) // a file system without the flag
        return errno;
#endif
    return check(::renameat2(dir, from, dir, to, 0));
}

Error keepModeAndTimes(int fd, const struct stat& st) {
    FW_TRY(FW_CALL(check(::fchmod(fd, st.st_mode & 07777))));
    const timespec times[2] = {st.st_atim, st.st_mtim};
    return FW_CALL(check(::futimens(fd, times)));
}

// An entry of the source tree: the folder that lists it, its name there, what
// it is, and its path as the caller named it (for the fault plan).
struct Source {
    int folder;
    const char* name;
    const struct stat& st;
    std::string path;
};

class TreeCopy {
public:
    Error run(const fs::path& source, const fs::path& destinationStart, const fs::path& destinationBelow);

private:
    // An entry written under its staging name in folders_[folder], to be
    // renamed to its own name.
    struct Staged {
        std::size_t folder;
        std::string stagingName;
        std::string finalName;
        bool isNew; // nothing of that name was there
    };

    Error writeStaged(const Source& top, const char* name);
    Error stage(const Source& src, std::size_t folder, const char* name, bool isNew);
    Error copyEntry(const Source& src, int destination, const char* name);
    Error copyFolder(const Source& src, int destination, const char* name);
    Error copyFile(const Source& src, int destination, const char* name);
    Error copyLink(const Source& src, int destination, const char* name);
    Error checkConflicts(Fd source, int destination);
    Error merge(Fd source, const std::string& sourcePath, std::size_t into);
    Error publish();
    void abandon() noexcept;
    Error flushFolders();
    int folder(std::size_t index) const noexcept { return folders_[index].get(); }

    FileData data_;
    FlushQueue flush_;
    // The destination folder (first), locked, and every folder merged into below it.
    std::vector<Fd> folders_;
    std::vector<std::size_t> merged_; // indices into folders_, deepest first
    std::vector<Staged> staged_;
    std::size_t published_ = 0;
    bool renamedInDestination_ = false; // the top entry itself is staged, not merged into
    std::optional<Error> plannedOutcome_;
};

Error TreeCopy::run(const fs::path& source, const fs::path& destinationStart,
                    const fs::path& destinationBelow) {
    fs::path src = source;
    if (!src.has_filename() && src.has_relative_path()) // a trailing '/'
        src = src.parent_path();
    const std::string name = src.filename().string();
    if (name.empty() || name == "." || name == "..")
        return EINVAL;

    // A source that is a link is copied as the entry it leads to, under its own name.
    fs::path resolved;
    FW_TRY(FW_CALL(resolve(src, resolved)));
    const std::string resolvedName = resolved.filename().string();
    if (resolvedName.empty())
        return EINVAL; // the root of everything
    Fd sourceFolder, start, destination;
    FW_TRY(FW_CALL(openAt(AT_FDCWD, resolved.parent_path().c_str(), O_RDONLY | O_DIRECTORY, sourceFolder)));
    struct stat st;
    FW_TRY(FW_CALL(statEntryAt(sourceFolder.get(), resolvedName.c_str(), st)));
    FW_TRY(FW_CALL(openAt(AT_FDCWD, destinationStart.c_str(), O_PATH | O_DIRECTORY, start)));
    FW_TRY(FW_CALL(openFolderBelow(start.get(), destinationBelow, O_RDONLY, destination)));
    const fs::path destinationPath = destinationStart / destinationBelow;
    if (isFolder(st) && liesWithin(destinationPath, resolved))
        return EINVAL; // the copy would contain itself
    // From the first look into the destination to the last rename.
    FW_TRY(FW_CALL(lockFolder(destination.get())));
    folders_.push_back(std::move(destination));

    const Source top{sourceFolder.get(), resolvedName.c_str(), st, src.string()};
    Error error = writeStaged(top, name.c_str());
    if (error == 0)
        error = flush_.flushAll();
    if (error == 0)
        error = publish();
    if (error != 0) {
        abandon();
        return error;
    }
    FW_TRY(flushFolders());
    return plannedOutcome_.value_or(0);
}

// Writes everything the copy will put in place, under staging names: nothing
// is visible under a real name yet.
Error TreeCopy::writeStaged(const Source& top, const char* name) {
    struct stat there;
    const Error lookup = FW_CALL(statEntryAt(folder(0), name, there));
    if (lookup == ENOENT) {
        renamedInDestination_ = true;
        return stage(top, 0, name, true);
    }
    FW_TRY(lookup);
    if (there.st_dev == top.st.st_dev && there.st_ino == top.st.st_ino)
        return EINVAL; // onto itself: a merge would list its own staging entries
    if (isFolder(top.st) != isFolder(there))
        return EEXIST;
    if (!isFolder(top.st)) {
        renamedInDestination_ = true;
        return stage(top, 0, name, false);
    }
    Fd from, into;
    FW_TRY(FW_CALL(openFolderAt(top.folder, top.name, from)));
    FW_TRY(FW_CALL(openFolderAt(folder(0), name, into)));
    FW_TRY(checkConflicts(std::move(from), into.get()));
    FW_TRY(FW_CALL(openFolderAt(top.folder, top.name, from)));
    folders_.push_back(std::move(into));
    return merge(std::move(from), top.path, folders_.size() - 1);
}

Error TreeCopy::stage(const Source& src, std::size_t into, const char* name, bool isNew) {
    std::string staging = stagingNameFor(name);
    // Left by an interrupted copy: a live copy's staging cannot be there, since it holds the lock.
    FW_TRY(FW_CALL(removeTreeAt(folder(into), staging.c_str())));
    // Recorded first, so that a copy failing halfway is cleaned up too.
    staged_.push_back({into, staging, name, isNew});
    return copyEntry(src, folder(into), staging.c_str());
}

Error TreeCopy::copyEntry(const Source& src, int destination, const char* name) {
    if (isFolder(src.st))
        return copyFolder(src, destination, name);
    if (!FaultPlan::empty()) {
        if (const std::optional<Error> planned = FaultPlan::find(Operation::CopyFile, src.path)) {
            if (*planned > 0)
                return *planned;
            plannedOutcome_ = *planned;
        }
    }
    if (S_ISREG(src.st.st_mode))
        return copyFile(src, destination, name);
    if (S_ISLNK(src.st.st_mode))
        return copyLink(src, destination, name);
    // Pipes, sockets and devices are made anew; a device needs the right to.
    FW_TRY(FW_CALL(check(::mknodat(destination, name, src.st.st_mode, src.st.st_rdev))));
    // The process's umask took bits away from the mode just given.
    FW_TRY(FW_CALL(check(::fchmodat(destination, name, src.st.st_mode & 07777, 0))));
    const timespec times[2] = {src.st.st_atim, src.st.st_mtim};
    return FW_CALL(check(::utimensat(destination, name, times, AT_SYMLINK_NOFOLLOW)));
}

Error TreeCopy::copyFolder(const Source& src, int destination, const char* name) {
    // Made writable for its owner until its entries are in, whatever its final mode.
    FW_TRY(FW_CALL(check(::mkdirat(destination, name, S_IRWXU))));
    Fd into, from;
    FW_TRY(FW_CALL(openFolderAt(destination, name, into)));
    FW_TRY(FW_CALL(openFolderAt(src.folder, src.name, from)));
    FolderListing listing(std::move(from));
    FW_TRY(FW_CALL(listing.error()));
    while (const char* entry = listing.next()) {
        struct stat st;
        FW_TRY(FW_CALL(statEntryAt(listing.fd(), entry, st)));
        FW_TRY(copyEntry(Source{listing.fd(), entry, st, joinPath(src.path, entry)}, into.get(), entry));
    }
    FW_TRY(listing.error());
    // Last, since every entry made inside changes the folder's time.
    FW_TRY(keepModeAndTimes(into.get(), src.st));
    return flush_.add(std::move(into));
}

Error TreeCopy::copyFile(const Source& src, int destination, const char* name) {
    pumpIfDue();
    Fd from, into;
    FW_TRY(FW_CALL(openAt(src.folder, src.name, O_RDONLY | O_NOFOLLOW, from)));
    FW_TRY(FW_CALL(
        openAt(destination, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, into, S_IRUSR | S_IWUSR)));
    FW_TRY(FW_CALL(data_.copy(from.get(), into.get(), src.st.st_size,
                              FaultPlan::empty() ? fs::path() : fs::path(src.path))));
    FW_TRY(keepModeAndTimes(into.get(), src.st));
    FlushQueue::startWriteBack(into.get());
    return flush_.add(std::move(into));
}

// The target of the link `name` in `dir`; `size` is its length where the file system says so.
Error readLinkAt(int dir, const char* name, off_t size, std::string& target) {
    target.assign(static_cast<std::size_t>(std::max<off_t>(size, 0)) + 1, '\0');
    for (;;) {
        const ssize_t n = ::readlinkat(dir, name, target.data(), target.size());
        if (n < 0)
            return errno;
        if (static_cast<std::size_t>(n) < target.size()) {
            target.resize(static_cast<std::size_t>(n));
            return 0;
        }
        target.resize(target.size() * 2);
    }
}

Error TreeCopy::copyLink(const Source& src, int destination, const char* name) {
    std::string target;
    FW_TRY(FW_CALL(readLinkAt(src.folder, src.name, src.st.st_size, target)));
    FW_TRY(FW_CALL(check(::symlinkat(target.c_str(), destination, name))));
    const timespec times[2] = {src.st.st_atim, src.st.st_mtim};
    return FW_CALL(check(::utimensat(destination, name, times, AT_SYMLINK_NOFOLLOW)));
}

// A folder where the other tree has a non-folder, or the other way round, at
// any depth below the two folders: EEXIST. Changes nothing.
Error TreeCopy::checkConflicts(Fd source, int destination) {
    FolderListing listing(std::move(source));
    FW_TRY(FW_CALL(listing.error()));
    while (const char* name = listing.next()) {
        struct stat there;
        const Error lookup = FW_CALL(statEntryAt(destination, name, there));
        if (lookup == ENOENT)
            continue;
        FW_TRY(lookup);
        struct stat st;
        FW_TRY(FW_CALL(statEntryAt(listing.fd(), name, st)));
        if (isFolder(st) != isFolder(there))
            return EEXIST;
        if (isFolder(st)) {
            Fd from, into;
            FW_TRY(FW_CALL(openFolderAt(listing.fd(), name, from)));
            FW_TRY(FW_CALL(openFolderAt(destination, name, into)));
            FW_TRY(checkConflicts(std::move(from), into.get()));
        }
    }
    return listing.error();
}

// Merges the source folder into folders_[into]: each file staged beside its
// namesake, each folder merged into its namesake. The folder keeps its own
// mode, owner and times; only its entries change.
Error TreeCopy::merge(Fd source, const std::string& sourcePath, std::size_t into) {
    FolderListing listing(std::move(source));
    FW_TRY(FW_CALL(listing.error()));
    while (const char* name = listing.next()) {
        struct stat entry;
        FW_TRY(FW_CALL(statEntryAt(listing.fd(), name, entry)));
        const Source src{listing.fd(), name, entry, joinPath(sourcePath, name)};
        struct stat there;
        const Error lookup = FW_CALL(statEntryAt(folder(into), name, there));
        if (lookup == ENOENT) {
            FW_TRY(stage(src, into, name, true));
            continue;
        }
        FW_TRY(lookup);
        if (isFolder(entry) != isFolder(there))
            return EEXIST; // appeared after the check
        if (!isFolder(entry)) {
            FW_TRY(stage(src, into, name, false));
            continue;
        }
        Fd from, inner;
        FW_TRY(FW_CALL(openFolderAt(listing.fd(), name, from)));
        FW_TRY(FW_CALL(openFolderAt(folder(into), name, inner)));
        folders_.push_back(std::move(inner));
        FW_TRY(merge(std::move(from), src.path, folders_.size() - 1));
    }
    FW_TRY(listing.error());
    merged_.push_back(into);
    return 0;
}

Error TreeCopy::publish() {
    for (; published_ < staged_.size(); ++published_) {
        const Staged& s = staged_[published_];
        const int dir = folder(s.folder);
        const char *from = s.stagingName.c_str(), *to = s.finalName.c_str();
        FW_TRY(FW_CALL(s.isNew ? renameIntoFreePlace(dir, from, to)
                               : check(::renameat2(dir, from, dir, to, 0))));
    }
    return 0;
}

void TreeCopy::abandon() noexcept {
    for (std::size_t i = published_; i < staged_.size(); ++i)
        (void)removeTreeAt(folder(staged_[i].folder), staged_[i].stagingName.c_str());
}

// Flushes the renames: the merged folders, deepest first, then the
// destination when the top entry was renamed into it.
Error TreeCopy::flushFolders() {
    for (const std::size_t index : merged_)
        FW_TRY(FW_CALL(check(::fsync(folder(index)))));
    if (renamedInDestination_)
        FW_TRY(FW_CALL(check(::fsync(folder(0)))));
    return 0;
}

} // namespace

int copyEntryInto(const fs::path& source, const fs::path& destinationStart,
                  const fs::path& destinationBelow) {
    return TreeCopy().run(source, destinationStart, destinationBelow);
}

} // namespace fw::posix

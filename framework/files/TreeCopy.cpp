// Copying an entry, a folder whole, into a destination folder. The copy runs
// in passes: everything is written under hidden staging names, each file's
// write-back started as soon as it is written; then all of it is flushed; then
// each staged entry is renamed into place; then the folders whose entries
// changed are flushed. A failure before the renames leaves the destination as
// it was, and a crash leaves at most staging entries, which the next copy of
// the same entry removes.

#include "framework/files/FaultPlan.h"
#include "framework/files/FileData.h"
#include "framework/files/FileSystem.h"
#include "framework/files/FlushQueue.h"
#include "framework/files/FolderListing.h"
#include "framework/files/RemoveTree.h"
#include "framework/files/SystemCall.h"
#include "framework/files/WorkPump.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

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

// Renames an entry into a place that must still be free, so that an entry
// that appeared there meanwhile is never replaced.
Error renameIntoFreePlace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS) // a file system without the flag
        return errno;
#endif
    return check(::rename(from.c_str(), to.c_str()));
}

Error keepModeAndTimes(int fd, const struct stat& st) {
    FW_TRY(check(::fchmod(fd, st.st_mode & 07777)));
    const timespec times[2] = {st.st_atim, st.st_mtim};
    return check(::futimens(fd, times));
}

// An entry of the source tree: the folder that lists it, and what it is.
struct Source {
    int folder;
    const std::string& folderPath; // for the fault plan and for merged folders
    const char* name;
    const struct stat& st;

    std::string path() const { return joinPath(folderPath, name); }
};

class TreeCopy {
public:
    Error run(const fs::path& source, const fs::path& destinationFolder);

private:
    // An entry written under its staging name, to be renamed to its own name.
    struct Staged {
        std::string folderPath;
        std::string stagingName;
        std::string finalName;
        bool isNew; // nothing of that name was there
    };
    // A destination folder merged into, to get the source folder's mode and
    // times once its entries are all in place.
    struct MergedFolder {
        std::string path;
        struct stat st;
    };

    Error writeStaged(const Source& top, int destination, const std::string& destinationPath);
    Error stage(const Source& src, int destination, const std::string& destinationPath, bool isNew);
    Error copyEntry(const Source& src, int destination, const char* name);
    Error copyFolder(const Source& src, int destination, const char* name);
    Error copyFile(const Source& src, int destination, const char* name);
    Error copyLink(const Source& src, int destination, const char* name);
    Error checkConflicts(Fd source, int destination);
    Error merge(Fd source, const std::string& sourcePath, Fd destination, std::string destinationPath,
                const struct stat& st);
    Error publish();
    void abandon() noexcept;
    Error finishMergedFolders();

    FileData data_;
    FlushQueue flush_;
    std::vector<Staged> staged_;
    std::size_t published_ = 0;
    std::vector<MergedFolder> merged_;
    bool renamedInDestination_ = false; // the top entry itself is staged, not merged into
    std::optional<Error> plannedOutcome_;
};

Error TreeCopy::run(const fs::path& source, const fs::path& destinationFolder) {
    fs::path src = source;
    if (!src.has_filename() && src.has_relative_path()) // a trailing '/'
        src = src.parent_path();
    const std::string name = src.filename().string();
    if (name.empty() || name == "." || name == "..")
        return EINVAL;
    const std::string sourceFolderPath =
        src.has_parent_path() ? src.parent_path().string() : std::string(".");
    const std::string destinationPath = destinationFolder.string();

    Fd sourceFolder, destination;
    FW_TRY(openAt(AT_FDCWD, sourceFolderPath.c_str(), O_RDONLY | O_DIRECTORY, sourceFolder));
    struct stat st;
    FW_TRY(statEntryAt(sourceFolder.get(), name.c_str(), st));
    FW_TRY(openAt(AT_FDCWD, destinationPath.c_str(), O_RDONLY | O_DIRECTORY, destination));
    if (isFolder(st) && liesWithin(destinationFolder, src))
        return EINVAL; // the copy would contain itself

    const Source top{sourceFolder.get(), sourceFolderPath, name.c_str(), st};
    Error error = writeStaged(top, destination.get(), destinationPath);
    if (error == 0)
        error = flush_.flushAll();
    if (error == 0)
        error = publish();
    if (error != 0) {
        abandon();
        return error;
    }
    FW_TRY(finishMergedFolders());
    if (renamedInDestination_)
        FW_TRY(check(::fsync(destination.get())));
    return plannedOutcome_.value_or(0);
}

// Writes everything the copy will put in place, under staging names: nothing
// is visible under a real name yet.
Error TreeCopy::writeStaged(const Source& top, int destination, const std::string& destinationPath) {
    struct stat there;
    const Error lookup = statEntryAt(destination, top.name, there);
    if (lookup == ENOENT) {
        renamedInDestination_ = true;
        return stage(top, destination, destinationPath, true);
    }
    FW_TRY(lookup);
    if (there.st_dev == top.st.st_dev && there.st_ino == top.st.st_ino)
        return EINVAL; // onto itself: a merge would list its own staging entries
    if (isFolder(top.st) != isFolder(there))
        return EEXIST;
    if (!isFolder(top.st)) {
        renamedInDestination_ = true;
        return stage(top, destination, destinationPath, false);
    }
    Fd from, into;
    FW_TRY(openFolderAt(top.folder, top.name, from));
    FW_TRY(openFolderAt(destination, top.name, into));
    FW_TRY(checkConflicts(std::move(from), into.get()));
    FW_TRY(openFolderAt(top.folder, top.name, from));
    return merge(std::move(from), top.path(), std::move(into), joinPath(destinationPath, top.name), top.st);
}

Error TreeCopy::stage(const Source& src, int destination, const std::string& destinationPath, bool isNew) {
    std::string staging = stagingNameFor(src.name);
    FW_TRY(removeTreeAt(destination, staging.c_str())); // left by an interrupted copy
    // Recorded first, so that a copy failing halfway is cleaned up too.
    staged_.push_back({destinationPath, staging, src.name, isNew});
    return copyEntry(src, destination, staging.c_str());
}

Error TreeCopy::copyEntry(const Source& src, int destination, const char* name) {
    if (isFolder(src.st))
        return copyFolder(src, destination, name);
    if (!FaultPlan::empty()) {
        if (const std::optional<Error> planned = FaultPlan::find(Operation::CopyFile, src.path())) {
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
    FW_TRY(check(::mknodat(destination, name, src.st.st_mode, src.st.st_rdev)));
    const timespec times[2] = {src.st.st_atim, src.st.st_mtim};
    return check(::utimensat(destination, name, times, AT_SYMLINK_NOFOLLOW));
}

Error TreeCopy::copyFolder(const Source& src, int destination, const char* name) {
    // Made writable for its owner until its entries are in, whatever its final mode.
    FW_TRY(check(::mkdirat(destination, name, S_IRWXU)));
    Fd into, from;
    FW_TRY(openFolderAt(destination, name, into));
    FW_TRY(openFolderAt(src.folder, src.name, from));
    const std::string path = src.path();
    FolderListing listing(std::move(from));
    FW_TRY(listing.error());
    while (const char* entry = listing.next()) {
        struct stat st;
        FW_TRY(statEntryAt(listing.fd(), entry, st));
        FW_TRY(copyEntry(Source{listing.fd(), path, entry, st}, into.get(), entry));
    }
    FW_TRY(listing.error());
    // Last, since every entry made inside changes the folder's time.
    FW_TRY(keepModeAndTimes(into.get(), src.st));
    return flush_.add(std::move(into));
}

Error TreeCopy::copyFile(const Source& src, int destination, const char* name) {
    pumpIfDue();
    Fd from, into;
    FW_TRY(openAt(src.folder, src.name, O_RDONLY | O_NOFOLLOW, from));
    FW_TRY(openAt(destination, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, into, S_IRUSR | S_IWUSR));
    FW_TRY(data_.copy(from.get(), into.get(), src.st.st_size,
                      FaultPlan::empty() ? fs::path() : fs::path(src.path())));
    FW_TRY(keepModeAndTimes(into.get(), src.st));
    FlushQueue::startWriteBack(into.get());
    return flush_.add(std::move(into));
}

Error TreeCopy::copyLink(const Source& src, int destination, const char* name) {
    // A link's size is the length of its target where the file system says so.
    std::string target(static_cast<std::size_t>(std::max<off_t>(src.st.st_size, 0)) + 1, '\0');
    for (;;) {
        const ssize_t n = ::readlinkat(src.folder, src.name, target.data(), target.size());
        if (n < 0)
            return errno;
        if (static_cast<std::size_t>(n) < target.size()) {
            target.resize(static_cast<std::size_t>(n));
            break;
        }
        target.resize(target.size() * 2);
    }
    FW_TRY(check(::symlinkat(target.c_str(), destination, name)));
    const timespec times[2] = {src.st.st_atim, src.st.st_mtim};
    return check(::utimensat(destination, name, times, AT_SYMLINK_NOFOLLOW));
}

// A folder where the other tree has a non-folder, or the other way round, at
// any depth below the two folders: EEXIST. Changes nothing.
Error TreeCopy::checkConflicts(Fd source, int destination) {
    FolderListing listing(std::move(source));
    FW_TRY(listing.error());
    while (const char* name = listing.next()) {
        struct stat there;
        const Error lookup = statEntryAt(destination, name, there);
        if (lookup == ENOENT)
            continue;
        FW_TRY(lookup);
        struct stat st;
        FW_TRY(statEntryAt(listing.fd(), name, st));
        if (isFolder(st) != isFolder(there))
            return EEXIST;
        if (isFolder(st)) {
            Fd from, into;
            FW_TRY(openFolderAt(listing.fd(), name, from));
            FW_TRY(openFolderAt(destination, name, into));
            FW_TRY(checkConflicts(std::move(from), into.get()));
        }
    }
    return listing.error();
}

Error TreeCopy::merge(Fd source, const std::string& sourcePath, Fd destination, std::string destinationPath,
                      const struct stat& st) {
    FolderListing listing(std::move(source));
    FW_TRY(listing.error());
    while (const char* name = listing.next()) {
        struct stat entry;
        FW_TRY(statEntryAt(listing.fd(), name, entry));
        const Source src{listing.fd(), sourcePath, name, entry};
        struct stat there;
        const Error lookup = statEntryAt(destination.get(), name, there);
        if (lookup == ENOENT) {
            FW_TRY(stage(src, destination.get(), destinationPath, true));
            continue;
        }
        FW_TRY(lookup);
        if (isFolder(entry) != isFolder(there))
            return EEXIST; // appeared after the check
        if (!isFolder(entry)) {
            FW_TRY(stage(src, destination.get(), destinationPath, false));
            continue;
        }
        Fd from, into;
        FW_TRY(openFolderAt(listing.fd(), name, from));
        FW_TRY(openFolderAt(destination.get(), name, into));
        FW_TRY(merge(std::move(from), src.path(), std::move(into), joinPath(destinationPath, name), entry));
    }
    FW_TRY(listing.error());
    merged_.push_back({std::move(destinationPath), st});
    return 0;
}

Error TreeCopy::publish() {
    for (; published_ < staged_.size(); ++published_) {
        const Staged& s = staged_[published_];
        const std::string from = joinPath(s.folderPath, s.stagingName.c_str());
        const std::string to = joinPath(s.folderPath, s.finalName.c_str());
        FW_TRY(s.isNew ? renameIntoFreePlace(from, to) : check(::rename(from.c_str(), to.c_str())));
    }
    return 0;
}

void TreeCopy::abandon() noexcept {
    for (std::size_t i = published_; i < staged_.size(); ++i) {
        const Staged& s = staged_[i];
        (void)removeTreeAt(AT_FDCWD, joinPath(s.folderPath, s.stagingName.c_str()).c_str());
    }
}

// Merged folders, deepest first: the source folder's mode and times, then a
// flush for the renames inside and for those.
Error TreeCopy::finishMergedFolders() {
    for (const MergedFolder& folder : merged_) {
        Fd fd;
        FW_TRY(openFolderAt(AT_FDCWD, folder.path.c_str(), fd));
        FW_TRY(keepModeAndTimes(fd.get(), folder.st));
        FW_TRY(check(::fsync(fd.get())));
    }
    return 0;
}

} // namespace

int copyEntryInto(const fs::path& source, const fs::path& destinationFolder) {
    return TreeCopy().run(source, destinationFolder);
}

} // namespace fw::posix

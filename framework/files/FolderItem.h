#pragma once
// File items: a handle for an entry on a mounted volume, which need not exist
// on disk. Every operation leaves its outcome in LastErrorCode: 0 after a
// success, otherwise the positive errno of the failing system call.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"

#include <cstdint>
#include <filesystem>

namespace fw {

class Picture;

class FolderItem : public Object {
public:
    FolderItem() = default;

    static const ClassRecord* Lookup();

    // Copy form: the new item denotes the same entry as `other`.
    void Constructor(const Ref<FolderItem>& other);
    // Path form: an empty path with 0 gives the folder that holds the
    // application bundle (ApplicationFolder); otherwise the path itself, as a
    // native POSIX path, whatever the mode.
    void Constructor(const String& path, std::int32_t pathMode);

    // The entry of that name inside this folder, present on disk or not; nil
    // for a name that cannot name an entry ("", ".", "..", or holding '/' or a
    // zero byte), and for an item that has no path yet.
    Ref<FolderItem> Child(const String& name) const;
    // Whether the entry is on disk; a dangling link is.
    bool Exists() const;
    // Removes the entry itself, never recursively; a link goes, never its target.
    // A folder goes only when empty (ENOTEMPTY); a missing entry gives 0. The
    // entry is reached from the folder this item was made from without
    // following a link: a link before its last name gives ELOOP.
    void Delete();
    // Copies this entry, a folder whole, into `destination` under its own name;
    // a same-named folder there is merged into (see posix::copyEntryInto). The
    // destination is reached from the folder it was made from without
    // following a link (ELOOP). A nil destination raises NilObjectException.
    void CopyFileTo(const Ref<FolderItem>& destination);
    std::int32_t LastErrorCode() const noexcept { return lastError_; }
    // The picture read from this file, or nil when it cannot be read
    // (defined by the window system).
    Ref<Picture> OpenAsPicture() const;

    const std::filesystem::path& path() const noexcept { return path_; }
    // A new item for the folder at `p`, the start of the names its children add.
    static Ref<FolderItem> at(std::filesystem::path p);

private:
    std::filesystem::path path_;
    // Where the item was made from (a volume's root, the application's
    // folder, a path given whole), and the child names added since; path_ is
    // the two joined.
    std::filesystem::path start_;
    std::filesystem::path below_;
    std::int32_t lastError_ = 0;
};

// The item of a mounted volume; only 0, the start-up volume, exists.
Ref<FolderItem> Volume(std::int32_t number);

// The running application's own file. Tests may point it elsewhere; an empty
// path goes back to the running executable.
std::filesystem::path ApplicationFile();
void SetApplicationFileForTesting(const std::filesystem::path& file);

// The folder that holds the application: for X.app/Contents/MacOS/file the
// folder holding X.app; for a file outside a bundle, its own folder.
std::filesystem::path ApplicationFolder();

} // namespace fw

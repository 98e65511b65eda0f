#pragma once
// The names in an open folder, "." and ".." left out. Internal to framework/files.

#include "framework/files/SystemCall.h"

#include <dirent.h>

namespace fw::posix {

class FolderListing {
public:
    // Takes over `folder`, an open folder descriptor. error() tells whether
    // the listing could be started.
    explicit FolderListing(Fd folder) noexcept;
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    // The folder's descriptor, for calls relative to it.
    int fd() const noexcept { return fd_; }
    // The next name, or nullptr at the end or on a failure (then error() says which).
    const char* next() noexcept;
    Error error() const noexcept { return error_; }

private:
    DIR* dir_ = nullptr;
    int fd_ = -1;
    Error error_ = 0;
};

} // namespace fw::posix

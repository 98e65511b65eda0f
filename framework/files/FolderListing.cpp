#include "framework/files/FolderListing.h"

#include <cstring>

namespace fw::posix {

FolderListing::FolderListing(Fd folder) noexcept {
    const int fd = folder.get();
    dir_ = ::fdopendir(fd);
    if (!dir_) {
        error_ = errno;
        return;
    }
    fd_ = folder.release();
}

FolderListing::~FolderListing() {
    if (dir_)
        ::closedir(dir_);
}

const char* FolderListing::next() noexcept {
    if (!dir_)
        return nullptr;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir_);
        if (!entry) {
            error_ = errno;
            return nullptr;
        }
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
            return name;
    }
}

} // namespace fw::posix

#pragma once
// The file services' own view of the system calls they make: an owned
// descriptor, and one way to turn a call's outcome into an error code.
// Internal to framework/files; nothing outside it includes this header.

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fw::posix {

// An error code: 0 for success, otherwise the errno a system call left.
using Error = int;

// The outcome of a call that reports failure as -1 with errno.
inline Error check(long result) noexcept {
    return result < 0 ? errno : 0;
}

// Returns from the enclosing function with the error code of `expr` unless it is 0.
#define FW_TRY(expr)                                                                                         \
    do {                                                                                                     \
        if (const ::fw::posix::Error fwTryError = (expr); fwTryError != 0)                                   \
            return fwTryError;                                                                               \
    } while (false)

// A file descriptor that is closed when its owner goes.
class Fd {
public:
    Fd() noexcept = default;
    explicit Fd(int fd) noexcept : fd_(fd) {}
    Fd(Fd&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
    Fd& operator=(Fd o) noexcept {
        std::swap(fd_, o.fd_);
        return *this;
    }
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }

    int get() const noexcept { return fd_; }
    [[nodiscard]] int release() noexcept { return std::exchange(fd_, -1); }

private:
    int fd_ = -1;
};

// Opens `name` relative to the folder `dir` (AT_FDCWD: the working folder).
inline Error openAt(int dir, const char* name, int flags, Fd& out, mode_t mode = 0) noexcept {
    const int fd = ::openat(dir, name, flags | O_CLOEXEC, mode);
    if (fd < 0)
        return errno;
    out = Fd(fd);
    return 0;
}

inline Error openFolderAt(int dir, const char* name, Fd& out) noexcept {
    return openAt(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW, out);
}

// The entry's own status: a link is described, not followed.
inline Error statEntryAt(int dir, const char* name, struct stat& out) noexcept {
    return check(::fstatat(dir, name, &out, AT_SYMLINK_NOFOLLOW));
}

inline bool isFolder(const struct stat& st) noexcept {
    return S_ISDIR(st.st_mode);
}

} // namespace fw::posix

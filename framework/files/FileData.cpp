#include "framework/files/FileData.h"

#include "framework/files/FaultPlan.h"

#include <algorithm>

namespace fw::posix {
namespace {

constexpr std::size_t kBufferSize = 256 * 1024;
constexpr off_t kMaxChunk = off_t(1) << 30;

// Errors that say the kernel cannot copy between these two files (another
// file system, no support, a kind of file it will not take), not that the
// data cannot be read or written: the read/write loop meets real failures again.
bool kernelCopyRefused(Error error) noexcept {
    switch (error) {
    case EXDEV:
    case ENOSYS:
    case EINVAL:
    case EOPNOTSUPP:
#if ENOTSUP != EOPNOTSUPP
    case ENOTSUP:
#endif
    case EBADF:
    case EPERM:
    case ETXTBSY:
        return true;
    default:
        return false;
    }
}

} // namespace

Error FileData::copy(int in, int out, off_t size, const std::filesystem::path& source) {
    off_t done = 0;
    Error error = ENOSYS;
    if (kernelCopyOffered_) {
        const std::optional<std::int32_t> planned =
            testing::FaultPlan::find(testing::Operation::FastCopy, source);
        const bool refusedByPlan = planned && *planned > 0;
        error = refusedByPlan ? *planned : copyInKernel(in, out, size, done);
        if (error == 0 || !kernelCopyRefused(error))
            return error;
        if (error == ENOSYS && !refusedByPlan)
            kernelCopyOffered_ = false;
    }
    return copyThroughBuffer(in, out, size, done);
}

Error FileData::copyInKernel(int in, int out, off_t size, off_t& done) noexcept {
    off_t inOffset = 0, outOffset = 0;
    while (done < size) {
        const auto chunk = static_cast<std::size_t>(std::min(size - done, kMaxChunk));
        const ssize_t n = ::copy_file_range(in, &inOffset, out, &outOffset, chunk, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        done += n;
    }
    return 0;
}

Error FileData::copyThroughBuffer(int in, int out, off_t size, off_t done) {
    if (!buffer_)
        buffer_ = std::make_unique<char[]>(kBufferSize);
    while (done < size) {
        const auto want = static_cast<std::size_t>(std::min<off_t>(size - done, kBufferSize));
        const ssize_t got = ::pread(in, buffer_.get(), want, done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            break;
        for (ssize_t written = 0; written < got;) {
            const ssize_t n = ::pwrite(out, buffer_.get() + written, static_cast<std::size_t>(got - written),
                                       done + written);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            written += n;
        }
        done += got;
    }
    return 0;
}

} // namespace fw::posix

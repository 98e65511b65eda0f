#include "framework/files/FileData.h"

#include "framework/files/FaultPlan.h"
#include "framework/files/FlushQueue.h"
#include "framework/files/WorkPump.h"

#include <algorithm>

namespace fw::posix {
namespace {

constexpr std::size_t kBufferSize = 256 * 1024;
// A large file is copied in pieces of this size, the window given its chance
// to paint between them: a piece takes a few milliseconds, even when the
// system holds back writers because much is waiting for the disk.
constexpr off_t kPiece = off_t(4) << 20;

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
    off_t pieceStart = 0;
    while (done < size) {
        const auto chunk = static_cast<std::size_t>(std::min(size - done, kPiece - (done - pieceStart)));
        const ssize_t n = ::copy_file_range(in, &inOffset, out, &outOffset, chunk, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        done += n;
        if (done - pieceStart >= kPiece) {
            pieceDone(out, pieceStart, done);
            pieceStart = done;
        }
    }
    return 0;
}

Error FileData::copyThroughBuffer(int in, int out, off_t size, off_t done) {
    if (!buffer_)
        buffer_ = std::make_unique<char[]>(kBufferSize);
    off_t pieceStart = done;
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
        if (done - pieceStart >= kPiece) {
            pieceDone(out, pieceStart, done);
            pieceStart = done;
        }
    }
    return 0;
}

// Its write-back is started at once, so that the disk works while the next
// piece is copied and the flush later finds less to do; then the window paints.
void FileData::pieceDone(int out, off_t from, off_t to) noexcept {
    FlushQueue::startWriteBack(out, from, to - from);
    pumpIfDue();
}

} // namespace fw::posix

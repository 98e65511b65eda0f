#include "framework/files/FlushQueue.h"

namespace fw::posix {

void FlushQueue::startWriteBack(int fd) noexcept {
#ifdef SYNC_FILE_RANGE_WRITE
    // Only a head start for the flush that follows, which reports any failure.
    (void)::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)fd;
#endif
}

Error FlushQueue::add(Fd fd) {
    if (pending_.size() >= kMaxOpen)
        FW_TRY(flushAll());
    pending_.push_back(std::move(fd));
    return 0;
}

Error FlushQueue::flushAll() noexcept {
    Error error = 0;
    for (const Fd& fd : pending_)
        if ((error = check(::fsync(fd.get()))) != 0)
            break;
    pending_.clear();
    return error;
}

} // namespace fw::posix

#include "framework/files/FlushQueue.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

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
    std::atomic<std::size_t> next{0};
    std::atomic<Error> firstError{0};
    // Each thread takes the next descriptor until none is left or one failed.
    const auto flushSome = [&]() noexcept {
        while (firstError.load(std::memory_order_relaxed) == 0) {
            const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
            if (i >= pending_.size())
                return;
            if (const Error error = check(::fsync(pending_[i].get())); error != 0) {
                Error none = 0;
                firstError.compare_exchange_strong(none, error);
            }
        }
    };

    std::vector<std::thread> helpers;
    if (pending_.size() >= kFewEnoughForOneThread) {
        try {
            const std::size_t count = std::min(kThreads, pending_.size()) - 1;
            helpers.reserve(count);
            while (helpers.size() < count)
                helpers.emplace_back(flushSome);
        } catch (const std::system_error&) {
            // No more threads to be had: the ones started, and this one, do it all.
        } catch (const std::bad_alloc&) {
        }
    }
    flushSome();
    for (std::thread& helper : helpers)
        helper.join();
    pending_.clear();
    return firstError.load();
}

} // namespace fw::posix

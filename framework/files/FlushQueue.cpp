#include "framework/files/FlushQueue.h"

#include "framework/files/FaultPlan.h"
#include "framework/files/WorkPump.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <pthread.h>
#include <system_error>
#include <thread>

namespace fw::posix {
namespace {

// Up to this many threads flush at once; past about this many, more
// finished no sooner (measured with the fonts folder's 41 entries).
constexpr std::size_t kMaxThreads = 16;
// One thread for every this many descriptors of a pass.
constexpr std::size_t kFlushesPerThread = 2;
// How long the calling thread waits for the helpers at a time before it lets
// the window paint (when a frame is due).
constexpr std::chrono::milliseconds kWaitStep{10};

// One flush pass: each thread takes the next descriptor until none is left
// or one has failed.
class Pass {
public:
    explicit Pass(const std::vector<Fd>& fds) : fds_(fds) {}

    void flushSome() noexcept {
        while (firstError_.load(std::memory_order_relaxed) == 0) {
            const std::size_t i = next_.fetch_add(1, std::memory_order_relaxed);
            if (i >= fds_.size())
                return;
            const int fd = fds_[i].get();
            if (const Error error = testing::FaultPlan::call([fd] { return check(::fsync(fd)); });
                error != 0) {
                Error none = 0;
                firstError_.compare_exchange_strong(none, error);
            }
        }
    }
    Error firstError() const noexcept { return firstError_.load(); }

private:
    const std::vector<Fd>& fds_;
    std::atomic<std::size_t> next_{0};
    std::atomic<Error> firstError_{0};
};

// The threads that help the passes of every copy in the process. Starting a
// thread costs about as much as a flush, so each is started once, when a pass
// first wants it, and then waits for the next pass; they hold nothing while
// they wait, and end with the process.
class FlushHelpers {
public:
    // Nil when there can be none: no memory for them, or no way to learn of a fork.
    static FlushHelpers* forThisProcess() noexcept;

    // Runs `pass` on up to `count` helpers and returns once it is done, the
    // calling thread letting the window paint meanwhile. False, with nothing
    // done, when no helper is to be had (another copy's pass has them, or no
    // thread could be started): the caller then flushes alone.
    bool run(Pass& pass, std::size_t count) noexcept;

private:
    void startUpTo(std::size_t count) noexcept;
    void help() noexcept;
    static void forgetInForkedChild() noexcept;

    static inline std::atomic<FlushHelpers*> current_{nullptr};
    static inline FlushHelpers* retired_ = nullptr; // kept, so that they are not leaks

    std::mutex passOwner_; // one pass at a time has the helpers
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    Pass* pass_ = nullptr;
    std::size_t openSeats_ = 0; // helpers still wanted on pass_
    std::size_t working_ = 0;   // helpers on pass_
    std::size_t started_ = 0;
    FlushHelpers* nextRetired_ = nullptr;
};

FlushHelpers* FlushHelpers::forThisProcess() noexcept {
    static const bool forkHandled = ::pthread_atfork(nullptr, nullptr, &forgetInForkedChild) == 0;
    if (!forkHandled)
        return nullptr; // a forked child would wait for helpers it does not have
    FlushHelpers* helpers = current_.load(std::memory_order_acquire);
    if (helpers)
        return helpers;
    FlushHelpers* made = new (std::nothrow) FlushHelpers;
    if (!made)
        return nullptr;
    if (current_.compare_exchange_strong(helpers, made, std::memory_order_acq_rel))
        return made;
    delete made; // another thread's came first; neither has started a thread yet
    return helpers;
}

// A forked child has only the thread that forked: the helpers are not in it,
// and a lock of theirs may stay held for good. It makes its own on first use.
void FlushHelpers::forgetInForkedChild() noexcept {
    if (FlushHelpers* old = current_.exchange(nullptr)) {
        old->nextRetired_ = retired_;
        retired_ = old;
    }
}

bool FlushHelpers::run(Pass& pass, std::size_t count) noexcept {
    const std::unique_lock owner(passOwner_, std::try_to_lock);
    if (!owner.owns_lock())
        return false;
    std::unique_lock lock(mutex_);
    startUpTo(count);
    if (started_ == 0)
        return false;
    pass_ = &pass;
    openSeats_ = std::min(count, started_);
    wake_.notify_all();
    // Every seat is taken and every helper back: the pass has no work left.
    const auto done = [this] { return openSeats_ == 0 && working_ == 0; };
    while (!idle_.wait_for(lock, kWaitStep, done)) {
        lock.unlock();
        pumpIfDue();
        lock.lock();
    }
    pass_ = nullptr;
    return true;
}

// Called with mutex_ held.
void FlushHelpers::startUpTo(std::size_t count) noexcept {
    try {
        for (; started_ < count; ++started_)
            std::thread(&FlushHelpers::help, this).detach();
    } catch (const std::system_error&) {
        // No more threads to be had: the ones there do the work.
    } catch (const std::bad_alloc&) {
    }
}

void FlushHelpers::help() noexcept {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return openSeats_ > 0; });
        --openSeats_;
        ++working_;
        Pass* pass = pass_;
        lock.unlock();
        pass->flushSome();
        lock.lock();
        if (--working_ == 0 && openSeats_ == 0)
            idle_.notify_all();
    }
}

} // namespace

void FlushQueue::startWriteBack(int fd, off_t from, off_t length) noexcept {
#ifdef SYNC_FILE_RANGE_WRITE
    // Only a head start for the flush that follows, which reports any failure.
    (void)::sync_file_range(fd, from, length, SYNC_FILE_RANGE_WRITE);
#else
    (void)fd;
    (void)from;
    (void)length;
#endif
}

Error FlushQueue::add(Fd fd) {
    if (pending_.size() >= kMaxOpen)
        FW_TRY(flushAll());
    pending_.push_back(std::move(fd));
    return 0;
}

Error FlushQueue::flushAll() noexcept {
    if (pending_.empty())
        return 0;
    Pass pass(pending_);
    // At least one helper, so that the calling thread only waits.
    const std::size_t helpers = std::clamp<std::size_t>(pending_.size() / kFlushesPerThread, 1, kMaxThreads);
    FlushHelpers* helperThreads = FlushHelpers::forThisProcess();
    if (!helperThreads || !helperThreads->run(pass, helpers))
        pass.flushSome();
    pending_.clear();
    return pass.firstError();
}

} // namespace fw::posix

#include "framework/files/WorkPump.h"

#include <atomic>
#include <chrono>

namespace fw {
namespace {

std::atomic<WorkPump> pump{nullptr};
std::atomic<std::chrono::milliseconds> interval{kFileWorkPumpInterval};
// Per thread: copies on other threads keep their own pace.
thread_local std::chrono::steady_clock::time_point lastRun;

} // namespace

void SetFileWorkPump(WorkPump p) noexcept {
    pump = p;
}

void SetFileWorkPumpIntervalForTesting(std::chrono::milliseconds i) noexcept {
    interval = i;
}

void posix::pumpIfDue() noexcept {
    const WorkPump p = pump.load(std::memory_order_relaxed);
    if (!p)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastRun < interval.load(std::memory_order_relaxed))
        return;
    lastRun = now;
    p();
}

} // namespace fw

#pragma once
// Polling for a condition with a time limit: how a test or benchmark waits
// for another process to get somewhere.

#include <chrono>
#include <thread>

namespace harness {

// Waits for `ready` to hold, up to `limit`; whether it did.
template <class F>
bool WaitFor(F&& ready, std::chrono::milliseconds limit,
             std::chrono::milliseconds step = std::chrono::milliseconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (ready())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(step);
    }
}

} // namespace harness

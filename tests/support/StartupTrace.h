#pragma once
// A fixture for tests that follow the program's start-up and shut-down: it
// records the framework's trace, ends each event loop once the loop is idle
// by closing every window, and can make one traced call raise.

#include "framework/runtime/Exception.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

class StartupTrace {
public:
    StartupTrace();
    ~StartupTrace();
    StartupTrace(const StartupTrace&) = delete;
    StartupTrace& operator=(const StartupTrace&) = delete;

    const std::vector<std::string>& calls() const { return calls_; }
    // The traced calls that are among `names`, in the order they came.
    std::vector<std::string> only(const std::vector<std::string>& names) const;
    std::size_t count(std::string_view call) const;
    void clear() { calls_.clear(); }

    // The next time `call` is traced, it raises instead of returning: by
    // default NilObjectException, as a missing object there would.
    void raiseAt(std::string call, std::function<void()> raise = &fw::RaiseNilObjectException) {
        raiseAt_ = std::move(call);
        raise_ = std::move(raise);
    }
    // What the idle event loop does; by default it closes every window.
    void onIdle(std::function<void()> action);

private:
    std::vector<std::string> calls_;
    std::string raiseAt_;
    std::function<void()> raise_;
};

} // namespace testing_support

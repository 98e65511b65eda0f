#include "tests/support/StartupTrace.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/Trace.h"
#include "framework/ui/EventLoopTesting.h"

#include <algorithm>
#include <utility>

namespace testing_support {

StartupTrace::StartupTrace() {
    fw::SetTraceSinkForTesting([this](std::string_view call) {
        calls_.emplace_back(call);
        if (!raiseAt_.empty() && call == raiseAt_) {
            raiseAt_.clear();
            std::exchange(raise_, nullptr)();
        }
    });
    onIdle(&fw::CloseAllWindows);
}

StartupTrace::~StartupTrace() {
    fw::SetTraceSinkForTesting(nullptr);
    fw::SetEventLoopIdleHookForTesting(nullptr);
}

void StartupTrace::onIdle(std::function<void()> action) {
    fw::SetEventLoopIdleHookForTesting(std::move(action));
}

std::vector<std::string> StartupTrace::only(const std::vector<std::string>& names) const {
    std::vector<std::string> picked;
    for (const std::string& call : calls_)
        if (std::find(names.begin(), names.end(), call) != names.end())
            picked.push_back(call);
    return picked;
}

std::size_t StartupTrace::count(std::string_view call) const {
    return static_cast<std::size_t>(std::count(calls_.begin(), calls_.end(), call));
}

} // namespace testing_support

#include "framework/files/FaultPlan.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace fw::testing {
namespace {

using Key = std::pair<Operation, std::string>;

std::mutex& planLock() {
    static std::mutex m;
    return m;
}

std::map<Key, std::int32_t>& plan() {
    static std::map<Key, std::int32_t> p;
    return p;
}

Key keyOf(Operation op, const std::filesystem::path& path) {
    return {op, path.lexically_normal().string()};
}

} // namespace

void FaultPlan::add(Operation op, const std::filesystem::path& path, std::int32_t code) {
    std::lock_guard lock(planLock());
    plan()[keyOf(op, path)] = code;
    armed_.store(true, std::memory_order_relaxed);
}

void FaultPlan::failCall(std::size_t n, std::int32_t code) {
    std::lock_guard lock(planLock());
    failingCode_.store(code);
    failingCall_.store(n);
    callsCounted_.store(0);
    armed_.store(true, std::memory_order_relaxed);
}

std::optional<std::int32_t> FaultPlan::countCall() noexcept {
    const std::size_t failing = failingCall_.load();
    if (failing == 0)
        return std::nullopt;
    if (callsCounted_.fetch_add(1) + 1 != failing)
        return std::nullopt;
    return failingCode_.load();
}

void FaultPlan::clear() {
    std::lock_guard lock(planLock());
    plan().clear();
    failingCall_.store(0);
    callsCounted_.store(0);
    armed_.store(false, std::memory_order_relaxed);
}

std::optional<std::int32_t> FaultPlan::lookup(Operation op, const std::filesystem::path& path) {
    std::lock_guard lock(planLock());
    const auto it = plan().find(keyOf(op, path));
    if (it == plan().end())
        return std::nullopt;
    return it->second;
}

} // namespace fw::testing

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

void FaultPlan::clear() {
    std::lock_guard lock(planLock());
    plan().clear();
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

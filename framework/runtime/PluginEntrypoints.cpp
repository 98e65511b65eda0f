#include "framework/runtime/PluginEntrypoints.h"

#include "framework/runtime/Trace.h"

#include <deque>
#include <string>

namespace fw {

PluginEntrypointTable* RuntimeAllocatePluginEntrypointsTable(std::int32_t entries) {
    Trace("RuntimeAllocatePluginEntrypointsTable", {std::to_string(entries)});
    static std::deque<PluginEntrypointTable> tables; // kept, never moved
    return &tables.emplace_back(
        PluginEntrypointTable{std::vector<CodeRef>(entries > 0 ? static_cast<std::size_t>(entries) : 0)});
}

void InitPluginEntrypoints(void (*programRoutine)()) {
    Trace("InitPluginEntrypoints");
    if (programRoutine)
        programRoutine();
}

} // namespace fw

#pragma once
// Plug-in entry points: a program's table of the entries its plug-ins offer.

#include "framework/runtime/ClassRecord.h"

#include <cstdint>
#include <vector>

namespace fw {

struct PluginEntrypointTable {
    std::vector<CodeRef> entries;
};

// A table of `entries` empty entries. The framework keeps it for the life of
// the process; the caller never releases it.
PluginEntrypointTable* RuntimeAllocatePluginEntrypointsTable(std::int32_t entries);

// The framework's step of start-up that lets the program set up its plug-in
// table: calls `programRoutine` once, and nothing else.
void InitPluginEntrypoints(void (*programRoutine)());

} // namespace fw

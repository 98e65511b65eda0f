#pragma once
// The values that lists and variants hold.

#include <cstdint>
#include <variant>

#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"

namespace fw {

using Value = std::variant<std::monostate, bool, std::int32_t, double, String, Ref<Object>>;

} // namespace fw

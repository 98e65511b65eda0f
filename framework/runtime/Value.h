#pragma once
// The values that lists and variants hold.

#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"

#include <cstdint>
#include <variant>

namespace fw {

using Value = std::variant<std::monostate, bool, std::int32_t, double, String, Ref<Object>>;

} // namespace fw

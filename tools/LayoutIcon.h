#pragma once
// The menu icon of a keyboard layout, drawn in code: a small keyboard on a
// rounded tile whose colours tell the bundle's layouts apart.

#include <string>

namespace demo {

inline constexpr int kLayoutIconSize = 128;

// PNG bytes of the icon for layout number `variant` of the bundle.
std::string layoutIconPng(int variant);

} // namespace demo

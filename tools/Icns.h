#pragma once
// The icon container of the layout icons: the "icns" header and one element
// that holds a PNG image, lengths big-endian and counting their own headers.

#include <string>
#include <string_view>

namespace demo {

// "ic07" is the element type of a 128 x 128 image.
inline constexpr std::string_view kIcns128 = "ic07";

std::string icnsHolding(std::string_view elementType, std::string_view png);

} // namespace demo

#pragma once
// A colour as property records store it: three bytes, red, green, blue.

#include <cstdint>

namespace fw {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    constexpr bool operator==(const Color&) const = default;
};

} // namespace fw

#include "tools/Icns.h"

#include <cstdint>
#include <stdexcept>

namespace demo {
namespace {

constexpr std::size_t kHeaderBytes = 8; // four-letter type and 32-bit length

void appendBigEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xff);
}

} // namespace

std::string icnsHolding(std::string_view elementType, std::string_view png) {
    if (elementType.size() != 4)
        throw std::invalid_argument("icns element types have four letters");
    const std::size_t elementBytes = kHeaderBytes + png.size();
    std::string out = "icns";
    appendBigEndian32(out, static_cast<std::uint32_t>(kHeaderBytes + elementBytes));
    out += elementType;
    appendBigEndian32(out, static_cast<std::uint32_t>(elementBytes));
    out += png;
    return out;
}

} // namespace demo

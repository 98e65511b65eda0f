#include "framework/runtime/StringConstant.h"

#include "framework/runtime/Exception.h"

#include <string>

namespace fw {
namespace {

using namespace string_constant;

[[noreturn]] void malformed(const char* what) {
    RaiseException(
        make<UnsupportedFormatException>(String("malformed string constant: " + std::string(what))));
}

std::uint32_t field(std::span<const std::uint8_t> image, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(image[at + i]) << (8 * i);
    return value;
}

} // namespace

String StringFromConstant(std::span<const std::uint8_t> image) {
    if (image.size() < kHeaderSize)
        malformed("shorter than its fields");
    const std::uint32_t references = field(image, 0);
    const std::size_t storage = field(image, 4);
    const std::size_t storageSize = field(image, 8);
    const std::size_t length = field(image, 12);
    const std::uint32_t encoding = field(image, 16);

    if (references == 0)
        malformed("no reference");
    if (encoding != static_cast<std::uint32_t>(Encoding::UTF8) &&
        encoding != static_cast<std::uint32_t>(Encoding::ASCII))
        malformed("unknown encoding");
    if (storage < kHeaderSize || storage > image.size() || image.size() - storage < storageSize)
        malformed("storage outside the constant");
    if (storageSize != length + kStorageOverhead)
        malformed("storage size is not the byte length + 5");
    const std::span<const std::uint8_t> bytes = image.subspan(storage, storageSize);
    if (bytes[0] != (length >= 255 ? 255 : length))
        malformed("length byte disagrees with the byte length");
    for (std::size_t i = 1 + length; i < storageSize; ++i)
        if (bytes[i] != 0)
            malformed("storage does not end in four zero bytes");

    const auto* text = reinterpret_cast<const char*>(bytes.data() + 1);
    return String(std::string_view(text, length), static_cast<Encoding>(encoding));
}

} // namespace fw

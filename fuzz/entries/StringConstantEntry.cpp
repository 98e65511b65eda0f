// The reader of string constants. A constant is either read or refused with
// UnsupportedFormatException; a text read is exactly as long as the
// constant's byte length says, and lies inside the constant's bytes.

#include "framework/runtime/Exception.h"
#include "framework/runtime/StringConstant.h"
#include "fuzz/entries/Fault.h"
#include "fuzz/entries/FuzzEntries.h"

#include <string>
#include <string_view>

namespace fuzz_entries {
namespace {

std::uint32_t lengthField(Input image) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(image[12 + i]) << (8 * i);
    return value;
}

} // namespace

void stringConstant(Input input) {
    fw::String text;
    try {
        text = fw::StringFromConstant(input);
    } catch (const fw::RaisedException& e) {
        if (!dynamic_cast<const fw::UnsupportedFormatException*>(e.exception().get()))
            throw Fault(std::string("the reader raised ") + e.exception()->className());
        return;
    }
    if (input.size() < fw::string_constant::kHeaderSize || text.size() != lengthField(input))
        throw Fault("the text read is not as long as the constant's byte length");
    const std::string_view image(reinterpret_cast<const char*>(input.data()), input.size());
    if (image.find(text.bytes()) == std::string_view::npos)
        throw Fault("the text read is not in the constant's bytes");
}

} // namespace fuzz_entries

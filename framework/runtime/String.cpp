#include "framework/runtime/String.h"

#include "framework/runtime/Exception.h"

#include <charconv>

namespace fw {

String Str(std::int32_t value, const String& format) {
    if (!format.empty())
        RaiseUnsupportedFormatException(format);
    char digits[16];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    (void)ec;
    return String(std::string_view(digits, static_cast<std::size_t>(end - digits)), Encoding::ASCII);
}

} // namespace fw

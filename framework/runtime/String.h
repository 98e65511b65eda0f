#pragma once
// Framework text: a run of bytes with an explicit length and an encoding tag.
// The bytes are kept exactly as given: never cut at a zero byte, never
// validated or re-encoded.

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

enum class Encoding : std::uint32_t {
    UTF8 = 0x08000100,
    ASCII = 0x600,
};

class String {
public:
    String() = default;
    // From a C++ literal: its bytes up to the terminating zero of the array,
    // so a literal with zero bytes inside keeps them.
    template <std::size_t N>
    String(const char (&literal)[N], Encoding e = Encoding::UTF8) : bytes_(literal, N - 1), encoding_(e) {}
    template <std::size_t N>
    String(const char8_t (&literal)[N], Encoding e = Encoding::UTF8)
        : bytes_(reinterpret_cast<const char*>(literal), N - 1), encoding_(e) {}
    explicit String(std::string_view bytes, Encoding e = Encoding::UTF8) : bytes_(bytes), encoding_(e) {}

    std::string_view bytes() const noexcept { return bytes_; }
    std::size_t size() const noexcept { return bytes_.size(); }
    bool empty() const noexcept { return bytes_.empty(); }
    Encoding encoding() const noexcept { return encoding_; }
    const std::string& str() const noexcept { return bytes_; }

    // Texts are equal when their bytes are; the tag says how to show them.
    bool operator==(const String& o) const noexcept { return bytes_ == o.bytes_; }

private:
    std::string bytes_;
    Encoding encoding_ = Encoding::UTF8;
};

// The value's decimal text; the format must be empty (no other is offered).
String Str(std::int32_t value, const String& format = String());

} // namespace fw

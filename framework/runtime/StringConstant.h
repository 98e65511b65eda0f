#pragma once
// The framework's form of a text literal, laid out as it lies in the program's
// constant data: five 32-bit fields, least significant byte first, then the
// storage.
//
//   offset  0  reference count   1 for a literal
//   offset  4  storage address   see below
//   offset  8  storage size      byte length + 5
//   offset 12  byte length
//   offset 16  encoding          0x08000100 UTF-8, 0x600 ASCII
//   offset 20  storage           one length byte (255 for 255 bytes or more),
//                                the bytes, four zero bytes
//
// A 32-bit field cannot hold an address on a 64-bit machine, and an absolute
// address would make the constant depend on where it is loaded. The storage
// address field therefore holds the offset from the constant's first byte to
// the storage's length byte (20 in every constant built here), which locates
// the storage as well as an address does and stays valid wherever the
// constant lies.
//
// Constants are built at compile time from their text, so a record reads in
// the source like the table it comes from; reading one back checks every
// field against the others before the text is trusted.

#include "framework/runtime/String.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace fw {

// A run of bytes whose length is part of its type, so that texts can be
// joined at compile time.
template <std::size_t N>
struct ConstantBytes {
    std::array<char, N> bytes{};

    static constexpr std::size_t size() noexcept { return N; }
};

template <std::size_t... Ns>
constexpr ConstantBytes<(Ns + ... + 0)> Concatenate(const ConstantBytes<Ns>&... parts) {
    ConstantBytes<(Ns + ... + 0)> out;
    std::size_t at = 0;
    ((std::copy(parts.bytes.begin(), parts.bytes.end(), out.bytes.begin() + static_cast<std::ptrdiff_t>(at)),
      at += Ns),
     ...);
    return out;
}

// The bytes of a C++ literal, without the terminating zero of the array.
template <std::size_t M>
constexpr ConstantBytes<M - 1> LiteralBytes(const char (&text)[M]) {
    ConstantBytes<M - 1> out;
    for (std::size_t i = 0; i + 1 < M; ++i)
        out.bytes[i] = text[i];
    return out;
}
template <std::size_t M>
constexpr ConstantBytes<M - 1> LiteralBytes(const char8_t (&text)[M]) {
    ConstantBytes<M - 1> out;
    for (std::size_t i = 0; i + 1 < M; ++i)
        out.bytes[i] = static_cast<char>(text[i]);
    return out;
}

namespace string_constant {
inline constexpr std::size_t kHeaderSize = 20;     // the five fields
inline constexpr std::size_t kStorageOverhead = 5; // the length byte and the four zero bytes
inline constexpr std::uint32_t kLiteralReferenceCount = 1;
} // namespace string_constant

template <std::size_t N>
class StringConstant {
public:
    static constexpr std::size_t kLength = N;
    static constexpr std::size_t kSize = string_constant::kHeaderSize + string_constant::kStorageOverhead + N;

    constexpr StringConstant(const ConstantBytes<N>& text, Encoding encoding) {
        using namespace string_constant;
        putField(0, kLiteralReferenceCount);
        putField(4, static_cast<std::uint32_t>(kHeaderSize));
        putField(8, static_cast<std::uint32_t>(N + kStorageOverhead));
        putField(12, static_cast<std::uint32_t>(N));
        putField(16, static_cast<std::uint32_t>(encoding));
        image_[kHeaderSize] = static_cast<std::uint8_t>(N >= 255 ? 255 : N);
        for (std::size_t i = 0; i < N; ++i)
            image_[kHeaderSize + 1 + i] = static_cast<std::uint8_t>(text.bytes[i]);
        // The four zero bytes after the text are the array's own zeros.
    }
    template <std::size_t M>
    constexpr StringConstant(const char8_t (&text)[M], Encoding encoding = Encoding::UTF8)
        : StringConstant(LiteralBytes(text), encoding) {}
    template <std::size_t M>
    constexpr StringConstant(const char (&text)[M], Encoding encoding)
        : StringConstant(LiteralBytes(text), encoding) {}

    // The constant's bytes, fields and storage, as they lie in memory.
    constexpr std::span<const std::uint8_t, kSize> image() const noexcept { return image_; }
    // The text, checked against the fields.
    String text() const;

private:
    constexpr void putField(std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i)
            image_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }

    std::array<std::uint8_t, kSize> image_{};
};

template <std::size_t N>
StringConstant(const ConstantBytes<N>&, Encoding) -> StringConstant<N>;
template <std::size_t M>
StringConstant(const char8_t (&)[M]) -> StringConstant<M - 1>;
template <std::size_t M>
StringConstant(const char8_t (&)[M], Encoding) -> StringConstant<M - 1>;
template <std::size_t M>
StringConstant(const char (&)[M], Encoding) -> StringConstant<M - 1>;

// The text of a constant given by its bytes: exactly the bytes that its byte
// length names, zero bytes kept, tagged with its encoding. A constant whose
// fields disagree with each other or with its extent raises
// UnsupportedFormatException.
String StringFromConstant(std::span<const std::uint8_t> image);

template <std::size_t N>
String StringConstant<N>::text() const {
    return StringFromConstant(image_);
}

} // namespace fw

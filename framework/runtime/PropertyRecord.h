#pragma once
// Property records, written at compile time: a record is its entries back to
// back, each the key (ASCII letters), one blank, then the value encoded by
// the type of the property the key names. Values carry no type tag; numbers
// are stored most significant byte first.
//
//   Int32    4 bytes, two's complement
//   Boolean  1 byte, 0 or 1
//   Color    3 bytes: red, green, blue
//   String   4-byte byte count, then the UTF-8 bytes
//
// A record travels as a string constant (StringConstant.h) and is read by
// the mass property setter (PropertySetter.h).

#include "framework/runtime/Color.h"
#include "framework/runtime/StringConstant.h"

#include <cstddef>
#include <cstdint>

namespace fw::property_record {

inline constexpr char kKeyEnd = ' ';

constexpr bool isKeyLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The key and its blank. A key that is not all ASCII letters does not compile.
template <std::size_t K>
constexpr ConstantBytes<K> Key(const char (&key)[K]) {
    ConstantBytes<K> out;
    for (std::size_t i = 0; i + 1 < K; ++i) {
        if (!isKeyLetter(key[i]))
            throw "a record key is ASCII letters only";
        out.bytes[i] = key[i];
    }
    out.bytes[K - 1] = kKeyEnd;
    return out;
}

constexpr ConstantBytes<4> BigEndian32(std::uint32_t value) {
    return {{static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
             static_cast<char>(value)}};
}

template <std::size_t K>
constexpr auto Int32(const char (&key)[K], std::int32_t value) {
    return Concatenate(Key(key), BigEndian32(static_cast<std::uint32_t>(value)));
}

template <std::size_t K>
constexpr auto Boolean(const char (&key)[K], bool value) {
    return Concatenate(Key(key), ConstantBytes<1>{{static_cast<char>(value ? 1 : 0)}});
}

template <std::size_t K>
constexpr auto ColorValue(const char (&key)[K], Color c) {
    return Concatenate(Key(key), ConstantBytes<3>{{static_cast<char>(c.red), static_cast<char>(c.green),
                                                   static_cast<char>(c.blue)}});
}

template <std::size_t K, std::size_t M>
constexpr auto Text(const char (&key)[K], const char8_t (&text)[M]) {
    return Concatenate(Key(key), BigEndian32(static_cast<std::uint32_t>(M - 1)), LiteralBytes(text));
}

// A whole record: its entries in the order given.
template <std::size_t... Ns>
constexpr auto Record(const ConstantBytes<Ns>&... entries) {
    return StringConstant(Concatenate(entries...), Encoding::UTF8);
}

} // namespace fw::property_record

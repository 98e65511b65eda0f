#pragma once
// The fuzz entry points: each feeds one input to one of the framework's
// readers of bytes. An entry returns normally when the reader takes the input
// or refuses it with the exception it promises for that; anything else is a
// fault: another exception escapes the entry, a check of the outcome aborts,
// or a sanitizer reports. The libFuzzer targets and the test that replays
// their kept inputs call the same entries.

#include <cstdint>
#include <span>
#include <string_view>

namespace fuzz_entries {

using Input = std::span<const std::uint8_t>;

struct Entry {
    std::string_view name; // the fuzz target's name, and its folder under fuzz/corpus and fuzz/regressions
    void (*run)(Input input);
};

// The mass property setter, the input being the record, on the installer
// window, on a rounded rectangle and on a label.
void windowProperties(Input input);
void buttonProperties(Input input);
void labelProperties(Input input);
// The reader of string constants, the input being the constant's bytes.
void stringConstant(Input input);
// Introspection's reader of member signature texts ("%b%o<RoundRectangle>i4i4").
void signatureText(Input input);

// Every entry.
std::span<const Entry> all();
// The entry of that name; nullptr when there is none.
const Entry* find(std::string_view name);

} // namespace fuzz_entries

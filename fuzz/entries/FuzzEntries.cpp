#include "fuzz/entries/FuzzEntries.h"

#include <algorithm>
#include <array>

namespace fuzz_entries {
namespace {

constexpr std::array kEntries{
    Entry{"window_properties", &windowProperties}, Entry{"button_properties", &buttonProperties},
    Entry{"label_properties", &labelProperties},   Entry{"string_constant", &stringConstant},
    Entry{"signature_text", &signatureText},
};

} // namespace

std::span<const Entry> all() {
    return kEntries;
}

const Entry* find(std::string_view name) {
    const auto it =
        std::find_if(kEntries.begin(), kEntries.end(), [&](const Entry& e) { return e.name == name; });
    return it == kEntries.end() ? nullptr : &*it;
}

} // namespace fuzz_entries

#pragma once
// The design's tables of the three property records, as data, and an
// encoder of one entry written from the record format's description. The
// records built by the program are checked against these, and the values
// that applying them sets are read back against the same tables.

#include "framework/runtime/Color.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace records_tables {

using Value = std::variant<std::int32_t, bool, fw::Color, std::string>;

struct Entry {
    std::string key; // as the record writes it
    Value value;
    std::string property; // the declared property's name, when it differs from the key
    const std::string& name() const { return property.empty() ? key : property; }
};

inline std::string bigEndian(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

inline std::string encode(const Entry& e) {
    std::string out = e.key + ' ';
    if (const auto* i = std::get_if<std::int32_t>(&e.value))
        out += bigEndian(static_cast<std::uint32_t>(*i));
    else if (const auto* b = std::get_if<bool>(&e.value))
        out += *b ? '\x01' : '\x00';
    else if (const auto* c = std::get_if<fw::Color>(&e.value))
        out += {static_cast<char>(c->red), static_cast<char>(c->green), static_cast<char>(c->blue)};
    else {
        const std::string& s = std::get<std::string>(e.value);
        out += bigEndian(static_cast<std::uint32_t>(s.size())) + s;
    }
    return out;
}

constexpr std::int32_t kLeastInt32 = -2147483647 - 1;

inline const std::vector<Entry>& window() {
    static const std::vector<Entry> t = {
        {"Placement", 0, ""},
        {"Width", 333, ""},
        {"Height", 455, ""},
        {"MinWidth", 64, ""},
        {"MinHeight", 64, ""},
        {"MaxWidth", 32000, ""},
        {"MaxHeight", 32000, ""},
        {"Frame", 0, ""},
        {"Composite", true, ""},
        {"HasBackColor", false, ""},
        {"BackColor", fw::Color{0xFF, 0xFF, 0xFF}, ""},
        {"Title",
         std::string("Quorvan \u0bb5\u0bbf\u0b9a\u0bc8\u0baa\u0bcd \u0baa\u0bb2\u0b95\u0bc8 "
                     "\u0ba8\u0bbf\u0bb1\u0bc1\u0bb5\u0bbf"),
         ""},
        {"Visible", true, ""},
        {"FullScreen", false, ""},
        {"MenuBarVisible", true, ""},
        {"CloseButton", true, ""},
        {"Resizeable", false, ""},
        {"LiveResize", true, ""},
        {"MaximizeButton", false, ""},
        {"MinimizeButton", true, ""},
        {"MacProcID", 0, "MacProcId"},
    };
    return t;
}

inline const std::vector<Entry>& button() {
    static const std::vector<Entry> t = {
        {"Name", std::string("RoundRectangle1"), ""},
        {"Index", kLeastInt32, ""},
        {"Left", 75, ""},
        {"Top", 198, ""},
        {"Width", 182, ""},
        {"Height", 59, ""},
        {"LockLeft", true, ""},
        {"LockTop", true, ""},
        {"LockRight", false, ""},
        {"LockBottom", false, ""},
        {"TabIndex", 1, ""},
        {"TabPanelIndex", 0, ""},
        {"Visible", true, ""},
        {"HelpTag", std::string(), ""},
        {"AutoDeactivate", true, ""},
        {"Enabled", true, ""},
        {"FillColor", fw::Color{0xD4, 0xFF, 0xDD}, ""},
        {"BorderWidth", 1, ""},
        {"BorderColor", fw::Color{0x17, 0xC7, 0x37}, ""},
        {"OvalWidth", 16, ""},
        {"OvalHeight", 16, ""},
        {"InitialParent", std::string(), ""},
    };
    return t;
}

// "நிறுவுக", written as code points so that the table does not share the
// program's spelling.
inline const std::string kInstallWord = "\u0ba8\u0bbf\u0bb1\u0bc1\u0bb5\u0bc1\u0b95";
inline const std::string kRemoveWord = "\u0ba8\u0bc0\u0b95\u0bcd\u0b95\u0bc1\u0b95";

inline const std::vector<Entry>& label() {
    static const std::vector<Entry> t = {
        {"Name", std::string("buttontext"), ""},
        {"Index", kLeastInt32, ""},
        {"Left", 137, ""},
        {"Top", 211, ""},
        {"Width", 58, ""},
        {"Height", 33, ""},
        {"LockLeft", true, ""},
        {"LockTop", true, ""},
        {"LockRight", false, ""},
        {"LockBottom", false, ""},
        {"TabPanelIndex", 0, ""},
        {"TabIndex", 0, ""},
        {"Text", kInstallWord, ""},
        {"TextAlign", 0, ""},
        {"TextColor", fw::Color{0x12, 0x55, 0x1C}, ""},
        {"Multiline", false, "MultiLine"},
        {"Enabled", true, ""},
        {"Visible", true, ""},
        {"Selectable", false, ""},
        {"Transparent", false, ""},
        {"HelpTag", std::string(), ""},
        {"AutoDeactivate", true, ""},
        {"TextFont", std::string("System"), ""},
        {"Bold", false, ""},
        {"Italic", false, ""},
        {"Underline", false, ""},
        {"DataSource", std::string(), ""},
        {"DataField", std::string(), ""},
        {"InitialParent", std::string("RoundRectangle1"), ""},
    };
    return t;
}

} // namespace records_tables

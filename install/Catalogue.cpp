#include "install/Catalogue.h"

#include "framework/runtime/Exception.h"

#include <string>

namespace installer {
namespace {

constexpr std::int32_t kStringList = 3;

fw::Ref<fw::Array> newStringList() {
    return fw::CreateArray(1, kStringList, -1);
}

void append(const fw::Ref<fw::Array>& list, std::string name) {
    fw::NotNil(list).Append(fw::String(name));
}

} // namespace

fw::Ref<fw::Array> makeKeyboardItems() {
    fw::Ref<fw::Array> items = newStringList();
    append(items, "Skelvanta.bundle");
    // Four layouts, each followed by its icon: family Zelk then Vorp, and
    // within a family the encodings Qen then Xal.
    for (const char* family : {"Zelk", "Vorp"})
        for (const char* encoding : {"Qen", "Xal"})
            for (const char* kind : {".keylayout", ".icns"})
                append(items, std::string(family) + "_" + encoding + kind);
    return items;
}

fw::Ref<fw::Array> makeFontItems() {
    fw::Ref<fw::Array> items = newStringList();
    append(items, "Quorvan Tamil Fonts");
    // Prefix, hyphen, family, "X", style suffix, ".ttf"; the prefixes run
    // Xal then Qen, the reverse of the keyboard encodings.
    for (const char* prefix : {"Xal", "Qen"})
        for (const char* family : {"Ombrel", "Tessik", "Ludrow", "Fennik", "Grastin"})
            for (const char* style : {"-B", "-BI", "-I", ""})
                append(items, std::string(prefix) + "-" + family + "X" + style + ".ttf");
    return items;
}

} // namespace installer

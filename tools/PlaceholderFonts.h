#pragma once
// The fonts folder of the demo: one small placeholder per catalogue font.
// They are not fonts; each starts with the TrueType version tag so that
// tools recognise the kind, and names itself so that no two are alike.

#include "tools/CatalogueRows.h"

#include <filesystem>
#include <string>

namespace demo {

std::string placeholderFont(const std::string& fileName);

// Replaces `resources`/<folder> with the placeholders of `fonts`.
void writePlaceholderFonts(const std::filesystem::path& resources, const CatalogueFolder& fonts);

} // namespace demo

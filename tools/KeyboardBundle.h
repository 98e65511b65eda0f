#pragma once
// The demo keyboard-layout bundle: its property lists, its English strings,
// and a layout and an icon for every catalogue row.
//
// The bundle holds nothing else, since the installer's removal deletes the
// bundle entry by entry and a folder goes only when it is empty.

#include "tools/CatalogueRows.h"

#include <filesystem>

namespace demo {

// Replaces `resources`/<folder> with the bundle of `keyboard`.
void writeKeyboardBundle(const std::filesystem::path& resources, const CatalogueFolder& keyboard);

} // namespace demo

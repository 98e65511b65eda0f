#include "tools/PlaceholderFonts.h"

#include "tools/OutputFile.h"

namespace demo {

std::string placeholderFont(const std::string& fileName) {
    // Version 1.0 and a table directory with no tables: twelve bytes.
    std::string bytes("\x00\x01\x00\x00"
                      "\x00\x00\x00\x00\x00\x00\x00\x00",
                      12);
    bytes += "Quorvan demo placeholder, not a usable font: " + fileName + "\n";
    return bytes;
}

void writePlaceholderFonts(const std::filesystem::path& resources, const CatalogueFolder& fonts) {
    const std::filesystem::path folder = resources / fonts.folder;
    // An older catalogue's files must not linger: the bundle is exactly the catalogue.
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const std::string& name : fonts.files)
        writeOutputFile(folder / name, placeholderFont(name));
}

} // namespace demo

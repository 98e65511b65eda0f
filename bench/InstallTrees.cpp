#include "bench/InstallTrees.h"

#include "install/Catalogue.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace bench {
namespace {

std::vector<std::string> rows(const fw::Ref<fw::Array>& list, std::int32_t first, std::int32_t last) {
    std::vector<std::string> names;
    for (std::int32_t row = first; row <= last; ++row)
        names.push_back(list->StringAt(row).str());
    return names;
}

void writeRandomFile(const fs::path& file, std::uintmax_t size, std::mt19937_64& random) {
    std::ofstream out(file, std::ios::binary);
    std::vector<std::uint64_t> block(64 * 1024 / sizeof(std::uint64_t));
    for (std::uintmax_t written = 0; written < size;) {
        for (std::uint64_t& word : block)
            word = random();
        const std::uintmax_t n =
            std::min<std::uintmax_t>(size - written, block.size() * sizeof(std::uint64_t));
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n));
        written += n;
    }
    if (!out.flush())
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace

fs::path keyboardBundleIn(const fs::path& resources) {
    return resources / installer::kKeyboardBundle.str();
}
fs::path fontsFolderIn(const fs::path& resources) {
    return resources / installer::kFontsFolder.str();
}

void layDemoTree(const fs::path& demoResources, const fs::path& resources) {
    fs::create_directories(resources);
    const auto options = fs::copy_options::recursive | fs::copy_options::copy_symlinks;
    fs::copy(keyboardBundleIn(demoResources), keyboardBundleIn(resources), options);
    fs::copy(fontsFolderIn(demoResources), fontsFolderIn(resources), options);
}

void layHeavyTree(const fs::path& demoResources, const fs::path& resources, std::uintmax_t fontBytes,
                  std::uintmax_t firstFontBytes) {
    fs::create_directories(resources);
    const auto options = fs::copy_options::recursive | fs::copy_options::copy_symlinks;
    fs::copy(keyboardBundleIn(demoResources), keyboardBundleIn(resources), options);
    const fs::path fonts = fontsFolderIn(resources);
    fs::create_directory(fonts);
    std::mt19937_64 random(20240605);
    bool first = true;
    for (const std::string& name : rows(installer::makeFontItems(), 1, installer::kLastFontRow)) {
        writeRandomFile(fonts / name, first && firstFontBytes ? firstFontBytes : fontBytes, random);
        first = false;
    }
}

std::vector<std::string> removedEntries() {
    const std::string layouts = installer::kLibrary.str() + "/" + installer::kKeyboardLayouts.str();
    const std::string bundle = layouts + "/" + installer::kKeyboardBundle.str();
    const std::string resources = bundle + "/Contents/Resources";
    std::vector<std::string> entries{resources + "/English.lproj/InfoPlist.strings",
                                     resources + "/English.lproj"};
    for (const std::string& name : rows(installer::makeKeyboardItems(), 1, installer::kLastKeyboardRow))
        entries.push_back(resources + "/" + name);
    for (const char* rest :
         {"/Contents/Resources", "/Contents/Info.plist", "/Contents/version.plist", "/Contents", ""})
        entries.push_back(bundle + rest);
    const std::string fonts =
        installer::kLibrary.str() + "/" + installer::kFonts.str() + "/" + installer::kFontsFolder.str();
    for (const std::string& name : rows(installer::makeFontItems(), 1, installer::kLastFontRow))
        entries.push_back(fonts + "/" + name);
    return entries;
}

} // namespace bench

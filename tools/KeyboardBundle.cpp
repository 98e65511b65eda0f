#include "tools/KeyboardBundle.h"

#include "tools/Icns.h"
#include "tools/KeyLayout.h"
#include "tools/LayoutIcon.h"
#include "tools/OutputFile.h"
#include "tools/PropertyList.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace demo {
namespace {

namespace fs = std::filesystem;

constexpr int kFirstLayoutId = -12401;
const std::string kIdentifierRoot = "org.quorvan.keyboardlayout.";
const std::string kVersion = "1.0";

// The layouts of the bundle in catalogue order, each named by its file stem.
struct BundleLayouts {
    std::vector<std::string> stems;

    int variantOf(const std::string& stem) {
        auto at = std::find(stems.begin(), stems.end(), stem);
        if (at == stems.end())
            at = stems.insert(stems.end(), stem);
        return static_cast<int>(at - stems.begin());
    }
};

std::string menuName(std::string stem) {
    std::replace(stem.begin(), stem.end(), '_', ' ');
    return stem;
}

std::string infoPlist(const std::string& bundleName, const std::vector<std::string>& stems) {
    std::vector<PlistEntry> root{
        {"CFBundleIdentifier", kIdentifierRoot + bundleName, {}},
        {"CFBundleName", bundleName, {}},
        {"CFBundlePackageType", "BNDL", {}},
        {"CFBundleInfoDictionaryVersion", "6.0", {}},
        {"CFBundleShortVersionString", kVersion, {}},
        {"CFBundleVersion", kVersion, {}},
    };
    for (const std::string& stem : stems)
        root.push_back({"KLInfo_" + menuName(stem),
                        {},
                        {{"TISInputSourceID", kIdentifierRoot + bundleName + "." + stem, {}},
                         {"TISIntendedLanguage", "ta", {}}}});
    return propertyListXml(root);
}

std::string versionPlist(const std::string& bundleName) {
    return propertyListXml({{"BuildVersion", "1", {}},
                            {"CFBundleShortVersionString", kVersion, {}},
                            {"CFBundleVersion", kVersion, {}},
                            {"ProjectName", bundleName, {}},
                            {"SourceVersion", "1", {}}});
}

// UTF-8 text: the strings readers accept it beside the older UTF-16.
std::string englishStrings(const std::string& bundleName, const std::vector<std::string>& stems) {
    std::string out = "CFBundleName = \"" + bundleName + "\";\n";
    for (const std::string& stem : stems)
        out += "\"" + menuName(stem) + "\" = \"" + menuName(stem) + "\";\n";
    return out;
}

std::string rowContents(const fs::path& row, BundleLayouts& layouts) {
    const std::string stem = row.stem().string();
    const int variant = layouts.variantOf(stem);
    if (row.extension() == ".keylayout")
        return keyLayoutXml({menuName(stem), kFirstLayoutId - variant, variant});
    if (row.extension() == ".icns")
        return icnsHolding(kIcns128, layoutIconPng(variant));
    throw std::runtime_error("no generator for the catalogue row " + row.string());
}

} // namespace

void writeKeyboardBundle(const fs::path& resources, const CatalogueFolder& keyboard) {
    const fs::path bundle = resources / keyboard.folder;
    const std::string bundleName = fs::path(keyboard.folder).stem().string();
    const fs::path contents = bundle / "Contents";
    fs::remove_all(bundle);

    BundleLayouts layouts;
    for (const std::string& row : keyboard.files)
        writeOutputFile(contents / "Resources" / row, rowContents(row, layouts));
    writeOutputFile(contents / "Resources" / "English.lproj" / "InfoPlist.strings",
                    englishStrings(bundleName, layouts.stems));
    writeOutputFile(contents / "Info.plist", infoPlist(bundleName, layouts.stems));
    writeOutputFile(contents / "version.plist", versionPlist(bundleName));
}

} // namespace demo

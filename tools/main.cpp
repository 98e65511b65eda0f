// Fills the demo application bundle with its resources: the backdrop, the
// keyboard-layout bundle and the placeholder fonts, then the bundle's own
// Info.plist, written last so that the build takes it as the sign of a
// finished run.
//
// Usage: demo_bundle_generator <bundle>/Contents <executable name>

#include "tools/ApplicationInfo.h"
#include "tools/Backdrop.h"
#include "tools/CatalogueRows.h"
#include "tools/KeyboardBundle.h"
#include "tools/OutputFile.h"
#include "tools/PlaceholderFonts.h"

#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " <bundle>/Contents <executable name>\n";
        return 2;
    }
    try {
        const std::filesystem::path contents = argv[1];
        const std::filesystem::path resources = contents / "Resources";
        demo::writeOutputFile(resources / "Quorvan BG.jpg", demo::backdropJpeg());
        demo::writeKeyboardBundle(resources, demo::keyboardCatalogue());
        demo::writePlaceholderFonts(resources, demo::fontCatalogue());
        demo::writeApplicationInfo(contents, argv[2]);
    } catch (const std::exception& e) {
        std::cerr << argv[0] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

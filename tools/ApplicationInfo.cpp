#include "tools/ApplicationInfo.h"

#include "tools/OutputFile.h"
#include "tools/PropertyList.h"

namespace demo {

void writeApplicationInfo(const std::filesystem::path& contents, const std::string& executableName) {
    writeOutputFile(contents / "Info.plist",
                    propertyListXml({{"CFBundleExecutable", executableName, {}},
                                     {"CFBundleIdentifier", "org.quorvan.keyboardinstaller", {}},
                                     {"CFBundleName", executableName, {}},
                                     {"CFBundlePackageType", "APPL", {}},
                                     {"CFBundleInfoDictionaryVersion", "6.0", {}},
                                     {"CFBundleShortVersionString", "1.0", {}},
                                     {"CFBundleVersion", "1.0", {}}}));
}

} // namespace demo

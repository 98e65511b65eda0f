#pragma once
// The installer application bundle's own Info.plist.

#include <filesystem>
#include <string>

namespace demo {

void writeApplicationInfo(const std::filesystem::path& contents, const std::string& executableName);

} // namespace demo

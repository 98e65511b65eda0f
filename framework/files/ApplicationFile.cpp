#include "framework/files/FolderItem.h"

#include <optional>

namespace fw {
namespace {

std::optional<std::filesystem::path>& applicationFileForTesting() {
    static std::optional<std::filesystem::path> file;
    return file;
}

} // namespace

std::filesystem::path ApplicationFile() {
    if (const auto& file = applicationFileForTesting())
        return *file;
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

void SetApplicationFileForTesting(const std::filesystem::path& file) {
    if (file.empty())
        applicationFileForTesting().reset();
    else
        applicationFileForTesting() = file;
}

std::filesystem::path ApplicationFolder() {
    const std::filesystem::path file = ApplicationFile();
    const std::filesystem::path macOS = file.parent_path();
    const std::filesystem::path contents = macOS.parent_path();
    const std::filesystem::path bundle = contents.parent_path();
    if (macOS.filename() == "MacOS" && contents.filename() == "Contents" && bundle.extension() == ".app")
        return bundle.parent_path();
    return macOS;
}

} // namespace fw

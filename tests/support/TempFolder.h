#pragma once
// A real temporary folder for a test, removed with everything in it at the
// end of the test, with small helpers to lay out and read back file trees.

#include <filesystem>
#include <map>
#include <string>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& rel) const { return path_ / rel; }

private:
    std::filesystem::path path_;
};

// Writes `contents` to `file`, making the folders above it.
void writeFile(const std::filesystem::path& file, const std::string& contents);
std::string readFile(const std::filesystem::path& file);

// Every entry below `root`, by relative path: "d" for a folder, "l:" and the
// target for a link, "f:" and the contents for a file.
std::map<std::string, std::string> snapshot(const std::filesystem::path& root);

} // namespace testing_support

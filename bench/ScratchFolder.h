#pragma once
// A new folder under $TMPDIR (else /tmp), removed with everything in it when
// its owner goes.

#include <filesystem>
#include <string>

namespace bench {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace bench

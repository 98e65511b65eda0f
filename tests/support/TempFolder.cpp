#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testing_support {

TempFolder::TempFolder() {
    std::string templ = (fs::temp_directory_path() / "installer-test-XXXXXX").string();
    if (!mkdtemp(templ.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = templ;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Give back write permission that a test may have taken away, so that
    // everything below can be removed.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void writeFile(const fs::path& file, const std::string& contents) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> out;
    if (!fs::exists(fs::symlink_status(root)))
        return out;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string rel = it->path().lexically_relative(root).string();
        if (it->is_symlink())
            out[rel] = "l:" + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            out[rel] = "d";
        else
            out[rel] = "f:" + readFile(it->path());
    }
    return out;
}

} // namespace testing_support

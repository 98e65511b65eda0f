// Looking at and removing single entries.

#include "framework/files/FileSystem.h"
#include "framework/files/SystemCall.h"

namespace fw::posix {

bool entryExists(const std::filesystem::path& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

bool folderExists(const std::filesystem::path& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && isFolder(st);
}

int removeEntry(const std::filesystem::path& p) {
    Error error = check(::unlink(p.c_str()));
    // Linux refuses to unlink a folder with EISDIR; other systems say EPERM.
    struct stat st;
    if (error == EISDIR || (error == EPERM && ::lstat(p.c_str(), &st) == 0 && isFolder(st)))
        error = check(::rmdir(p.c_str()));
    return error == ENOENT ? 0 : error;
}

std::string stagingNameFor(std::string_view name) {
    std::string staged;
    staged.reserve(name.size() + 12);
    staged += '.';
    staged += name;
    staged += ".installing";
    return staged;
}

} // namespace fw::posix

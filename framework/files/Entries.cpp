// Looking at and removing single entries, and the names copies stage under.

#include "framework/files/FileSystem.h"
#include "framework/files/LinkFreeWalk.h"
#include "framework/files/SystemCall.h"

#include <cstdint>

namespace fw::posix {
namespace {

// Unlinks `name` in `dir`; a folder goes only when empty.
Error removeAt(int dir, const char* name) {
    Error error = check(::unlinkat(dir, name, 0));
    // Linux refuses to unlink a folder with EISDIR; other systems say EPERM.
    struct stat st;
    if (error == EISDIR || (error == EPERM && statEntryAt(dir, name, st) == 0 && isFolder(st)))
        error = check(::unlinkat(dir, name, AT_REMOVEDIR));
    return error;
}

} // namespace

bool entryExists(const std::filesystem::path& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

bool folderExists(const std::filesystem::path& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && isFolder(st);
}

int removeEntry(const std::filesystem::path& start, const std::filesystem::path& below) {
    const bool isStart = below.empty();
    const std::filesystem::path& entry = isStart ? start : below;
    Fd from, parent;
    Error error = openAt(
        AT_FDCWD, isStart ? (start.has_parent_path() ? start.parent_path().c_str() : ".") : start.c_str(),
        O_PATH | O_DIRECTORY, from);
    if (error == 0 && !isStart)
        error = openFolderBelow(from.get(), below.parent_path(), O_PATH, parent);
    if (error == 0)
        error = removeAt(isStart ? from.get() : parent.get(), entry.filename().c_str());
    return error == ENOENT ? 0 : error;
}

// ".installing-" and the 32 hex digits of the 128-bit FNV-1a hash of the
// entry's name: hidden, 44 bytes whatever the name's length, and the same in
// every run, so that a crash's leftover is found by the next copy. No name
// stands for itself: the name of a staging entry is staged under the hash of
// that name, another one. An entry of the user's could only be taken for a
// staging entry by bearing the hash of a name beside it.
std::string stagingNameFor(std::string_view name) {
    __extension__ using Hash = unsigned __int128;
    constexpr Hash kPrime = (Hash(1) << 88) + 0x13B;
    Hash hash = (Hash(0x6C62272E07BB0142ull) << 64) + 0x62B821756295C58Dull;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= kPrime;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string staged = ".installing-";
    for (int shift = 124; shift >= 0; shift -= 4)
        staged += kDigits[static_cast<unsigned>(hash >> shift) & 0xF];
    return staged;
}

} // namespace fw::posix

// The kernel resolves the whole path at once where it offers openat2 with
// RESOLVE_NO_SYMLINKS (Linux 5.6 on). Elsewhere each name is opened on its
// own with O_PATH | O_NOFOLLOW, which gives the entry itself even when it is a
// link, and its type is checked on the descriptor before the next step: a
// link is refused as openat2 would refuse it, and nothing is followed.

#include "framework/files/LinkFreeWalk.h"

#include "framework/files/FileSystem.h"

#include <atomic>
#include <sys/syscall.h>
#if __has_include(<linux/openat2.h>)
#include <linux/openat2.h>
#endif

namespace fw::posix {
namespace {

std::atomic<bool> walkForTesting{false};
std::atomic<bool> kernelLacksOpenat2{false};

#if defined(SYS_openat2) && defined(RESOLVE_NO_SYMLINKS)
// ENOSYS when this kernel has no openat2 (or a filter in front of it says so).
Error openInKernel(int start, const char* below, int flags, Fd& out) noexcept {
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags | O_CLOEXEC);
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_BENEATH;
    const long fd = ::syscall(SYS_openat2, start, below, &how, sizeof how);
    if (fd < 0)
        return errno;
    out = Fd(static_cast<int>(fd));
    return 0;
}
#else
Error openInKernel(int, const char*, int, Fd&) noexcept {
    return ENOSYS;
}
#endif

// The entry `name` in `dir` itself, as an O_PATH descriptor, refused unless it is a folder.
Error openStep(int dir, const char* name, Fd& out) noexcept {
    FW_TRY(openAt(dir, name, O_PATH | O_NOFOLLOW, out));
    struct stat st;
    FW_TRY(check(::fstat(out.get(), &st)));
    if (S_ISLNK(st.st_mode))
        return ELOOP;
    return isFolder(st) ? 0 : ENOTDIR;
}

Error openByWalk(int start, const std::filesystem::path& below, int flags, Fd& out) noexcept {
    Fd parent;
    int at = start;
    const std::string last = below.filename().string();
    for (const std::filesystem::path& name : below.parent_path()) {
        Fd next;
        FW_TRY(openStep(at, name.c_str(), next));
        parent = std::move(next);
        at = parent.get();
    }
    Fd entry;
    FW_TRY(openStep(at, last.c_str(), entry));
    if (flags & O_PATH) {
        out = std::move(entry);
        return 0;
    }
    // Opened once more for reading; an entry swapped for a link meanwhile is refused (ENOTDIR).
    return openAt(at, last.c_str(), flags | O_NOFOLLOW, out);
}

} // namespace

void SetWalkWithoutOpenat2ForTesting(bool walk) {
    walkForTesting = walk;
}

Error openFolderBelow(int start, const std::filesystem::path& below, int flags, Fd& out) {
    if (below.empty())
        return openAt(start, ".", flags | O_DIRECTORY, out);
    if (!walkForTesting.load(std::memory_order_relaxed) &&
        !kernelLacksOpenat2.load(std::memory_order_relaxed)) {
        const Error error = openInKernel(start, below.c_str(), flags | O_DIRECTORY, out);
        if (error != ENOSYS)
            return error;
        kernelLacksOpenat2 = true;
    }
    return openByWalk(start, below, flags | O_DIRECTORY, out);
}

} // namespace fw::posix

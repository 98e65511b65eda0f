#include "framework/files/FolderLock.h"

#include "framework/files/WorkPump.h"

#include <chrono>
#include <sys/file.h>
#include <thread>

namespace fw::posix {
namespace {

// Short enough that the wait ends soon after the other copy's, long enough to cost nothing.
constexpr std::chrono::milliseconds kRetryInterval{2};

} // namespace

Error lockFolder(int folder) {
    for (;;) {
        if (::flock(folder, LOCK_EX | LOCK_NB) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return errno;
        // Polled rather than blocking, so that the pump can run between tries.
        pumpIfDue();
        std::this_thread::sleep_for(kRetryInterval);
    }
}

} // namespace fw::posix

#pragma once
// The files and folders of a copy that are written but not yet known to be
// on disk. Write-back of each file is started as soon as it is written, and
// all are flushed in one later pass, from several threads at once: a flush
// mostly waits on the device, and flushes that wait together are served
// together (one journal commit, or one cache flush of the device), so a pass
// costs a few flushes rather than one per file. The calling thread, which is
// the window's, flushes nothing itself while helper threads can: it waits for
// them in short waits and lets the window paint between them. Internal to
// framework/files.

#include "framework/files/SystemCall.h"

#include <cstddef>
#include <vector>

namespace fw::posix {

class FlushQueue {
public:
    // Starts write-back of a written file's data (`length` bytes from `from`;
    // 0: to the end), where the system offers it.
    static void startWriteBack(int fd, off_t from = 0, off_t length = 0) noexcept;

    // Queues `fd` for flushing. Past a bound on open descriptors the queue is
    // flushed first, so a large tree never runs out of them.
    Error add(Fd fd);
    // Flushes (fsync) and closes everything queued; the first failure is returned.
    Error flushAll() noexcept;

private:
    static constexpr std::size_t kMaxOpen = 256;

    std::vector<Fd> pending_;
};

} // namespace fw::posix

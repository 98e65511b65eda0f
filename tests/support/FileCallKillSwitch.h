#pragma once
// Ends the process with SIGKILL just before a chosen call that changes what
// is on disk, so that a test can look at what an installation interrupted at
// exactly that point leaves behind. Counting calls rather than waiting for a
// time makes every kill point the same on every run.
//
// The switch takes the place of the C library's functions listed in FileCall
// for the whole program it is linked into, forwarding each to the real one.
// It counts only the calls of the thread that turned it on, and nothing at
// all while it is off, so a test program that the linker gives it without
// using it runs as before. Flushes (fsync) are not counted: they change
// nothing that a kill can see, and which thread makes one depends on timing.

#include <cstddef>
#include <vector>

namespace testing_support {

// The calls that change the disk, by what they do.
enum class FileCall {
    MakeFolder, // mkdirat
    CopyData,   // copy_file_range
    WriteData,  // pwrite
    SetMode,    // fchmod
    SetTimes,   // futimens, utimensat
    MakeLink,   // symlinkat
    Rename,     // rename, renameat2
    Remove,     // unlinkat
};
const char* describe(FileCall call);

// While the switch is on, one data call moves at most this many bytes, as a
// kernel may: a file's data then takes several calls, and a kill can land
// between two of them.
inline constexpr std::size_t kKillSwitchChunk = 32 * 1024;

namespace kill_switch {

// From now on, every call of this thread is counted and recorded, and none
// is stopped.
void record();
// Kills the process just before this thread's n-th counted call from now; 1
// is the next.
void killBefore(std::size_t n);
// Turns the switch off and gives the calls recorded since record().
std::vector<FileCall> off();

} // namespace kill_switch
} // namespace testing_support

#pragma once
// Copying one file's bytes: in the kernel with copy_file_range (a reflink
// where the file system offers one), else through a read/write loop; a large
// file in pieces, with the window given its chance to paint between them.
// Internal to framework/files.

#include "framework/files/SystemCall.h"

#include <filesystem>
#include <memory>

namespace fw::posix {

class FileData {
public:
    // Copies the first `size` bytes of `in` to the start of `out` (both files
    // newly opened); a file that has grown shorter is copied to its end.
    // `source` names `in` for the fault plan.
    Error copy(int in, int out, off_t size, const std::filesystem::path& source);

private:
    // Copies in the kernel; `done` says how far it got.
    Error copyInKernel(int in, int out, off_t size, off_t& done) noexcept;
    Error copyThroughBuffer(int in, int out, off_t size, off_t done);
    static void pieceDone(int out, off_t from, off_t to) noexcept;

    bool kernelCopyOffered_ = true; // false once the system says it has no copy_file_range
    std::unique_ptr<char[]> buffer_;
};

} // namespace fw::posix

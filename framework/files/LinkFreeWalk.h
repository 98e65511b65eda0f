#pragma once
// Reaching an entry below a folder without following any link on the way, so
// that a link placed anywhere in a path can never lead a delete or a copy
// somewhere else. Internal to framework/files.

#include "framework/files/SystemCall.h"

#include <filesystem>

namespace fw::posix {

// Opens the folder at `below` (relative names, none of them "." or "..")
// inside the open folder `start` with `flags` (O_RDONLY or O_PATH, with
// O_DIRECTORY). A link at any step, the last included, gives ELOOP; an entry
// that is not a folder, ENOTDIR. An empty `below` opens `start` itself anew.
Error openFolderBelow(int start, const std::filesystem::path& below, int flags, Fd& out);

} // namespace fw::posix

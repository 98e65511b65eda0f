#include "framework/files/FileSystem.h"
#include "framework/files/FolderItem.h"

#include <cstdlib>

namespace fw {

Ref<FolderItem> Volume(std::int32_t number) {
    if (number != 0)
        return Ref<FolderItem>();
    // The start-up volume can be any folder, so that a run can be pointed at a sandbox.
    const char* root = std::getenv("STARTUP_VOLUME_ROOT");
    std::filesystem::path folder = root ? std::filesystem::path(root) : std::filesystem::path("/");
    if (!posix::folderExists(folder))
        return Ref<FolderItem>();
    return FolderItem::at(std::move(folder));
}

} // namespace fw

#pragma once
// The running application's resources folder.

#include "framework/files/FolderItem.h"

#include <cstdint>

namespace fw {

// The child "Resources" of the folder two levels above the application's
// own file (Contents for X.app/Contents/MacOS/file). Nil when no folder of
// that name is there to give. NilObjectException when there is no
// application file, or no folder one or two levels above it (the file is a
// bare name, or lies too near the root); an item that is merely not on disk
// is not missing. `which` must be 0.
Ref<FolderItem> AppFolderItemGetter(std::int32_t which);

// _GetApplicationBundleResources.
inline Ref<FolderItem> GetApplicationBundleResources() {
    return AppFolderItemGetter(0);
}

} // namespace fw

#include "framework/ui/ApplicationResources.h"

#include "framework/runtime/Exception.h"

#include <filesystem>
#include <system_error>

namespace fw {
namespace {

// The folder that holds `item`. An item that is not on disk is not missing;
// one that has no folder above it (a relative name, the root) is.
Ref<FolderItem> parentOf(const Ref<FolderItem>& item) {
    const std::filesystem::path& path = NotNil(item).path();
    if (path.empty() || !path.has_parent_path() || path.parent_path() == path)
        RaiseNilObjectException();
    return FolderItem::at(path.parent_path());
}

} // namespace

Ref<FolderItem> AppFolderItemGetter(std::int32_t which) {
    if (which != 0)
        return Ref<FolderItem>();
    const std::filesystem::path file = ApplicationFile();
    const Ref<FolderItem> application = file.empty() ? Ref<FolderItem>() : FolderItem::at(file);
    const Ref<FolderItem> contents = parentOf(parentOf(application));
    Ref<FolderItem> resources = contents->Child(String("Resources"));
    std::error_code error;
    if (!resources || !std::filesystem::is_directory(resources->path(), error))
        return Ref<FolderItem>();
    return resources;
}

} // namespace fw

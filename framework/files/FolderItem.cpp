#include "framework/files/FolderItem.h"

#include "framework/files/FaultPlan.h"
#include "framework/files/FileSystem.h"
#include "framework/runtime/Exception.h"

#include <cerrno>

namespace fw {
namespace {

using testing::FaultPlan;
using testing::Operation;

// Whether `name` names an entry inside a folder and nothing beyond it.
bool isEntryName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

} // namespace

const ClassRecord* FolderItem::Lookup() {
    static const ClassRecord record = BuildFrameworkClass("FolderItem", nullptr, AllocateAs<FolderItem>, {});
    return &record;
}

Ref<FolderItem> FolderItem::at(std::filesystem::path p) {
    Ref<FolderItem> item = make<FolderItem>();
    item->setClassRecord(Lookup());
    item->start_ = p;
    item->path_ = std::move(p);
    return item;
}

void FolderItem::Constructor(const Ref<FolderItem>& other) {
    const FolderItem& from = NotNil(other);
    path_ = from.path_;
    start_ = from.start_;
    below_ = from.below_;
}

void FolderItem::Constructor(const String& path, std::int32_t pathMode) {
    if (path.empty() && pathMode == 0)
        path_ = ApplicationFolder();
    else
        path_ = std::filesystem::path(path.str());
    start_ = path_;
    below_.clear();
}

Ref<FolderItem> FolderItem::Child(const String& name) const {
    if (path_.empty() || !isEntryName(name.bytes()))
        return Ref<FolderItem>();
    Ref<FolderItem> child = at(start_);
    child->below_ = below_ / name.str();
    child->path_ = path_ / name.str();
    return child;
}

bool FolderItem::Exists() const {
    return !path_.empty() && posix::entryExists(path_);
}

void FolderItem::Delete() {
    lastError_ =
        FaultPlan::apply(Operation::Delete, path_, [&] { return posix::removeEntry(start_, below_); });
}

void FolderItem::CopyFileTo(const Ref<FolderItem>& destination) {
    const FolderItem& into = NotNil(destination);
    lastError_ = FaultPlan::apply(Operation::Copy, path_, [&] {
        return path_.empty() || into.path_.empty() ? ENOENT
                                                   : posix::copyEntryInto(path_, into.start_, into.below_);
    });
}

} // namespace fw

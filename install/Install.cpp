#include "install/Install.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/StackCheck.h"
#include "framework/ui/MsgBox.h"
#include "install/Catalogue.h"
#include "install/Run.h"

namespace installer {

Run::Run(fw::Window* self) : window(fw::Ref<fw::Window>::retain(self)) {}

fw::Ref<fw::FolderItem> Run::newItem() {
    const fw::ClassRecord* record = fw::FolderItem::Lookup();
    return fw::RuntimeCheckCast<fw::FolderItem>(fw::NotNil(window).New(record), record);
}

fw::Ref<fw::FolderItem> walk(fw::Ref<fw::FolderItem> start, std::initializer_list<fw::String> names) {
    fw::Ref<fw::FolderItem> item = std::move(start);
    for (const fw::String& name : names)
        item = fw::NotNil(item).Child(name);
    return item;
}

fw::Ref<fw::FolderItem> Run::itemOnVolume(std::initializer_list<fw::String> names) {
    // The new item is made before the item it is to denote is looked up.
    fw::Ref<fw::FolderItem> item = newItem();
    item->Constructor(walk(fw::Volume(0), names));
    return item;
}

bool Run::reportedError() {
    const fw::FolderItem& item = fw::NotNil(current);
    if (item.LastErrorCode() <= 0)
        return false;
    fw::MsgBox(fw::Str(item.LastErrorCode(), fw::String()));
    errorShown = true;
    return true;
}

void Run::finish(const fw::String& successMessage) {
    if (!errorShown)
        fw::MsgBox(successMessage);
}

void install(fw::Window* self) {
    fw::RuntimeStackCheck();
    Run run(self);
    run.keyboardItems = makeKeyboardItems();
    run.fontItems = makeFontItems();

    const fw::String& bundleName = fw::NotNil(run.keyboardItems).StringAt(0);
    run.current = run.itemOnVolume({kLibrary, kKeyboardLayouts, bundleName});
    run.errorShown = false;

    if (fw::NotNil(run.current).Exists())
        removeInstalled(run);
    else
        installByCopy(run);
}

} // namespace installer

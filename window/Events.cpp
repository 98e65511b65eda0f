// The installer window's reactions: the label's word when the window opens,
// the pointing hand when the pointer enters the button, and a run of the
// engine when the button is pressed.

#include "framework/files/FolderItem.h"
#include "framework/runtime/StackCheck.h"
#include "framework/ui/Label.h"
#include "framework/ui/RoundRectangle.h"
#include "framework/ui/System.h"
#include "window/ControlLookup.h"
#include "window/Texts.h"
#include "window/Window1.h"

namespace Window1 {
namespace {

using fw::Ref;

Ref<fw::Label> label(fw::Window& self) {
    return fw::Operation<Ref<fw::Label>(fw::Window*)>(self, operationIndex(Own::buttontext))(&self);
}

} // namespace

// The word says what a press will do: remove when the keyboard bundle is
// installed, install when it is not.
void Event_Open(fw::Window* w) {
    fw::RuntimeStackCheck();
    const Ref<fw::Window> self = Ref<fw::Window>::retain(w);
    fw::Window& window = fw::NotNil(self);

    const Ref<fw::FolderItem> library = fw::NotNil(fw::Volume(0)).Child(texts::kLibrary.text());
    const Ref<fw::FolderItem> layouts = fw::NotNil(library).Child(texts::kKeyboardLayouts.text());
    const Ref<fw::FolderItem> last = fw::NotNil(layouts).Child(texts::kKeyboardBundle.text());
    const Ref<fw::FolderItem> bundle = newObject<fw::FolderItem>(window);
    bundle->Constructor(last);

    if (bundle->Exists())
        fw::NotNil(label(window)).setText(texts::kRemoveWord.text());
    else
        fw::NotNil(label(window)).setText(texts::kInstallWord.text());
}

bool RoundRectangle1_MouseDown(fw::Window* w, fw::RoundRectangle* button, std::int32_t, std::int32_t) {
    fw::RuntimeStackCheck();
    const Ref<fw::Window> self = Ref<fw::Window>::retain(w);
    const Ref<fw::RoundRectangle> pressed = Ref<fw::RoundRectangle>::retain(button);
    const bool result = false;
    fw::Operation<void(fw::Window*)>(self.get(), operationIndex(Own::install))(w);
    return result;
}

// The window's cursor, not the button's; nothing sets it back.
void RoundRectangle1_MouseEnter(fw::Window* w, fw::RoundRectangle* button) {
    fw::RuntimeStackCheck();
    const Ref<fw::Window> self = Ref<fw::Window>::retain(w);
    const Ref<fw::RoundRectangle> entered = Ref<fw::RoundRectangle>::retain(button);
    const Ref<fw::CursorsClass> cursors = fw::NotNil(fw::System()).Cursors();
    const Ref<fw::MouseCursor> finger = fw::NotNil(cursors).FingerPointer();
    fw::NotNil(self).setMouseCursor(finger);
}

} // namespace Window1

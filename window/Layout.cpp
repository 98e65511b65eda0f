// The installer window's layout and controls: its picture, menu bar and
// window record; the button and the label with their records; the button's
// two handlers.

#include "framework/runtime/PropertySetter.h"
#include "framework/runtime/StackCheck.h"
#include "framework/ui/Label.h"
#include "framework/ui/RoundRectangle.h"
#include "window/ControlLookup.h"
#include "window/EventStubs.h"
#include "window/MenuBar1.h"
#include "window/PropertyRecords.h"
#include "window/Texts.h"
#include "window/Window1.h"
#include "window/WindowPicture.h"

namespace Window1 {
namespace {

using fw::Ref;

constexpr float kTextSize = 20.0f;
constexpr fw::FontUnits kTextUnit = fw::FontUnits::Default; // FontUnits 0

// Makes a control of class C, constructs it through its own table and adds
// it to the window under `name`; the window holds it from then on.
template <class C>
void addNewControl(fw::Window& self, const fw::String& name) {
    const Ref<C> control = newObject<C>(self);
    using Constructor = void(fw::RectControl*);
    fw::Operation<Constructor>(control.get(),
                               fw::operationIndex(fw::RectControlOp::Constructor))(control.get());
    fw::WindowOperation<fw::window_operation::AddControl>(self, fw::WindowOp::AddControl)(&self, name,
                                                                                          control);
}

// The window's own operation `op`, read from its table as code for a delegate.
template <class F>
fw::CodeRef ownOperation(fw::Window& self, Own op) {
    return fw::CodeRef::of<F>(fw::Operation<F>(self, operationIndex(op)));
}

} // namespace

void Layout(fw::Window* w) {
    fw::RuntimeStackCheck();
    const Ref<fw::Window> self = Ref<fw::Window>::retain(w);
    fw::NotNil(self).setBackdrop(x_QuorvanBG::QuorvanBG());
    self->setMenuBar(MenuBar1::Instance());
    fw::SetProperties(self, records::kWindow);
}

void CreateControls(fw::Window* w) {
    fw::RuntimeStackCheck();
    const Ref<fw::Window> self = Ref<fw::Window>::retain(w);
    fw::Operation<void(fw::Window*)>(self.get(), operationIndex(Own::CreateControls0))(w);
}

void CreateControls0(fw::Window* w) {
    fw::RuntimeStackCheck();
    const Ref<fw::Window> self = Ref<fw::Window>::retain(w);
    fw::Window& window = fw::NotNil(self);
    const fw::String buttonName = texts::kButtonName.text();
    const fw::String labelName = texts::kLabelName.text();

    // 1, 2: the button and its record.
    addNewControl<fw::RoundRectangle>(window, buttonName);
    fw::SetProperties(controlNamed<fw::RoundRectangle>(window, buttonName), records::kButton);

    // 3, 4: its two handlers, with the window as their weak target.
    using MouseDownMethod = bool(fw::Window*, fw::RoundRectangle*, std::int32_t, std::int32_t);
    using MouseEnterMethod = void(fw::Window*, fw::RoundRectangle*);
    const Ref<fw::Delegate> mouseDown =
        fw::RuntimeCreateDelegate(fw::CodeRef::of<Delegate::MouseDownInvoker>(&Delegate::IM_Invoke),
                                  ownOperation<MouseDownMethod>(window, Own::RoundRectangle1_MouseDown), self,
                                  texts::kMouseDownSignature.text(), 1);
    fw::RuntimeAddEventHandler(controlNamed<fw::RoundRectangle>(window, buttonName),
                               static_cast<std::int32_t>(fw::eventNumber(fw::RoundRectangleEvent::MouseDown)),
                               fw::CodeRef::of<fw::MouseDownStub>(&AddHandler::Stub15), mouseDown);
    const Ref<fw::Delegate> mouseEnter =
        fw::RuntimeCreateDelegate(fw::CodeRef::of<Delegate::MouseEnterInvoker>(&Delegate::IM_Invoke),
                                  ownOperation<MouseEnterMethod>(window, Own::RoundRectangle1_MouseEnter),
                                  self, texts::kMouseEnterSignature.text(), 1);
    fw::RuntimeAddEventHandler(controlNamed<fw::RoundRectangle>(window, buttonName),
                               static_cast<std::int32_t>(fw::eventNumber(fw::RectControlEvent::MouseEnter)),
                               fw::CodeRef::of<fw::RectControlStub>(&AddHandler::Stub4), mouseEnter);

    // 5 to 8: the label, its text size and unit, then its record, which
    // names the button as its initial parent and leaves size and unit be.
    addNewControl<fw::Label>(window, labelName);
    fw::NotNil(controlNamed<fw::Label>(window, labelName)).setTextSize(kTextSize);
    fw::NotNil(controlNamed<fw::Label>(window, labelName)).setTextUnit(kTextUnit);
    fw::SetProperties(controlNamed<fw::Label>(window, labelName), records::kLabel);
    // 9: the delegates' references go here; the button's table holds its own.
}

Ref<fw::RoundRectangle> RoundRectangle1(fw::Window* w) {
    fw::RuntimeStackCheck();
    const Ref<fw::Window> self = Ref<fw::Window>::retain(w);
    return controlNamed<fw::RoundRectangle>(fw::NotNil(self), texts::kButtonName.text());
}

Ref<fw::Label> buttontext(fw::Window* w) {
    fw::RuntimeStackCheck();
    const Ref<fw::Window> self = Ref<fw::Window>::retain(w);
    return controlNamed<fw::Label>(fw::NotNil(self), texts::kLabelName.text());
}

} // namespace Window1

// Window's operations on the objects and controls it holds, and on drops
// and menus.

#include "framework/ui/WindowCode.h"
#include "framework/ui/WindowWidget.h"

#include <QWidget>
#include <algorithm>

namespace fw {

Ref<Object> WindowCode::New(Window* w, const ClassRecord* record) {
    TargetWindow(w);
    Ref<Object> made = RuntimeNewObject(record);
    if (!made)
        RaiseNilObjectException();
    return made;
}

// The window holds the control under the name, with its own reference, for
// as long as the window lives; a control in another window leaves that one.
void WindowCode::AddControl(Window* w, const String& name, const Ref<Object>& object) {
    Window& self = TargetWindow(w);
    const Ref<fw::Control> control = RuntimeCheckCast<fw::Control>(object, fw::Control::Lookup());
    fw::Control& c = NotNil(control);
    if (c.window() && c.window() != w)
        WindowOperation<window_operation::RemoveControl>(*c.window(), WindowOp::RemoveControl)(c.window(),
                                                                                               control);
    controls(self).push_back({name, control});
    c.attachedTo(w);
    if (self.widget())
        c.windowViewReady();
}

void WindowCode::RemoveControl(Window* w, const Ref<fw::Control>& control) {
    Window& self = TargetWindow(w);
    auto& list = controls(self);
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const Window::NamedControl& c) { return c.control == control; });
    if (it == list.end())
        return;
    const Ref<fw::Control> leaving = it->control;
    list.erase(it);
    leaving->detachedFromWindow();
}

Ref<fw::Control> WindowCode::ControlAt(Window* w, std::int32_t index) {
    const auto& list = TargetWindow(w).controls();
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return Ref<fw::Control>();
    return list[static_cast<std::size_t>(index)].control;
}

// RuntimeControlReference: nil for a name that no control bears.
Ref<Object> WindowCode::ControlByName(Window* w, const String& name) {
    return TargetWindow(w).controlNamed(name.bytes());
}

// The member of the control set of that name whose Index is `index`.
Ref<Object> WindowCode::ControlByNameIndex(Window* w, const String& name, std::int32_t index) {
    for (const Window::NamedControl& c : TargetWindow(w).controls())
        if (c.name == name && c.control->controlState().index == index)
            return c.control;
    return Ref<Object>();
}

namespace {

void moveFocus(Window& w, bool forward) {
    WindowWidget* view = w.widget();
    if (!view)
        return;
    QWidget* from = view->focusWidget() ? view->focusWidget() : view->content();
    for (QWidget* next = forward ? from->nextInFocusChain() : from->previousInFocusChain();
         next && next != from; next = forward ? next->nextInFocusChain() : next->previousInFocusChain()) {
        if (next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus)) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

} // namespace

void WindowCode::FocusNext(Window* w) {
    moveFocus(TargetWindow(w), true);
}
void WindowCode::FocusPrevious(Window* w) {
    moveFocus(TargetWindow(w), false);
}

// This framework has no drag and drop: there is never an item.
Ref<Object> WindowCode::NewDragItem(Window* w, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    TargetWindow(w);
    return Ref<Object>();
}

namespace {
void accept(Window& w, const String& type) {
    WindowCode::acceptedDrops(w).push_back(type);
    WindowCode::state(w).acceptsDrops = true;
    w.stateChanged();
}
} // namespace

void WindowCode::AcceptTextDrop(Window* w) {
    accept(TargetWindow(w), String("text"));
}
void WindowCode::AcceptPictureDrop(Window* w) {
    accept(TargetWindow(w), String("picture"));
}
void WindowCode::AcceptFileDrop(Window* w, const String& fileType) {
    accept(TargetWindow(w), fileType);
}
void WindowCode::AcceptMacDataDrop(Window* w, const String& dataType) {
    accept(TargetWindow(w), dataType);
}
void WindowCode::AcceptRawDataDrop(Window* w, const String& dataType) {
    accept(TargetWindow(w), dataType);
}

void WindowCode::AddMenuHandler(Window* w, const String& menuItemName, CodeRef handler) {
    menuHandlers(TargetWindow(w)).push_back({menuItemName, handler});
}

void WindowCode::EnableMenuItems(Window* w, const Ref<Array>& /*menuItems*/) {
    Window& self = TargetWindow(w);
    RunWindowEvent<window_event::Hook>(self, WindowEvent::EnableMenuItems);
}

// Menu items carry no name in this framework, so no handler can be told
// apart from another: a command is never handled here.
bool WindowCode::HandleMenuCommand(Window* w, const Ref<MenuItem>& /*item*/) {
    TargetWindow(w);
    return false;
}

// A window depends on no other module.
void WindowCode::DependencyList(Window* w) {
    TargetWindow(w);
}

} // namespace fw

// Window's operations through which its view reports what happened; each
// runs the window's event of that kind.

#include "framework/ui/GraphicsPainter.h"
#include "framework/ui/WindowCode.h"
#include "framework/ui/WindowList.h"
#include "framework/ui/WindowWidget.h"

namespace fw {

namespace e = window_event;

void WindowCode::CallMoved(Window* w) {
    RunWindowEvent<e::Hook>(TargetWindow(w), WindowEvent::Moved);
}
void WindowCode::CallActivated(Window* w) {
    RunWindowEvent<e::Hook>(TargetWindow(w), WindowEvent::Activate);
}
void WindowCode::CallDeactivated(Window* w) {
    RunWindowEvent<e::Hook>(TargetWindow(w), WindowEvent::Deactivate);
}
void WindowCode::CallResized(Window* w) {
    RunWindowEvent<e::Hook>(TargetWindow(w), WindowEvent::Resized);
}
void WindowCode::CallResizing(Window* w) {
    RunWindowEvent<e::Hook>(TargetWindow(w), WindowEvent::Resizing);
}
void WindowCode::MouseEnter(Window* w) {
    RunWindowEvent<e::Hook>(TargetWindow(w), WindowEvent::MouseEnter);
}
void WindowCode::MouseExit(Window* w) {
    RunWindowEvent<e::Hook>(TargetWindow(w), WindowEvent::MouseExit);
}

void WindowCode::MouseMove(Window* w, std::int32_t x, std::int32_t y) {
    RunWindowEvent<e::MouseHook>(TargetWindow(w), WindowEvent::MouseMove, x, y);
}

bool WindowCode::CallMouseDown(Window* w, std::int32_t x, std::int32_t y) {
    return RunWindowEvent<e::MouseDownHook>(TargetWindow(w), WindowEvent::MouseDown, x, y);
}

bool WindowCode::MouseWheel(Window* w, std::int32_t x, std::int32_t y, std::int32_t deltaX,
                            std::int32_t deltaY) {
    return RunWindowEvent<e::MouseWheelHook>(TargetWindow(w), WindowEvent::MouseWheel, x, y, deltaX, deltaY);
}

bool WindowCode::KeyDown(Window* w, const String& key) {
    return RunWindowEvent<e::KeyHook>(TargetWindow(w), WindowEvent::KeyDown, key);
}

void WindowCode::Paint(Window* w, const Ref<Graphics>& g) {
    Window& self = TargetWindow(w);
    MarkWindowClean(self);
    RunWindowEvent<e::PaintHook>(self, WindowEvent::Paint, g.get());
}

// CancelClose may keep the window open; otherwise Close runs and the window
// leaves the framework's lists, which may release it.
bool WindowCode::UnifiedClose(Window* w, bool appQuitting) {
    Window& self = TargetWindow(w);
    const Ref<Window> protector = Ref<Window>::retain(w);
    if (RunWindowEvent<e::CancelCloseHook>(self, WindowEvent::CancelClose, appQuitting))
        return false;
    RunWindowEvent<e::Hook>(self, WindowEvent::Close);
    state(self).visible = false;
    if (self.widget())
        self.widget()->hide();
    LeaveWindowLists(self);
    return true;
}

} // namespace fw

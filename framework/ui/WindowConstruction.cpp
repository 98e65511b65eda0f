// Window.Constructor, the default window construction (WindowDefaultConstructor).

#include "framework/ui/EventLoop.h"
#include "framework/ui/WindowCode.h"
#include "framework/ui/WindowList.h"
#include "framework/ui/WindowWidget.h"

#include <exception>

namespace fw {
namespace {

// A construction that fails leaves no trace in the lists, and nothing on the screen.
class LeaveListsOnFailure {
public:
    explicit LeaveListsOnFailure(Window& w) : window_(w) {}
    ~LeaveListsOnFailure() {
        if (std::uncaught_exceptions() <= exceptions_)
            return;
        if (WindowWidget* view = window_.widget())
            view->hide();
        LeaveWindowLists(window_);
    }
    LeaveListsOnFailure(const LeaveListsOnFailure&) = delete;
    LeaveListsOnFailure& operator=(const LeaveListsOnFailure&) = delete;

private:
    Window& window_;
    int exceptions_ = std::uncaught_exceptions();
};

} // namespace

WindowWidget& ViewOf(Window& w) {
    WindowWidget*& view = WindowCode::widget(w);
    if (!view) {
        EnsureGuiApplication();
        view = new WindowWidget(w);
        for (const Window::NamedControl& c : w.controls())
            c.control->windowViewReady();
        view->sync();
    }
    return *view;
}

// The view first, so that the hooks' controls have somewhere to go; then the
// class's hooks in the order of the event table; the window appears when its
// state says so, before Open, which may need it on the screen.
void WindowCode::Constructor(Window* w) {
    Window& self = TargetWindow(w);
    const Ref<Window> protector = Ref<Window>::retain(w);
    WindowWidget& view = ViewOf(self);
    HoldWindow(self);
    const LeaveListsOnFailure undo(self);

    RunWindowEvent<window_event::Hook>(self, WindowEvent::Layout);
    RunWindowEvent<window_event::Hook>(self, WindowEvent::CreateControls);
    RunWindowEvent<window_event::Hook>(self, WindowEvent::AddMenuHandlers);
    RunWindowEvent<window_event::Hook>(self, WindowEvent::SetupBindings);

    setConstructed(self, true);
    view.sync();
    if (self.windowState().visible)
        view.showAsStated();
    RunWindowEvent<window_event::Hook>(self, WindowEvent::Open);
    state(self).contentsChanged = false;
}

void WindowCode::WindowConstructor(Window* w) {
    Constructor(w);
}

} // namespace fw

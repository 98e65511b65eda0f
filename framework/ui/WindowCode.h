#pragma once
// Window's own code for each operation of its table (framework only). The
// bodies are grouped by what they deal with: WindowShowing.cpp,
// WindowControls.cpp, WindowConstruction.cpp, WindowEvents.cpp.

#include "framework/ui/Graphics.h"
#include "framework/ui/Window.h"
#include "framework/ui/WindowOperations.h"

#include <cstdint>
#include <utility>

namespace fw {

struct WindowCode {
    // Showing, hiding and closing.
    static void Show(Window* w);
    static void ShowWithin(Window* w, const Ref<Window>& parent, std::int32_t facing);
    static void ShowModalWithin(Window* w, const Ref<Window>& parent);
    static void Hide(Window* w);
    static void Close(Window* w);
    static void ShowModal(Window* w);
    static void Maximize(Window* w);
    static void Minimize(Window* w);
    static void Restore(Window* w);
    static void SetFocus(Window* w);
    static void Move(Window* w, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    static std::uintptr_t Operator_Convert(Window* w);
    static Ref<Window> TrueWindow(Window* w);

    // Drawing.
    static void Refresh(Window* w, bool eraseBackground);
    static void RefreshRect(Window* w, std::int32_t left, std::int32_t top, std::int32_t width,
                            std::int32_t height, bool eraseBackground);
    static void UpdateNow(Window* w);
    static void Update(Window* w);
    static void DrawInto(Window* w, const Ref<Graphics>& g, std::int32_t x, std::int32_t y,
                         bool drawBackground);
    static void DrawBackground(Window* w, const Ref<Graphics>& g, std::int32_t left, std::int32_t top,
                               std::int32_t width, std::int32_t height, std::int32_t originX,
                               std::int32_t originY);

    // Objects and controls.
    static Ref<Object> New(Window* w, const ClassRecord* record);
    static void AddControl(Window* w, const String& name, const Ref<Object>& control);
    static void RemoveControl(Window* w, const Ref<fw::Control>& control);
    static Ref<fw::Control> ControlAt(Window* w, std::int32_t index);
    static Ref<Object> ControlByName(Window* w, const String& name);
    static Ref<Object> ControlByNameIndex(Window* w, const String& name, std::int32_t index);
    static void FocusNext(Window* w);
    static void FocusPrevious(Window* w);

    // Drops and menus.
    static Ref<Object> NewDragItem(Window* w, std::int32_t left, std::int32_t top, std::int32_t width,
                                   std::int32_t height);
    static void AcceptTextDrop(Window* w);
    static void AcceptPictureDrop(Window* w);
    static void AcceptFileDrop(Window* w, const String& fileType);
    static void AcceptMacDataDrop(Window* w, const String& dataType);
    static void AcceptRawDataDrop(Window* w, const String& dataType);
    static void AddMenuHandler(Window* w, const String& menuItemName, CodeRef handler);
    static void EnableMenuItems(Window* w, const Ref<Array>& menuItems);
    static bool HandleMenuCommand(Window* w, const Ref<MenuItem>& item);
    static void DependencyList(Window* w);

    // Construction.
    static void Constructor(Window* w);
    static void WindowConstructor(Window* w);

    // What the view reports, passed on to the window's events.
    static void CallMoved(Window* w);
    static void CallActivated(Window* w);
    static void CallDeactivated(Window* w);
    static bool UnifiedClose(Window* w, bool appQuitting);
    static bool CallMouseDown(Window* w, std::int32_t x, std::int32_t y);
    static void CallResized(Window* w);
    static void CallResizing(Window* w);
    static void MouseEnter(Window* w);
    static void MouseExit(Window* w);
    static void MouseMove(Window* w, std::int32_t x, std::int32_t y);
    static void Paint(Window* w, const Ref<Graphics>& g);
    static bool MouseWheel(Window* w, std::int32_t x, std::int32_t y, std::int32_t deltaX,
                           std::int32_t deltaY);
    static bool KeyDown(Window* w, const String& key);

    // The window's state, for the code above.
    static WindowState& state(Window& w) { return w.state_; }
    static std::vector<Window::NamedControl>& controls(Window& w) { return w.controls_; }
    static std::vector<std::pair<String, CodeRef>>& menuHandlers(Window& w) { return w.menuHandlers_; }
    static std::vector<String>& acceptedDrops(Window& w) { return w.acceptedDrops_; }
    static WindowWidget*& widget(Window& w) { return w.widget_; }
    static void setConstructed(Window& w, bool c) { w.constructed_ = c; }
    static void setModal(Window& w, bool m) { w.modal_ = m; }
};

// The window itself, for an operation called on it; nil raises NilObjectException.
Window& TargetWindow(Window* w);

// Runs the class's hook for `event` with the window and the arguments; with
// no hook set, the event does nothing and gives the result type's zero.
template <class Hook, class... Args>
auto RunWindowEvent(Window& w, WindowEvent event, Args... args) {
    using Result = decltype(std::declval<Hook*>()(&w, args...));
    const ClassRecord* record = w.classRecord();
    const std::size_t n = eventNumber(event);
    if (!record || n >= record->events.size() || !record->events[n].handler)
        return Result();
    return record->events[n].handler.as<Hook>()(&w, args...);
}

// The view of a window, made when it is first needed.
WindowWidget& ViewOf(Window& w);

} // namespace fw

#include "framework/ui/WindowList.h"

#include "framework/runtime/ModuleGlobal.h"

#include <algorithm>
#include <vector>

namespace fw {
namespace {

class WindowCollection : public Object {
public:
    std::vector<Ref<Window>> windows;

    bool holds(const Window& w) const {
        return std::any_of(windows.begin(), windows.end(),
                           [&](const Ref<Window>& h) { return h.get() == &w; });
    }
    void add(Window& w) {
        if (!holds(w))
            windows.push_back(Ref<Window>::retain(&w));
    }
    // The reference leaves the list before it is released, so a window that
    // goes with it finds the list consistent.
    void remove(const Window& w) {
        const auto it =
            std::find_if(windows.begin(), windows.end(), [&](const Ref<Window>& h) { return h.get() == &w; });
        if (it == windows.end())
            return;
        const Ref<Window> leaving = std::move(*it);
        windows.erase(it);
    }
};

class ImplicitWindows : public Object {
public:
    struct Entry {
        String className;
        Ref<Window> window;
    };
    std::vector<Entry> entries;
};

// The lists are made once and never destroyed: at process exit, after Qt
// has gone, nothing of the window system may be torn down. Their finalisers
// release what they hold while Qt is still there.
template <class T>
ModuleGlobal<T>& lasting(const char* finalizerName) {
    return *new ModuleGlobal<T>(finalizerName);
}
ModuleGlobal<WindowCollection>& windowList = lasting<WindowCollection>("_WindowSupport.Windows.__Exit");
ModuleGlobal<WindowCollection>& dirtyWindows =
    lasting<WindowCollection>("_WindowSupport.mDirtyWindows.__Exit");
ModuleGlobal<ImplicitWindows>& implicitWindows = lasting<ImplicitWindows>("_mImplicitWindowList.__Exit");

template <class T>
T& made(ModuleGlobal<T>& global) {
    if (!global)
        global.set(make<T>());
    return *global.get();
}

const String& classNameOf(const Window& w) {
    static const String none;
    return w.classRecord() ? w.classRecord()->name : none;
}

} // namespace

Ref<Window> GetImplicitWindow(const String& className) {
    if (!implicitWindows)
        return Ref<Window>();
    for (const ImplicitWindows::Entry& e : implicitWindows.get()->entries)
        if (e.className == className)
            return e.window;
    return Ref<Window>();
}

void HoldWindow(Window& window) {
    made(windowList).add(window);
    if (!window.windowState().implicitInstance)
        return;
    ImplicitWindows& implicit = made(implicitWindows);
    const String& name = classNameOf(window);
    // The first window of a class stays its implicit instance while it is open.
    for (const ImplicitWindows::Entry& e : implicit.entries)
        if (e.className == name)
            return;
    implicit.entries.push_back({name, Ref<Window>::retain(&window)});
}

void LeaveWindowLists(Window& window) {
    // Whatever these hold goes only once the lists are consistent again.
    const Ref<Window> protector = Ref<Window>::retain(&window);
    if (windowList)
        windowList.get()->remove(window);
    if (dirtyWindows)
        dirtyWindows.get()->remove(window);
    if (implicitWindows) {
        auto& entries = implicitWindows.get()->entries;
        std::erase_if(entries, [&](const ImplicitWindows::Entry& e) { return e.window.get() == &window; });
    }
}

bool IsWindowHeld(const Window& window) {
    return windowList && windowList.get()->holds(window);
}

void MarkWindowDirty(Window& window) {
    made(dirtyWindows).add(window);
}

void MarkWindowClean(Window& window) {
    if (dirtyWindows)
        dirtyWindows.get()->remove(window);
}

bool IsWindowDirty(const Window& window) {
    return dirtyWindows && dirtyWindows.get()->holds(window);
}

void WindowSupportWindowsInit() {
    made(windowList);
    made(dirtyWindows);
}

void WindowSupportDirtyWindowsExit() {
    dirtyWindows.exit();
}
void WindowSupportWindowsExit() {
    windowList.exit();
}
void ImplicitWindowListExit() {
    implicitWindows.exit();
}

} // namespace fw

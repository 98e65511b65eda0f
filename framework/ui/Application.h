#pragma once
// The application object: the one the program registers as the running
// application, and its menu bar.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"
#include "framework/ui/MenuBar.h"

#include <cstddef>

namespace fw {

// Application's operations, in the order of its table; each takes the application first.
enum class ApplicationOp : std::size_t {
    NewDocument,           // "NewDocument"
    OpenDocument,          // "OpenDocument" (FolderItem)
    DoEvents,              // "DoEvents" (Int32)
    AddMenuHandler,        // "_AddMenuHandler" (String, Ptr)
    AddPollableObject,     // "_AddPollableObject" (_Pollable)
    RemovePollableObject,  // "_RemovePollableObject" (_Pollable)
    AddTrayItem,           // "AddTrayItem" (TrayItem) -> Boolean
    RemoveTrayItem,        // "RemoveTrayItem" (TrayItem)
    YieldToNextThread,     // "YieldToNextThread"
    SleepCurrentThread,    // "SleepCurrentThread" (Int32)
    DoSingleEvent,         // "_DoSingleEvent" (Boolean)
    EnableMenuItems,       // "_EnableMenuItems" (MenuItem array)
    CallOpen,              // "_CallOpen"
    HandleMenuCommand,     // "_HandleMenuCommand" (MenuItem) -> Boolean
    LoadPictureFromBundle, // "_LoadPictureFromBundle" (String) -> Picture
    LoadBundleSound,       // "_LoadBundleSound" (String) -> Sound
    DependencyList,        // "__DependencyList"
    Count_,
};

// Application's events, by position in its event table.
enum class ApplicationEvent : std::size_t {
    Open,
    Close,
    EnableMenuItems,
    NewDocument,
    OpenDocument,
    HandleAppleEvent,
    Activate,
    Deactivate,
    UnhandledException,
    CancelClose,
    Count_,
};

class Application : public Object {
public:
    Application() = default;
    static const ClassRecord* Lookup();

    const Ref<MenuBar>& menuBar() const noexcept { return menuBar_; }

private:
    friend void AppMenuBarSetter(Application* app, const Ref<MenuBar>& menuBar);
    Ref<MenuBar> menuBar_;
};

// Application.MenuBar's setter: the menu bar becomes the application's.
void AppMenuBarSetter(Application* app, const Ref<MenuBar>& menuBar);

// The running application's object: the framework holds it from here until
// the runtime shuts down.
void RuntimeRegisterAppObject(const Ref<Application>& app);
// The registered object, or nil.
Ref<Application> RunningApplication();
// Lets go of the registered object; the runtime's shut-down does so.
void ReleaseAppObject();

} // namespace fw

#include "app/Program.h"

#include "app/App.h"
#include "app/FileTypes1.h"
#include "framework/runtime/Introspection.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/RuntimeLifecycle.h"
#include "framework/ui/WindowList.h"
#include "window/MenuBar1.h"
#include "window/Window1.h"

std::int32_t programMain() {
    fw::RuntimeInit();
    programInitialize();
    Main();
    programFinalize();
    return fw::RuntimeExit();
}

void programInitialize() {
    fw::InitializeFrameworkClasses();
    App::ctblinit();
    Window1::Window1::ctblinit();
    MenuBar1::MenuBar1::ctblinit();
}

// The window picture and the plug-in table have no finaliser.
void programFinalize() {
    fw::WindowSupportDirtyWindowsExit();
    fw::WindowSupportWindowsExit();
    fw::Introspection::ArrayInfoArrayMapExit();
    fw::Introspection::ClassInfoClassFQNToRefMapExit();
    fw::Introspection::ClassInfoClassRefMapExit();
    fw::ImplicitWindowListExit();
    MenuBar1::implicitInstanceExit();
    FileTypes1::pBundlesExit();
}

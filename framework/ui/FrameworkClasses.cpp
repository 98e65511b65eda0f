#include "framework/ui/FrameworkClasses.h"

#include "framework/files/FolderItem.h"
#include "framework/runtime/ClassRegistration.h"
#include "framework/runtime/FileType.h"
#include "framework/runtime/Trace.h"
#include "framework/ui/Application.h"
#include "framework/ui/Control.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Label.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/MouseCursor.h"
#include "framework/ui/Picture.h"
#include "framework/ui/RoundRectangle.h"
#include "framework/ui/System.h"
#include "framework/ui/Window.h"
#include "framework/ui/WindowList.h"

namespace fw {
namespace {

struct SetUpStep {
    const char* name; // as the step shows in a trace
    void (*run)();
};

// A class's builder is its Lookup, which builds the record on first use.
template <const ClassRecord* (*Lookup)()>
void buildClass() {
    RegisterClass(Lookup());
}

constexpr SetUpStep kSteps[] = {
    {"Application.__ctblinit", &buildClass<&Application::Lookup>},
    {"Window.__ctblinit", &buildClass<&Window::Lookup>},
    {"_WindowSupport.Windows.__Init", &WindowSupportWindowsInit},
    {"MenuItem.__ctblinit", &buildClass<&MenuItem::Lookup>},
    {"MenuBar.__ctblinit", &buildClass<&MenuBar::Lookup>},
    {"Control.__ctblinit", &buildClass<&Control::Lookup>},
    {"RectControl.__ctblinit", &buildClass<&RectControl::Lookup>},
    {"RoundRectangle.__ctblinit", &buildClass<&RoundRectangle::Lookup>},
    {"Label.__ctblinit", &buildClass<&Label::Lookup>},
    {"Graphics.__ctblinit", &buildClass<&Graphics::Lookup>},
    {"Picture.__ctblinit", &buildClass<&Picture::Lookup>},
    {"MouseCursor.__ctblinit", &buildClass<&MouseCursor::Lookup>},
    {"System.Cursors.__ctblinit", &buildClass<&CursorsClass::Lookup>},
    {"System.__ctblinit", &buildClass<&SystemClass::Lookup>},
    {"FolderItem.__ctblinit", &buildClass<&FolderItem::Lookup>},
    {"FileType.__ctblinit", &buildClass<&FileType::Lookup>},
};

} // namespace

void InitializeFrameworkClasses() {
    for (const SetUpStep& step : kSteps) {
        Trace(step.name);
        step.run();
    }
}

} // namespace fw

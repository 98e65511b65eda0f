#include "framework/ui/Application.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/Trace.h"

namespace fw {
namespace {
Ref<Application>& registered() {
    static auto* app = new Ref<Application>(); // outlives static destruction on purpose
    return *app;
}
} // namespace

// None of Application's operations is offered by this framework: each keeps
// its place with no code.
const ClassRecord* Application::Lookup() {
    static const ClassRecord record = [] {
        ClassRecord r = BuildFrameworkClass("Application", nullptr, &AllocateAs<Application>,
                                            {{"NewDocument", CodeRef()},
                                             {"OpenDocument", CodeRef()},
                                             {"DoEvents", CodeRef()},
                                             {"_AddMenuHandler", CodeRef()},
                                             {"_AddPollableObject", CodeRef()},
                                             {"_RemovePollableObject", CodeRef()},
                                             {"AddTrayItem", CodeRef()},
                                             {"RemoveTrayItem", CodeRef()},
                                             {"YieldToNextThread", CodeRef()},
                                             {"SleepCurrentThread", CodeRef()},
                                             {"_DoSingleEvent", CodeRef()},
                                             {"_EnableMenuItems", CodeRef()},
                                             {"_CallOpen", CodeRef()},
                                             {"_HandleMenuCommand", CodeRef()},
                                             {"_LoadPictureFromBundle", CodeRef()},
                                             {"_LoadBundleSound", CodeRef()},
                                             {"__DependencyList", CodeRef()}},
                                            {"Open", "Close", "EnableMenuItems", "NewDocument",
                                             "OpenDocument", "HandleAppleEvent", "Activate", "Deactivate",
                                             "UnhandledException", "CancelClose"});
        r.instanceSize = sizeof(Application);
        return r;
    }();
    return &record;
}

void AppMenuBarSetter(Application* app, const Ref<MenuBar>& menuBar) {
    if (!app)
        RaiseNilObjectException();
    app->menuBar_ = menuBar;
}

void RuntimeRegisterAppObject(const Ref<Application>& app) {
    Trace("RuntimeRegisterAppObject");
    registered() = app;
}

Ref<Application> RunningApplication() {
    return registered();
}

void ReleaseAppObject() {
    registered().reset();
}

} // namespace fw

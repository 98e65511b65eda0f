// The main routine and the start-up routine it hands to the framework.

#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/Program.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/PluginEntrypoints.h"
#include "framework/runtime/StackCheck.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/RuntimeLifecycle.h"
#include "window/Window1.h"

namespace {
// Kept for the life of the process; never read back, never released.
fw::PluginEntrypointTable* pluginEntrypoints = nullptr;
} // namespace

void Main() {
    fw::RuntimeStackCheck();
    fw::Ref<fw::Delegate> startup;
    try {
        startup = fw::RuntimeCreateDelegate(fw::CodeRef::of(&fw::DelegateInvoke), fw::CodeRef::of(&Startup),
                                            nullptr, fw::String("(  )"), 0);
        const fw::CodeRef entry = startup ? startup->method : fw::CodeRef();
        fw::RunFrameworkInitialization(entry);
        startup.reset();
        fw::RuntimeRun();
    } catch (...) {
        // Every exception, the framework's or any other C++ one (reported
        // under its own type). One out of the report itself is not handled
        // again; the handles release the delegate and the exception on the
        // way out.
        const fw::Ref<fw::RuntimeException> caught = fw::CaughtException();
        fw::RuntimeUnhandledException(caught);
        startup.reset();
    }
}

void Startup() {
    fw::RuntimeStackCheck();
    fw::RuntimeInitExternalClasses();
    fw::InitPluginEntrypoints(&InitPluginEntrypoints);
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
}

void InitPluginEntrypoints() {
    pluginEntrypoints = fw::RuntimeAllocatePluginEntrypointsTable(0);
}

void ApplicationAddMenuHandlers() {
    fw::RuntimeStackCheck();
}

void MakeDefaultView() {
    fw::RuntimeStackCheck();
    Window1::Instance(); // not looked at, and released at once
}

// The program's whole run, traced: start-up in its order, the exception
// handler of the main routine, shut-down in its order; and the application
// object, the menu bar instance and the file type that start-up makes.

#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/Program.h"
#include "framework/runtime/FileTypeRegistry.h"
#include "framework/runtime/Introspection.h"
#include "framework/ui/Application.h"
#include "framework/ui/RuntimeLifecycle.h"
#include "tests/support/PressButton.h"
#include "tests/support/StartupTrace.h"
#include "tests/support/TempFolder.h"
#include "window/MenuBar1.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

namespace {

using testing_support::StartupTrace;
using Calls = std::vector<std::string>;

const Calls kFinalisers = {
    "_WindowSupport.mDirtyWindows.__Exit",         "_WindowSupport.Windows.__Exit",
    "Introspection.ArrayInfo.mArrayMap.__Exit",    "Introspection.ClassInfo.sClassFQNToRefMap.__Exit",
    "Introspection.ClassInfo.sClassRefMap.__Exit", "_mImplicitWindowList.__Exit",
    "MenuBar1._implicitInstance.__Exit",           "FileTypes1.pBundles.__Exit"};

// The run up to the start-up routine, which every run goes through.
const Calls kSetUp = {"RuntimeInit",
                      "Window.__ctblinit",
                      "_WindowSupport.Windows.__Init",
                      "FileType.__ctblinit",
                      "App::ctblinit",
                      "Window1::Window1::ctblinit",
                      "MenuBar1::MenuBar1::ctblinit",
                      "Main",
                      "RuntimeCreateDelegate((  ))",
                      "RunFrameworkInitialization",
                      "Startup",
                      "RuntimeInitExternalClasses",
                      "InitPluginEntrypoints",
                      "RuntimeAllocatePluginEntrypointsTable(0)",
                      "InitFileTypes",
                      "NewAppInstance"};

Calls joined(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Every call a run's order is checked on; anything else in the trace is left
// out before comparing.
const Calls kRunCalls =
    joined({kSetUp,
            {"RuntimeRegisterAppObject", "ApplicationAddMenuHandlers", "MakeDefaultView",
             "Delegate released((  ))", "RuntimeRun", "RuntimeUnhandledException(NilObjectException)"},
            kFinalisers,
            {"RuntimeExit"}});

// A run on a start-up volume of its own, so that nothing reads the real one.
class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override { setenv("STARTUP_VOLUME_ROOT", volume.path().c_str(), 1); }
    void TearDown() override { unsetenv("STARTUP_VOLUME_ROOT"); }

    Calls runCalls() const { return trace.only(kRunCalls); }

    testing_support::TempFolder volume;
    StartupTrace trace;
};

TEST_F(ProgramRun, RunsEachStepOnceInOrderAndReturnsTheRuntimesStatus) {
    const std::int32_t status = programMain();

    EXPECT_EQ(runCalls(), joined({kSetUp,
                                  {"RuntimeRegisterAppObject", "ApplicationAddMenuHandlers",
                                   "MakeDefaultView", "Delegate released((  ))", "RuntimeRun"},
                                  kFinalisers,
                                  {"RuntimeExit"}}));
    EXPECT_EQ(status, 0);
}

TEST_F(ProgramRun, AnExceptionInStartUpIsReportedOnceAndShutDownStillRuns) {
    trace.raiseAt("NewAppInstance");
    testing::internal::CaptureStderr();
    const std::int32_t status = programMain();
    const std::string errors = testing::internal::GetCapturedStderr();

    // The rest of start-up and the event loop are skipped.
    EXPECT_EQ(runCalls(),
              joined({kSetUp,
                      {"RuntimeUnhandledException(NilObjectException)", "Delegate released((  ))"},
                      kFinalisers,
                      {"RuntimeExit"}}));
    EXPECT_EQ(status, 1);
    EXPECT_NE(errors.find("NilObjectException"), std::string::npos) << errors;
}

TEST_F(ProgramRun, AnExceptionInAnEventHandlerEndsTheLoopAndIsReportedOnce) {
    trace.onIdle([] { fw::RaiseNilObjectException(); });
    testing::internal::CaptureStderr();
    const std::int32_t status = programMain();
    testing::internal::GetCapturedStderr();

    const Calls calls = runCalls();
    const Calls tail(std::find(calls.begin(), calls.end(), "RuntimeRun"), calls.end());
    EXPECT_EQ(tail, joined({{"RuntimeRun", "RuntimeUnhandledException(NilObjectException)"},
                            kFinalisers,
                            {"RuntimeExit"}}));
    EXPECT_EQ(status, 1);
}

// A press on the real window whose run finds the start-up volume gone, and
// one whose run meets a C++ exception that is not the framework's (a failed
// allocation): each ends the loop, is reported once under its own class, and
// shut-down runs in its order.
TEST_F(ProgramRun, AnExceptionFromAPressOnTheWindowIsReportedOnceAndShutDownRuns) {
    struct Case {
        const char* what;
        std::function<void(StartupTrace&, const std::filesystem::path& volume)> arrange;
        const char* reported;
        const char* line;
    };
    const Case cases[] = {
        {"the volume has gone",
         [](StartupTrace&, const std::filesystem::path& volume) { std::filesystem::remove_all(volume); },
         "NilObjectException", "Unhandled NilObjectException\n"},
        {"an allocation fails",
         [](StartupTrace& t, const std::filesystem::path&) {
             t.raiseAt("RuntimeNewObject(FolderItem)", [] { throw std::bad_alloc(); });
         },
         "std::bad_alloc", "Unhandled std::bad_alloc: std::bad_alloc\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        trace.clear();
        trace.onIdle([&] {
            c.arrange(trace, volume.path());
            testing_support::pressTheButton();
        });
        testing::internal::CaptureStderr();
        const std::int32_t status = programMain();
        const std::string errors = testing::internal::GetCapturedStderr();

        const std::string report = std::string("RuntimeUnhandledException(") + c.reported + ")";
        const Calls calls = trace.only(joined({kRunCalls, {report}}));
        const Calls tail(std::find(calls.begin(), calls.end(), "RuntimeRun"), calls.end());
        EXPECT_EQ(tail, joined({{"RuntimeRun", report}, kFinalisers, {"RuntimeExit"}}));
        EXPECT_EQ(status, 1);
        // One report (Qt may add notices of its own).
        const std::size_t at = errors.find(c.line);
        EXPECT_NE(at, std::string::npos) << errors;
        EXPECT_EQ(errors.find("Unhandled", at + 1), std::string::npos) << errors;
        EXPECT_EQ(errors.find("Unhandled"), at) << errors;
        std::filesystem::create_directories(volume.path());
    }
}

TEST_F(ProgramRun, RegistersTheFileTypeOnceWithEmptyCodesAndWithdrawsNothingDuringStartUp) {
    fw::RuntimeInit();
    programInitialize();
    InitFileTypes();

    ASSERT_EQ(fw::RegisteredFileTypes().size(), 1u);
    const fw::FileTypeRegistration& r = fw::RegisteredFileTypes().front();
    EXPECT_EQ(r.name, fw::String("bundles"));
    EXPECT_TRUE(r.creator.empty());
    EXPECT_TRUE(r.type.empty());
    EXPECT_TRUE(r.extensions.empty());
    EXPECT_EQ(trace.only({"RuntimeRegisterFileType(bundles,,,)", "RuntimeDeregisterFileType(bundles)"}),
              Calls{"RuntimeRegisterFileType(bundles,,,)"});
    ASSERT_TRUE(FileTypes1::pBundles);
    EXPECT_TRUE(FileTypes1::pBundles.get()->registered());

    FileTypes1::pBundlesExit();
    EXPECT_FALSE(FileTypes1::pBundles);
    fw::RuntimeExit();
}

TEST_F(ProgramRun, TheApplicationObjectHoldsTheMenuBarInstanceWithNoMenus) {
    fw::RuntimeInit();
    programInitialize();
    NewAppInstance();

    const fw::Ref<fw::Application> app = fw::RunningApplication();
    ASSERT_TRUE(app);
    EXPECT_EQ(app->classRecord(), App::Lookup());
    const fw::Ref<MenuBar1::MenuBar1> menuBar = MenuBar1::Instance();
    EXPECT_EQ(app->menuBar().get(), menuBar.get());
    EXPECT_EQ(fw::MenuItem::Count(menuBar.get()), 0);
    EXPECT_EQ(trace.count("App::Constructor"), 1u);

    MenuBar1::implicitInstanceExit();
    fw::RuntimeExit();
    EXPECT_FALSE(fw::RunningApplication());
}

TEST_F(ProgramRun, TheMenuBarAccessorMakesOneInstanceAndItsFinaliserLeavesItNil) {
    programInitialize();
    MenuBar1::implicitInstanceExit();
    const std::int64_t before = fw::Object::liveCount();
    MenuBar1::implicitInstanceExit(); // never made: releases nothing
    EXPECT_EQ(fw::Object::liveCount(), before);
    EXPECT_FALSE(MenuBar1::implicitInstance);

    const fw::Ref<MenuBar1::MenuBar1> first = MenuBar1::Instance();
    const fw::Ref<MenuBar1::MenuBar1> second = MenuBar1::Instance();
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first->refCount(), 3); // the global's and one for each caller
    EXPECT_EQ(trace.count("MenuBar1::MenuBar1::Constructor"), 1u);
    EXPECT_EQ(trace.count("RuntimeMenuItemDefaultConstructor"), 0u); // replaced, never run

    MenuBar1::implicitInstanceExit();
    EXPECT_FALSE(MenuBar1::implicitInstance);
    EXPECT_EQ(first->refCount(), 2);
    EXPECT_NE(MenuBar1::Instance().get(), first.get()); // a new instance after the finaliser
    MenuBar1::implicitInstanceExit();
}

// App and MenuBar1 each publish one public "Constructor" without parameters
// or result; only MenuBar1 carries a class attribute.
TEST(ProgramClasses, PublishOnePublicConstructorEach) {
    struct Case {
        const fw::ClassRecord* record;
        const char* fullName;
        std::size_t classAttributes;
    };
    for (const Case& c :
         {Case{App::Lookup(), "App", 0}, Case{MenuBar1::MenuBar1::Lookup(), "MenuBar1.MenuBar1", 1}}) {
        SCOPED_TRACE(c.fullName);
        const fw::Ref<fw::Introspection::TypeInfo> type = fw::Introspection::GetTypeInfo(c.record);
        EXPECT_EQ(type->FullName(), fw::String(std::string_view(c.fullName)));
        EXPECT_EQ(c.record->classAttributes.size(), c.classAttributes);
        EXPECT_TRUE(type->IsPublic());
        const auto methods = type->GetMethods();
        ASSERT_EQ(methods.size(), 1u);
        EXPECT_EQ(methods[0]->Name(), fw::String("Constructor"));
        EXPECT_EQ(methods[0]->Signature(), fw::String("%%"));
        EXPECT_TRUE(methods[0]->IsPublic());
        EXPECT_TRUE(methods[0]->CanAccess());
        EXPECT_TRUE(methods[0]->GetAttributes().empty());
    }
}

// A lookup before the class set-up builds the record then; the set-up's later
// run of the builders changes nothing. Each case runs in a fresh process,
// where no record is built yet.
TEST(ProgramClassesDeathTest, ALookupBeforeTheClassSetUpBuildsTheRecordOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* name;
        const fw::ClassRecord* const* global;
        const fw::ClassRecord* (*lookup)();
    };
    for (const Case& c : {Case{"App", &App::ctbl, &App::Lookup},
                          Case{"MenuBar1", &MenuBar1::MenuBar1::ctbl, &MenuBar1::MenuBar1::Lookup}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EXIT(
            {
                if (*c.global)
                    std::exit(2);
                const fw::ClassRecord* built = c.lookup();
                const fw::ClassRecord copy = *built;
                programInitialize();
                const bool unchanged =
                    c.lookup() == built && *c.global == built && built->vtable.size() == copy.vtable.size() &&
                    built->members.size() == copy.members.size() &&
                    built->classAttributes.size() == copy.classAttributes.size() && built->name == copy.name;
                std::exit(unchanged ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
    }
}

// App's table is Application's, unchanged, then its constructor; MenuBar1's
// is MenuBar's with its constructor in MenuItem.Constructor's place.
TEST(ProgramClasses, KeepTheirParentsOperationsWithTheConstructorInItsPlace) {
    const fw::ClassRecord* app = App::Lookup();
    const fw::ClassRecord* application = fw::Application::Lookup();
    ASSERT_EQ(app->vtable.size(), application->vtable.size() + 1);
    for (std::size_t i = 0; i < application->vtable.size(); ++i)
        EXPECT_EQ(app->operationNames[i], application->operationNames[i]) << i;
    EXPECT_TRUE(app->vtable.back().is<void(App*)>());

    const fw::ClassRecord* menuBar1 = MenuBar1::MenuBar1::Lookup();
    const fw::ClassRecord* menuBar = fw::MenuBar::Lookup();
    const std::size_t replaced = static_cast<std::size_t>(fw::MenuItemOp::Constructor);
    ASSERT_EQ(menuBar1->vtable.size(), menuBar->vtable.size());
    for (std::size_t i = 0; i < menuBar->vtable.size(); ++i) {
        EXPECT_EQ(menuBar1->operationNames[i], menuBar->operationNames[i]) << i;
        if (i != replaced) {
            EXPECT_EQ(menuBar1->vtable[i].code, menuBar->vtable[i].code) << i;
        }
    }
    EXPECT_EQ(menuBar1->vtable[replaced].code, fw::CodeRef::of(&MenuBar1::MenuBar1::Constructor).code);
}

} // namespace

// Window1's class record as the framework sees it: its table of operations,
// its published members and their invokers, its event hooks, the property
// Untitled, and the implicit-instance accessor.

#include "app/Program.h"
#include "framework/files/FolderItem.h"
#include "framework/runtime/Introspection.h"
#include "framework/runtime/Variant.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/EventLoopTesting.h"
#include "framework/ui/Label.h"
#include "framework/ui/MsgBox.h"
#include "framework/ui/RoundRectangle.h"
#include "framework/ui/WindowList.h"
#include "install/Install.h"
#include "tests/support/Raised.h"
#include "tests/support/StartupTrace.h"
#include "tests/support/TempFolder.h"
#include "window/Window1.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

using fw::Ref;
using fw::String;
using Window1::Own;
namespace Introspection = fw::Introspection;

using testing_support::nameOfRaised;

const fw::ClassRecord* record() {
    return Window1::Window1::Lookup();
}

TEST(Window1Record, HasWindowsOperationsWithWindowsCodeThenItsNineInOrder) {
    const fw::ClassRecord* window = fw::Window::Lookup();
    const fw::ClassRecord* w1 = record();
    EXPECT_EQ(w1->parent, window);
    EXPECT_EQ(w1->name, String("Window1.Window1"));
    EXPECT_FALSE(w1->isInterface);
    EXPECT_EQ(window->vtable.size(), static_cast<std::size_t>(fw::WindowOp::Count_));

    const std::size_t inherited = window->vtable.size();
    ASSERT_EQ(w1->vtable.size(), inherited + 9);
    for (std::size_t i = 0; i < inherited; ++i) {
        EXPECT_EQ(w1->operationNames[i], window->operationNames[i]) << i;
        EXPECT_EQ(w1->vtable[i].code, window->vtable[i].code) << window->operationNames[i].str();
        EXPECT_EQ(w1->vtable[i].type, window->vtable[i].type) << window->operationNames[i].str();
    }
    const char* own[] = {"Layout",
                         "CreateControls",
                         "_CreateControls0",
                         "RoundRectangle1",
                         "buttontext",
                         "RoundRectangle1_MouseDown",
                         "RoundRectangle1_MouseEnter",
                         "Event_Open",
                         "install"};
    for (std::size_t k = 0; k < std::size(own); ++k) {
        EXPECT_EQ(Window1::operationIndex(static_cast<Own>(k)), inherited + k);
        EXPECT_EQ(w1->operationNames[inherited + k], String(std::string_view(own[k])));
    }
    // install is reached through the window's table.
    EXPECT_EQ(w1->vtable[Window1::operationIndex(Own::install)].code,
              fw::CodeRef::of(&installer::install).code);
}

TEST(Window1Record, PublishesNineMethodsWithTheirSignaturesAndScopes) {
    struct Member {
        const char* name;
        const char* signature;
        bool accessible;
        std::vector<std::string> shownAttributes; // "__Scope" is read as the scope, never shown
    };
    const Member expected[] = {
        {"Layout", "%%", true, {}},
        {"CreateControls", "%%", true, {}},
        {"_CreateControls0", "%%", false, {"Hidden"}},
        {"RoundRectangle1", "%o<RoundRectangle>%", true, {}},
        {"buttontext", "%o<Label>%", true, {}},
        {"RoundRectangle1_MouseDown", "%b%o<RoundRectangle>i4i4", true, {}},
        {"RoundRectangle1_MouseEnter", "%%o<RoundRectangle>", true, {}},
        {"Event_Open", "%%", true, {}},
        {"install", "%%", true, {}},
    };
    const Ref<Introspection::TypeInfo> type = Introspection::GetTypeInfo(record());
    const auto methods = type->GetMethods();
    ASSERT_EQ(methods.size(), std::size(expected));
    for (std::size_t i = 0; i < methods.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(methods[i]->Name(), String(std::string_view(expected[i].name)));
        EXPECT_EQ(methods[i]->Signature(), String(std::string_view(expected[i].signature)));
        EXPECT_TRUE(methods[i]->IsPublic());
        EXPECT_EQ(methods[i]->CanAccess(), expected[i].accessible);
        std::vector<std::string> shown;
        for (const Introspection::AttributeInfo& a : methods[i]->GetAttributes())
            shown.push_back(a.name.str());
        EXPECT_EQ(shown, expected[i].shownAttributes);
        EXPECT_EQ(record()->members[i].flags, fw::kPublicInstanceMethod);
    }
    EXPECT_EQ(methods[5]->ReturnType(), String("Boolean"));
    EXPECT_EQ(methods[5]->ParameterTypes(),
              (std::vector<String>{String("RoundRectangle"), String("Int32"), String("Int32")}));

    EXPECT_EQ(type->Name(), String("Window1"));
    EXPECT_TRUE(type->IsPublic());
    EXPECT_TRUE(type->GetAttributes().empty());
    const auto properties = type->GetProperties();
    ASSERT_EQ(properties.size(), 1u);
    EXPECT_EQ(properties[0]->Name(), String("Untitled"));
    EXPECT_EQ(properties[0]->PropertyType(), String("Int32"));
    EXPECT_TRUE(properties[0]->IsPublic());
    EXPECT_EQ(record()->properties.size(), fw::Window::Lookup()->properties.size() + 1);
}

TEST(Window1Record, HooksLayoutCreateControlsAndOpenOnly) {
    const fw::ClassRecord* window = fw::Window::Lookup();
    const fw::ClassRecord* w1 = record();
    ASSERT_EQ(w1->events.size(), static_cast<std::size_t>(fw::WindowEvent::Count_));
    ASSERT_EQ(w1->events.size(), window->events.size());
    for (std::size_t i = 0; i < w1->events.size(); ++i) {
        EXPECT_EQ(w1->events[i].name, window->events[i].name) << i;
        fw::CodeRef expected = window->events[i].handler;
        if (i == static_cast<std::size_t>(fw::WindowEvent::Layout))
            expected = fw::CodeRef::of(&Window1::Layout);
        if (i == static_cast<std::size_t>(fw::WindowEvent::CreateControls))
            expected = fw::CodeRef::of(&Window1::CreateControls);
        if (i == static_cast<std::size_t>(fw::WindowEvent::Open))
            expected = fw::CodeRef::of(&Window1::Event_Open);
        EXPECT_EQ(w1->events[i].handler.code, expected.code) << w1->events[i].name.str();
    }
}

// Untitled, set through introspection, reads back as set, and no other byte
// of the window changes.
TEST(Window1Record, UntitledIsSetAndReadBackAloneThroughIntrospection) {
    const Ref<Window1::Window1> w =
        fw::RuntimeCheckCast<Window1::Window1>(fw::RuntimeNewObject(record()), record());
    const Ref<Introspection::PropertyInfo> untitled =
        Introspection::GetTypeInfo(record())->GetProperties().at(0);
    const std::int32_t position = record()->properties.back().selector;
    ASSERT_LE(static_cast<std::size_t>(position) + sizeof(std::int32_t), sizeof(Window1::Window1));

    for (std::int32_t value : {1, -1, 0x01020304, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max(), 0}) {
        SCOPED_TRACE(value);
        std::vector<std::byte> before(sizeof(Window1::Window1));
        std::memcpy(before.data(), static_cast<const void*>(w.get()), before.size());

        untitled->SetValue(w, fw::Int32ToVariant(value));

        EXPECT_EQ(w->Untitled, value);
        EXPECT_EQ(fw::VariantToInt32(fw::dynamicRef<fw::Variant>(untitled->Value(w))), value);
        std::vector<std::byte> after(sizeof(Window1::Window1));
        std::memcpy(after.data(), static_cast<const void*>(w.get()), after.size());
        for (std::size_t i = 0; i < after.size(); ++i)
            if (i < static_cast<std::size_t>(position) || i >= position + sizeof(std::int32_t)) {
                ASSERT_EQ(after[i], before[i]) << "byte " << i;
            }
    }
}

// A Window1 is Window's bytes, tail padding included, and then the Int32 of
// Untitled; the record says so.
TEST(Window1Record, UntitledFollowsAllOfWindowsBytes) {
    EXPECT_EQ(record()->properties.back().selector, static_cast<std::int32_t>(sizeof(fw::Window)));
    EXPECT_EQ(record()->instanceSize, sizeof(fw::Window) + sizeof(std::int32_t));
    EXPECT_EQ(fw::Window::Lookup()->instanceSize, sizeof(fw::Window));
}

// Untitled belongs to Window1: on a plain Window (where its place is past the
// object) and on a Label (large enough to hold it) every way of reaching it is
// refused with the framework's cast exception, and no byte changes.
TEST(Window1Record, UntitledIsRefusedOnObjectsOfOtherClasses) {
    const Ref<Introspection::PropertyInfo> untitled =
        Introspection::GetTypeInfo(record())->GetProperties().at(0);
    const fw::PropertyEntry& entry = record()->properties.back();
    struct Target {
        const char* what;
        Ref<fw::Object> object;
        std::size_t size;
    };
    const Target targets[] = {
        {"Window", fw::RuntimeNewObject(fw::Window::Lookup()), sizeof(fw::Window)},
        {"Label", fw::RuntimeNewObject(fw::Label::Lookup()), sizeof(fw::Label)},
    };
    ASSERT_GT(sizeof(fw::Label), static_cast<std::size_t>(entry.selector) + sizeof(std::int32_t));
    for (const Target& t : targets) {
        SCOPED_TRACE(t.what);
        std::vector<std::byte> before(t.size);
        std::memcpy(before.data(), static_cast<const void*>(t.object.get()), t.size);
        const std::function<void()> ways[] = {
            [&] { untitled->SetValue(t.object, fw::Int32ToVariant(0x7f7f7f7f)); },
            [&] { untitled->Value(t.object); },
            [&] {
                entry.introspectionSetter.as<fw::PropertyValueSetter>()(t.object, entry,
                                                                        fw::Int32ToVariant(-1));
            },
            [&] { entry.introspectionGetter.as<fw::PropertyValueGetter>()(t.object, entry); },
            [&] {
                entry.setter.as<void(fw::Object*, std::int32_t, std::int32_t)>()(t.object.get(),
                                                                                 entry.selector, -1);
            },
            [&] {
                entry.getter.as<std::int32_t(fw::Object*, std::int32_t)>()(t.object.get(), entry.selector);
            },
        };
        for (std::size_t i = 0; i < std::size(ways); ++i)
            EXPECT_EQ(nameOfRaised(ways[i]), "IllegalCastException") << "way " << i;
        EXPECT_EQ(std::memcmp(before.data(), static_cast<const void*>(t.object.get()), t.size), 0);
    }
}

// A lookup before the class set-up builds each program record once; the
// set-up's later run of the builders changes nothing. Runs in a fresh
// process, where no record is built yet.
TEST(ProgramRecordsDeathTest, ALookupBeforeTheClassSetUpBuildsTheRecordOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (Window1::Window1::ctbl)
                std::exit(2);
            const fw::ClassRecord* built = Window1::Window1::Lookup();
            const std::size_t operations = built->vtable.size();
            const std::size_t members = built->members.size();
            const std::size_t properties = built->properties.size();
            programInitialize();
            const bool unchanged = Window1::Window1::Lookup() == built &&
                                   built->vtable.size() == operations && built->members.size() == members &&
                                   built->properties.size() == properties;
            std::exit(unchanged ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// A window the accessor made, on a start-up volume and in an application
// bundle of the test's own (with no picture), with message boxes recorded.
class Window1Invokers : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("STARTUP_VOLUME_ROOT", (folder / "volume").c_str(), 1);
        std::filesystem::create_directories(folder / "volume");
        std::filesystem::create_directories(folder / "Elsewhere.app/Contents/Resources");
        testing_support::writeFile(folder / "Elsewhere.app/Contents/MacOS/app", "");
        fw::SetApplicationFileForTesting(folder / "Elsewhere.app/Contents/MacOS/app");
        fw::SetMsgBoxRecorderForTesting([this](const String& text) { messages.push_back(text.str()); });
        fw::EnsureGuiApplication();
        programInitialize();
        window = Window1::Instance();
        trace.clear();
        messages.clear();
        button = fw::RuntimeNewObject(fw::RoundRectangle::Lookup());
    }
    void TearDown() override {
        window.reset();
        fw::CloseAllWindows();
        programFinalize();
        fw::SetMsgBoxRecorderForTesting(nullptr);
        fw::SetApplicationFileForTesting({});
        unsetenv("STARTUP_VOLUME_ROOT");
    }

    Ref<Introspection::MethodInfo> member(const char* name) const {
        for (const auto& m : Introspection::GetTypeInfo(record())->GetMethods())
            if (m->Name() == String(std::string_view(name)))
                return m;
        return nullptr;
    }
    Ref<fw::Array> arguments(std::initializer_list<fw::Value> values) const {
        Ref<fw::Array> list = fw::CreateArray(1, static_cast<std::int32_t>(fw::ElementType::Variant), -1);
        for (const fw::Value& v : values)
            list->Append(v);
        return list;
    }
    // Whether any routine of the window class ran: each begins with the stack check.
    bool windowCodeRan() const {
        return std::any_of(trace.calls().begin(), trace.calls().end(),
                           [](const std::string& call) { return call.starts_with("Window1::"); }) ||
               !messages.empty();
    }

    testing_support::TempFolder folder;
    testing_support::StartupTrace trace;
    std::vector<std::string> messages;
    Ref<Window1::Window1> window;
    Ref<fw::Object> button;
};

TEST_F(Window1Invokers, MouseDownRunsInstallAndYieldsFalse) {
    const Ref<fw::Object> result =
        member("RoundRectangle1_MouseDown")
            ->Invoke(window, arguments({button, std::int32_t{10}, std::int32_t{20}}));

    const Ref<fw::Variant> boxed = fw::dynamicRef<fw::Variant>(result);
    ASSERT_TRUE(boxed);
    EXPECT_EQ(boxed->value(), fw::Value(false));
    EXPECT_FALSE(messages.empty()) << "install reports every run in a message box";
}

TEST_F(Window1Invokers, TheControlAccessorsReturnTheControlItselfAndAcceptNilArguments) {
    const Ref<fw::Object> roundRectangle = member("RoundRectangle1")->Invoke(window, nullptr);
    const Ref<fw::Object> label = member("buttontext")->Invoke(window, nullptr);
    ASSERT_TRUE(roundRectangle && label);
    EXPECT_EQ(roundRectangle->classRecord(), fw::RoundRectangle::Lookup());
    EXPECT_EQ(label->classRecord(), fw::Label::Lookup());
}

TEST_F(Window1Invokers, ANilTargetRaisesAndRunsNothing) {
    for (const auto& m : Introspection::GetTypeInfo(record())->GetMethods()) {
        SCOPED_TRACE(m->Name().str());
        EXPECT_EQ(nameOfRaised([&] {
                      m->Invoke(nullptr, arguments({button, std::int32_t{1}, std::int32_t{2}}));
                  }),
                  "NilObjectException");
    }
    EXPECT_FALSE(windowCodeRan());
}

TEST_F(Window1Invokers, TheHandlerInvokersRefuseANilArgumentListAndRunNothing) {
    for (const char* name : {"RoundRectangle1_MouseDown", "RoundRectangle1_MouseEnter"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(nameOfRaised([&] { member(name)->Invoke(window, nullptr); }), "NilObjectException");
    }
    EXPECT_FALSE(windowCodeRan());
}

TEST_F(Window1Invokers, AnArgumentOfTheWrongClassGoesToTheFrameworksCast) {
    const Ref<fw::Object> notAButton = fw::RuntimeNewObject(fw::FolderItem::Lookup());
    EXPECT_EQ(
        nameOfRaised([&] { member("RoundRectangle1_MouseEnter")->Invoke(window, arguments({notAButton})); }),
        "IllegalCastException");
    EXPECT_FALSE(windowCodeRan());
}

// The accessor returns the window the framework holds and makes nothing; the
// first call, with none held, makes exactly one.
TEST_F(Window1Invokers, TheAccessorReturnsTheHeldWindowAndMakesNoSecond) {
    window.reset();
    fw::CloseAllWindows();
    programFinalize();
    programInitialize();
    ASSERT_FALSE(fw::GetImplicitWindow(String("Window1.Window1")));
    trace.clear();

    const Ref<Window1::Window1> first = Window1::Instance();
    EXPECT_EQ(trace.count("RuntimeNewObject(Window1.Window1)"), 1u);
    const int held = first->refCount();

    trace.clear();
    const Ref<Window1::Window1> second = Window1::Instance();
    EXPECT_EQ(second.get(), first.get());
    EXPECT_EQ(trace.count("RuntimeNewObject(Window1.Window1)"), 0u);
    EXPECT_EQ(second->refCount(), held + 1); // one reference for each caller
}

} // namespace

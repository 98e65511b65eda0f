// The object runtime: class registration, introspection and its invokers,
// Int32 fields, variants, delegates, the stack guard, file types, the
// framework's own class records and set-up, the event loop and the runtime's
// start and shut-down.

#include "framework/runtime/ClassRegistration.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/FileType.h"
#include "framework/runtime/FileTypeRegistry.h"
#include "framework/runtime/Int32Field.h"
#include "framework/runtime/Introspection.h"
#include "framework/runtime/PluginEntrypoints.h"
#include "framework/runtime/StackCheck.h"
#include "framework/runtime/Variant.h"
#include "framework/ui/Application.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/EventLoopTesting.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/RuntimeLifecycle.h"
#include "tests/support/Raised.h"
#include "tests/support/StartupTrace.h"

#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using fw::CodeRef;
using fw::Ref;
using fw::String;
namespace Introspection = fw::Introspection;

using testing_support::nameOfRaised;

// A small framework class of two Int32 fields with one published method, and
// a class derived from it through RuntimeNewClass, as a program builds one.
class Holder : public fw::Object {
public:
    std::int32_t first = 11;
    std::int32_t second = 22;
    static inline int pokes = 0;
    static void Poke(Holder*) { ++pokes; }
};

const fw::ClassRecord* holderRecord() {
    static const fw::ClassRecord record = [] {
        fw::ClassRecord r =
            fw::BuildFrameworkClass("Holder", nullptr, &fw::AllocateAs<Holder>,
                                    {{"Poke", CodeRef::of(&Holder::Poke)}}, {"Opened", "Closed"});
        r.instanceSize = sizeof(Holder);
        return r;
    }();
    return &record;
}

TEST(ClassRegistration, ANewClassTakesOverItsParentsEventsAndPropertiesAndNothingElse) {
    fw::ClassRecord* child = fw::RuntimeNewClass(holderRecord(), 3, 1, 2, 0, 1, 1);
    EXPECT_EQ(child->parent, holderRecord());
    EXPECT_TRUE(child->isInterface);
    EXPECT_TRUE(child->name.empty());
    EXPECT_TRUE(child->vtable.empty());
    EXPECT_TRUE(child->members.empty());
    EXPECT_TRUE(child->classAttributes.empty());
    ASSERT_EQ(child->events.size(), 2u);
    EXPECT_EQ(child->events[1].name, String("Closed"));
    EXPECT_EQ(child->instanceSize, sizeof(Holder));
    // Objects of the new class are allocated as the parent's, with the new record.
    const Ref<fw::Object> o = fw::RuntimeNewObject(child);
    EXPECT_EQ(o->classRecord(), child);
    EXPECT_EQ(fw::RuntimeCheckCast<Holder>(o, holderRecord()).get(), o.get());
    EXPECT_EQ(fw::RuntimeCheckCast<Holder>(o, child)->first, 11);
    EXPECT_EQ(
        nameOfRaised([&] { fw::RuntimeCheckCast<Holder>(fw::RuntimeNewObject(holderRecord()), child); }),
        "IllegalCastException");
    EXPECT_NE(std::find(fw::RegisteredClasses().begin(), fw::RegisteredClasses().end(), child),
              fw::RegisteredClasses().end());
}

TEST(ClassRegistration, WritesPastATablesEndAreRefused) {
    fw::ClassRecord* r = fw::RuntimeNewClass(holderRecord(), 1, 0, 2, 0, 0, 0);
    fw::RuntimeNewVtable(*r, 2);
    fw::WriteOperation(*r, 1, String("Last"), CodeRef::of(&Holder::Poke));
    EXPECT_EQ(r->operationNames[1], String("Last"));
    r->members.push_back({String("m"), fw::kPublicInstanceMethod, String("%%"), CodeRef(), nullptr, {}});

    const std::function<void()> writes[] = {
        [&] { fw::WriteOperation(*r, 2, String("Past"), CodeRef()); },
        [&] { fw::SetEventHandler(*r, 2, CodeRef::of(&Holder::Poke)); },
        [&] { fw::RuntimeAllocateAttributeTable(r->members, 1, 1); },
        [&] { fw::RuntimeAllocateAttributeTable(r->properties, 0, 1); },
    };
    for (std::size_t i = 0; i < std::size(writes); ++i)
        EXPECT_EQ(nameOfRaised(writes[i]), "OutOfBoundsException") << "write " << i;
    EXPECT_EQ(r->vtable.size(), 2u);
    EXPECT_FALSE(r->events[1].handler);
}

TEST(Operation, ACallOnANilObjectOrWithTheWrongFormIsRefused) {
    const Ref<fw::Object> o = fw::RuntimeNewObject(holderRecord());
    EXPECT_EQ(nameOfRaised([] { fw::Operation<void(Holder*)>(static_cast<const fw::Object*>(nullptr), 0); }),
              "NilObjectException");
    EXPECT_EQ(nameOfRaised([&] { fw::Operation<void(fw::Object*)>(o.get(), 0); }), "IllegalCastException");
    EXPECT_EQ(nameOfRaised([&] { fw::Operation<void(Holder*)>(o.get(), 1); }), "OutOfBoundsException");
}

// A record with members of each form introspection reads.
const fw::ClassRecord* publishingRecord() {
    static fw::ClassRecord* r = [] {
        fw::ClassRecord* c = fw::RuntimeNewClass(holderRecord(), 4, 0, 2, 0, 1, 1);
        c->name = String("Module.Publisher");
        struct M {
            const char* name;
            const char* signature;
            std::vector<fw::Attribute> attributes;
        };
        const M members[] = {
            {"Plain", "%%", {fw::ValuedAttribute(String("__Scope"), String("Public"))}},
            {"Secret",
             "%%",
             {fw::ValuedAttribute(String("__Scope"), String("Public")), fw::MarkAttribute(String("Hidden"))}},
            {"Inner",
             "%b%o<RoundRectangle>i4i4",
             {fw::ValuedAttribute(String("__Scope"), String("Private"))}},
            {"Bare", "%o<Label>%", {}},
        };
        for (const M& m : members) {
            c->members.push_back({String(std::string_view(m.name)),
                                  fw::kPublicInstanceMethod,
                                  String(std::string_view(m.signature)),
                                  CodeRef::of(&Holder::Poke),
                                  &Introspection::Invoke__<Holder>,
                                  {}});
            fw::AttributeTable& t = fw::RuntimeAllocateAttributeTable(c->members, c->members.size() - 1, 2);
            t.insert(t.end(), m.attributes.begin(), m.attributes.end());
        }
        c->properties.push_back({String("Second"),
                                 fw::kPublicProperty,
                                 String("i4"),
                                 static_cast<std::int32_t>(sizeof(fw::Object) + sizeof(std::int32_t)),
                                 CodeRef::of(&fw::Int32::Get),
                                 CodeRef::of(&fw::Int32::Set),
                                 CodeRef::of<fw::PropertyValueGetter>(&fw::Int32::Introspection::GetValue),
                                 CodeRef::of<fw::PropertyValueSetter>(&fw::Int32::Introspection::SetValue),
                                 {}});
        c->classAttributes.push_back(fw::ValuedAttribute(String("__Scope"), String("Private")));
        return c;
    }();
    return r;
}

TEST(Introspection, ReadsScopesAndHiddenMarksAndKeepsTheScopeOutOfTheAttributes) {
    struct Expected {
        const char* scope;
        bool canAccess;
        std::vector<std::string> shown;
    };
    const Expected expected[] = {
        {"Public", true, {}}, {"Public", false, {"Hidden"}}, {"Private", false, {}}, {"Public", true, {}}};
    const Ref<Introspection::TypeInfo> type = Introspection::GetTypeInfo(publishingRecord());
    const auto methods = type->GetMethods();
    ASSERT_EQ(methods.size(), std::size(expected));
    for (std::size_t i = 0; i < methods.size(); ++i) {
        SCOPED_TRACE(methods[i]->Name().str());
        EXPECT_EQ(methods[i]->Scope(), String(std::string_view(expected[i].scope)));
        EXPECT_EQ(methods[i]->CanAccess(), expected[i].canAccess);
        std::vector<std::string> shown;
        for (const auto& a : methods[i]->GetAttributes())
            shown.push_back(a.name.str());
        EXPECT_EQ(shown, expected[i].shown);
    }
    EXPECT_EQ(type->Name(), String("Publisher"));
    EXPECT_FALSE(type->IsPublic());
    EXPECT_TRUE(type->GetAttributes().empty());
    EXPECT_EQ(type->BaseType()->FullName(), String("Holder"));
}

TEST(Introspection, SplitsSignatureTextsAtTheirPercentSigns) {
    struct Case {
        const char* signature;
        std::optional<std::string> result; // none: malformed
        std::vector<std::string> parameters;
    };
    const Case cases[] = {
        {"%%", "", {}},
        {"%b%o<RoundRectangle>i4i4", "Boolean", {"RoundRectangle", "Int32", "Int32"}},
        {"%o<Label>%", "Label", {}},
        {"%%o<RoundRectangle>", "", {"RoundRectangle"}},
        {"%i4%bs", "Int32", {"Boolean", "String"}},
        {"", std::nullopt, {}},
        {"b%%", std::nullopt, {}},
        {"%i4", std::nullopt, {}},
        {"%%o<Unclosed", std::nullopt, {}},
        {"%o<RoundRectangle%", std::nullopt, {}},
        {"%o<A>B%i4", std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.signature);
        const fw::MemberEntry entry{String("m"), 0,       String(std::string_view(c.signature)),
                                    CodeRef(),   nullptr, {}};
        const Introspection::MethodInfo method(entry);
        if (!c.result) {
            EXPECT_EQ(nameOfRaised([&] { method.ReturnType(), method.ParameterTypes(); }),
                      "TypeMismatchException");
            continue;
        }
        EXPECT_EQ(method.ReturnType().str(), *c.result);
        std::vector<std::string> parameters;
        for (const String& p : method.ParameterTypes())
            parameters.push_back(p.str());
        EXPECT_EQ(parameters, c.parameters);
    }
}

TEST(Introspection, TheGenericInvokerCallsOnceAndRefusesANilOrForeignTarget) {
    const auto methods = Introspection::GetTypeInfo(publishingRecord())->GetMethods();
    Holder::pokes = 0;
    EXPECT_FALSE(methods[0]->Invoke(fw::RuntimeNewObject(publishingRecord()), nullptr));
    EXPECT_EQ(Holder::pokes, 1);
    EXPECT_EQ(nameOfRaised([&] { methods[0]->Invoke(nullptr, nullptr); }), "NilObjectException");
    EXPECT_EQ(nameOfRaised([&] { methods[0]->Invoke(fw::make<fw::Variant>(fw::Value()), nullptr); }),
              "IllegalCastException");
    EXPECT_EQ(Holder::pokes, 1);
}

TEST(Introspection, KeepsOneTypeInfoPerClassUntilItsMapIsReleased) {
    const Ref<Introspection::TypeInfo> first = Introspection::GetTypeInfo(publishingRecord());
    EXPECT_EQ(Introspection::GetTypeInfo(publishingRecord()).get(), first.get());
    EXPECT_EQ(Introspection::FindType(String("Module.Publisher")).get(), first.get());
    EXPECT_FALSE(Introspection::FindType(String("Module.Nobody")));
    const Ref<fw::Array> list = fw::CreateArray(1, 0, -1);
    const Ref<Introspection::ArrayInfo> arrayInfo = Introspection::GetArrayInfo(list);
    EXPECT_EQ(Introspection::GetArrayInfo(list).get(), arrayInfo.get());

    Introspection::ArrayInfoArrayMapExit();
    Introspection::ClassInfoClassFQNToRefMapExit();
    Introspection::ClassInfoClassRefMapExit();
    EXPECT_EQ(first->refCount(), 1); // the maps let go of it
    EXPECT_NE(Introspection::GetTypeInfo(publishingRecord()).get(), first.get());
    EXPECT_EQ(arrayInfo->refCount(), 1);
}

// The Int32 field accessors reach only a field that the object's class
// declares (its own or a parent's property), and only inside the instance;
// anything else is refused before a byte is read or written.
TEST(Int32Field, ReadsAndWritesOnlyADeclaredFieldOfTheObjectsClass) {
    const Ref<fw::Object> o = fw::RuntimeNewObject(publishingRecord());
    auto* h = static_cast<Holder*>(o.get());
    const auto at = [&](const std::int32_t* field) {
        return static_cast<std::int32_t>(reinterpret_cast<const std::byte*>(field) -
                                         reinterpret_cast<const std::byte*>(o.get()));
    };
    fw::Int32::Set(o.get(), at(&h->second), -7);
    EXPECT_EQ(h->second, -7);
    EXPECT_EQ(h->first, 11);
    EXPECT_EQ(fw::Int32::Get(o.get(), at(&h->second)), -7);

    // A class whose record declares a field past its own instance.
    static fw::ClassRecord* overhanging = [] {
        fw::ClassRecord* c = fw::RuntimeNewClass(holderRecord(), 0, 0, 2, 0, 1, 0);
        c->properties.push_back({String("Beyond"),
                                 fw::kPublicProperty,
                                 String("i4"),
                                 static_cast<std::int32_t>(sizeof(Holder) - 2),
                                 CodeRef::of(&fw::Int32::Get),
                                 CodeRef::of(&fw::Int32::Set),
                                 CodeRef(),
                                 CodeRef(),
                                 {}});
        return c;
    }();
    const Ref<fw::Object> plainHolder = fw::RuntimeNewObject(holderRecord());
    const Ref<fw::Object> overhangingHolder = fw::RuntimeNewObject(overhanging);
    const std::int32_t size = static_cast<std::int32_t>(sizeof(Holder));
    struct Case {
        const char* what;
        fw::Object* object;
        std::int32_t position;
        const char* raised;
    };
    const Case cases[] = {
        {"an undeclared field of its class", o.get(), at(&h->first), "IllegalCastException"},
        {"before the object", o.get(), -1, "IllegalCastException"},
        {"at its end", o.get(), size, "IllegalCastException"},
        {"far past it", o.get(), std::numeric_limits<std::int32_t>::max(), "IllegalCastException"},
        {"an object of the parent class", plainHolder.get(), at(&h->second), "IllegalCastException"},
        {"a declared field past the instance", overhangingHolder.get(), size - 2, "OutOfBoundsException"},
        {"no object", nullptr, 0, "NilObjectException"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::byte> before;
        if (c.object)
            before.assign(reinterpret_cast<const std::byte*>(c.object),
                          reinterpret_cast<const std::byte*>(c.object) + sizeof(Holder));
        EXPECT_EQ(nameOfRaised([&] { fw::Int32::Get(c.object, c.position); }), c.raised);
        EXPECT_EQ(nameOfRaised([&] { fw::Int32::Set(c.object, c.position, 1); }), c.raised);
        if (c.object) {
            EXPECT_EQ(std::memcmp(before.data(), c.object, before.size()), 0);
        }
    }
}

TEST(Variant, ConvertsToInt32OnlyFromNumbers) {
    struct Case {
        fw::Value value;
        std::optional<std::int32_t> expected; // none: TypeMismatchException
    };
    const Case cases[] = {
        {std::int32_t{7}, 7},
        {std::int32_t{std::numeric_limits<std::int32_t>::min()}, std::numeric_limits<std::int32_t>::min()},
        {2.9, 2},
        {-2.9, -2},
        {3e9, std::nullopt},
        {true, std::nullopt},
        {String("12"), std::nullopt},
        {fw::Value(), std::nullopt},
        {Ref<fw::Object>(fw::Int32ToVariant(5)), 5}, // a boxed element reads through its box
        {Ref<fw::Object>(fw::RuntimeNewObject(holderRecord())), std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        if (cases[i].expected)
            EXPECT_EQ(fw::VariantToInt32(cases[i].value), *cases[i].expected);
        else
            EXPECT_EQ(nameOfRaised([&] { fw::VariantToInt32(cases[i].value); }), "TypeMismatchException");
    }
    EXPECT_EQ(nameOfRaised([] { fw::VariantToInt32(Ref<fw::Variant>()); }), "TypeMismatchException");
    EXPECT_EQ(fw::BooleanToVariant(false)->value(), fw::Value(false));
    EXPECT_FALSE(fw::VariantToObject(fw::Value()));
    EXPECT_EQ(nameOfRaised([] { fw::VariantToObject(fw::Value(std::int32_t{1})); }), "TypeMismatchException");
}

TEST(Int32Field, IsReachedThroughTheIntrospectionGetterAndSetter) {
    const Ref<fw::Object> o = fw::RuntimeNewObject(publishingRecord());
    const auto properties = Introspection::GetTypeInfo(publishingRecord())->GetProperties();
    ASSERT_EQ(properties.size(), 1u);
    properties[0]->SetValue(o, fw::Int32ToVariant(99));
    EXPECT_EQ(static_cast<Holder*>(o.get())->second, 99);
    EXPECT_EQ(fw::VariantToInt32(fw::dynamicRef<fw::Variant>(properties[0]->Value(o))), 99);
    EXPECT_EQ(nameOfRaised([&] { properties[0]->SetValue(o, fw::BooleanToVariant(true)); }),
              "TypeMismatchException");
    EXPECT_EQ(nameOfRaised([&] { properties[0]->Value(nullptr); }), "NilObjectException");
    // An object of the parent class is not of the property's class.
    const Ref<fw::Object> parentObject = fw::RuntimeNewObject(holderRecord());
    EXPECT_EQ(nameOfRaised([&] { properties[0]->SetValue(parentObject, fw::Int32ToVariant(1)); }),
              "IllegalCastException");
    EXPECT_EQ(static_cast<Holder*>(parentObject.get())->second, 22);
}

int delegateCalls = 0;
void countCall() {
    ++delegateCalls;
}

TEST(Delegate, AWeakTargetReadsNilOnceItIsGoneAndAStrongOneIsKept) {
    Ref<fw::Object> target = fw::RuntimeNewObject(holderRecord());
    fw::Object* raw = target.get();
    const Ref<fw::Delegate> weak = fw::RuntimeCreateDelegate(CodeRef(), CodeRef(), target, String("(  )"), 1);
    const Ref<fw::Delegate> strong =
        fw::RuntimeCreateDelegate(CodeRef(), CodeRef(), target, String("(  )"), 0);
    EXPECT_EQ(weak->target().get(), raw);
    target.reset();
    EXPECT_EQ(strong->target().get(), raw); // the strong delegate still holds it
    EXPECT_EQ(weak->target().get(), raw);
    const_cast<fw::Delegate&>(*strong).setTarget(nullptr, 0);
    EXPECT_FALSE(weak->target());

    delegateCalls = 0;
    const Ref<fw::Delegate> d = fw::RuntimeCreateDelegate(
        CodeRef::of(&fw::DelegateInvoke), CodeRef::of(&countCall), nullptr, String("(  )"), 0);
    d->invoker.as<void(fw::Delegate*)>()(d.get());
    EXPECT_EQ(delegateCalls, 1);
    EXPECT_EQ(nameOfRaised([] { fw::DelegateInvoke(nullptr); }), "NilObjectException");
}

// Far deeper than any thread's stack allows: only the guard ends it.
int guardedDepth(int depth) {
    fw::RuntimeStackCheck();
    if (depth > 100'000'000)
        return 0;
    volatile char frame[256] = {};
    return guardedDepth(depth + 1) + frame[depth % 256];
}

TEST(StackCheck, DeepRecursionEndsInStackOverflowException) {
    std::string raised;
    std::thread([&] { raised = nameOfRaised([] { guardedDepth(0); }); }).join();
    EXPECT_EQ(raised, "StackOverflowException");
    fw::RuntimeStackCheck(); // shallow: passes
}

// Each setter withdraws a registration in force, under the name it was made
// with, and does not register again; the conversion registers once.
TEST(FileType, SettersWithdrawARegistrationInForceAndTheConversionRegistersOnce) {
    using Setter = void (*)(fw::FileType*, const String&);
    const Setter setters[] = {&fw::FileType::setName, &fw::FileType::setExtensions, &fw::FileType::setMacType,
                              &fw::FileType::setMacCreator};
    for (Setter set : setters) {
        fw::ClearFileTypeRegistrations();
        testing_support::StartupTrace trace;
        const Ref<fw::FileType> t =
            fw::dynamicRef<fw::FileType>(fw::RuntimeNewObject(fw::FileType::Lookup()));
        trace.clear();
        fw::FileType::setName(t.get(), String("old"));
        fw::FileType::setMacCreator(t.get(), String("CRTR"));
        EXPECT_TRUE(trace.calls().empty()); // nothing to withdraw yet
        EXPECT_EQ(fw::FileType::Operator_Convert(t.get()), String("old"));
        EXPECT_EQ(fw::FileType::Operator_Convert(t.get()), String("old"));
        EXPECT_EQ(trace.calls(), std::vector<std::string>{"RuntimeRegisterFileType(old,CRTR,,)"});

        set(t.get(), String("new"));
        EXPECT_EQ(trace.calls().back(), "RuntimeDeregisterFileType(old)");
        EXPECT_TRUE(fw::RegisteredFileTypes().empty());
        EXPECT_FALSE(t->registered());
        fw::FileType::Operator_Convert(t.get());
        EXPECT_EQ(fw::RegisteredFileTypes().size(), 1u);
    }
    fw::ClearFileTypeRegistrations();
}

TEST(FrameworkClasses, KeepTheirOperationsInTheirTablesOrder) {
    struct Case {
        const fw::ClassRecord* record;
        std::size_t count;
        std::size_t at;
        const char* name;
    };
    const Case cases[] = {
        {fw::Application::Lookup(), static_cast<std::size_t>(fw::ApplicationOp::Count_),
         static_cast<std::size_t>(fw::ApplicationOp::DependencyList), "__DependencyList"},
        {fw::MenuItem::Lookup(), static_cast<std::size_t>(fw::MenuItemOp::Count_),
         static_cast<std::size_t>(fw::MenuItemOp::Constructor), "Constructor"},
        {fw::MenuBar::Lookup(), static_cast<std::size_t>(fw::MenuBarOp::Count_),
         static_cast<std::size_t>(fw::MenuBarOp::InstallClone), "_InstallClone"},
        {fw::FileType::Lookup(), static_cast<std::size_t>(fw::FileTypeOp::Count_),
         static_cast<std::size_t>(fw::FileTypeOp::Operator_Convert), "Operator_Convert"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record->name.str());
        ASSERT_EQ(c.record->vtable.size(), c.count);
        EXPECT_EQ(c.record->operationNames[c.at], String(std::string_view(c.name)));
    }
    EXPECT_EQ(fw::Application::Lookup()->events.size(),
              static_cast<std::size_t>(fw::ApplicationEvent::Count_));
    EXPECT_EQ(fw::MenuBar::Lookup()->events.size(), static_cast<std::size_t>(fw::MenuItemEvent::Count_));
    // The parameterless constructor is the default menu-item construction.
    testing_support::StartupTrace trace;
    const Ref<fw::Object> item = fw::RuntimeNewObject(fw::MenuBar::Lookup());
    fw::Operation<fw::MenuItem::Action>(item.get(), static_cast<std::size_t>(fw::MenuItemOp::Constructor))(
        static_cast<fw::MenuItem*>(item.get()));
    EXPECT_EQ(trace.count("RuntimeMenuItemDefaultConstructor"), 1u);
}

TEST(FrameworkClasses, AreSetUpWithTheWindowListThirdAndFileTypeLast) {
    testing_support::StartupTrace trace;
    fw::InitializeFrameworkClasses();
    const std::vector<std::string>& calls = trace.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[1], "Window.__ctblinit");
    EXPECT_EQ(calls[2], "_WindowSupport.Windows.__Init");
    EXPECT_EQ(calls.back(), "FileType.__ctblinit");
    EXPECT_TRUE(Introspection::FindType(String("FileType")));
}

TEST(RuntimeLifecycle, TheInitialisationCallsItsEntryBackOnceAndTheExitStatusSaysIfAnythingWasUnhandled) {
    fw::RuntimeInit();
    delegateCalls = 0;
    fw::RunFrameworkInitialization(CodeRef::of(&countCall));
    fw::RunFrameworkInitialization(CodeRef());
    EXPECT_EQ(delegateCalls, 1);
    EXPECT_EQ(fw::RuntimeExit(), 0);

    fw::RuntimeInit();
    testing::internal::CaptureStderr();
    fw::RuntimeUnhandledException(fw::make<fw::NilObjectException>(String("no button")));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unhandled NilObjectException: no button\n");
    EXPECT_EQ(fw::RuntimeExit(), 1);
    fw::RuntimeInit();
    EXPECT_EQ(fw::RuntimeExit(), 0); // the report belonged to the last run
}

TEST(RuntimeLifecycle, ShutDownLetsGoOfTheApplicationObject) {
    const Ref<fw::Object> app = fw::RuntimeNewObject(fw::Application::Lookup());
    fw::RuntimeRegisterAppObject(fw::dynamicRef<fw::Application>(app));
    EXPECT_EQ(fw::RunningApplication().get(), app.get());
    fw::RuntimeExit();
    EXPECT_FALSE(fw::RunningApplication());
    EXPECT_EQ(app->refCount(), 1);
}

TEST(PluginEntrypoints, TheFrameworksStepCallsTheProgramsOnce) {
    delegateCalls = 0;
    fw::InitPluginEntrypoints(&countCall);
    EXPECT_EQ(delegateCalls, 1);
    EXPECT_TRUE(fw::RuntimeAllocatePluginEntrypointsTable(0)->entries.empty());
}

// The loop runs until the last window closes; an exception raised inside it
// ends it and comes out of RuntimeRun, never through Qt.
class EventLoop : public ::testing::Test {
protected:
    void SetUp() override { fw::EnsureGuiApplication(); }
    void TearDown() override { fw::CloseAllWindows(); }
    testing_support::StartupTrace trace;
};

TEST_F(EventLoop, ReturnsAtOnceWithNoWindowOpen) {
    bool idle = false;
    trace.onIdle([&] { idle = true; });
    fw::RuntimeRun();
    EXPECT_FALSE(idle);
}

TEST_F(EventLoop, RunsUntilTheLastWindowCloses) {
    QWidget window;
    window.show();
    bool idle = false;
    trace.onIdle([&] {
        idle = true;
        fw::CloseAllWindows();
    });
    fw::RuntimeRun();
    EXPECT_TRUE(idle);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(EventLoop, AnExceptionInAHandlerEndsTheLoopAndComesOutOfRuntimeRun) {
    QWidget window;
    window.show();
    trace.onIdle([] { fw::RaiseException(fw::make<fw::IllegalCastException>(String("in a handler"))); });
    EXPECT_EQ(nameOfRaised([] { fw::RuntimeRun(); }), "IllegalCastException");
    EXPECT_TRUE(window.isVisible()); // ended by the exception, not by a close
    EXPECT_FALSE(fw::TakeEventLoopException());

    // One kept while no loop runs is passed on without running the loop.
    EXPECT_EQ(fw::CallFromEventLoop([]() -> int { fw::RaiseNilObjectException(); }, -1), -1);
    EXPECT_EQ(nameOfRaised([] { fw::RuntimeRun(); }), "NilObjectException");
    // Nothing of it stays with Qt: the next loop to start (the
    // unhandled-exception box's) runs until it is ended.
    QEventLoop next;
    QTimer::singleShot(0, &next, [&] { next.exit(7); });
    EXPECT_EQ(next.exec(), 7);
}

} // namespace

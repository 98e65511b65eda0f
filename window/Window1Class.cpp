// Window1's class record: Window's operations, events and properties first,
// in Window's order and with Window's own code, then the class's nine
// operations, its nine published members, its three event hooks, the
// property Untitled and its class attribute.

#include "framework/runtime/ClassRegistration.h"
#include "framework/runtime/Int32Field.h"
#include "framework/runtime/Introspection.h"
#include "framework/runtime/StackCheck.h"
#include "install/Install.h"
#include "window/Window1.h"
#include "window/Window1Invokers.h"

#include <cstddef>
#include <iterator>

namespace Window1 {

const fw::ClassRecord* Window1::ctbl = nullptr;

namespace {

// Window1 has no virtual base, so the field's place inside it is fixed.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
constexpr std::size_t kUntitledPosition = offsetof(Window1, Untitled);
#pragma GCC diagnostic pop
static_assert(kUntitledPosition == sizeof(fw::Window), "Untitled follows Window's bytes");

// One of the class's own operations, with the member that publishes it.
struct OwnMember {
    Own operation;
    const char* name;
    const char* signature;
    fw::CodeRef code;
    fw::Invoker invoker;
    bool hidden;
};

std::size_t place(Own op) {
    return static_cast<std::size_t>(op);
}

void writeOwnMembers(fw::ClassRecord& r) {
    const fw::Invoker plain = &fw::Introspection::Invoke__<fw::Window>;
    const OwnMember own[] = {
        {Own::Layout, "Layout", "%%", fw::CodeRef::of(&Layout), plain, false},
        {Own::CreateControls, "CreateControls", "%%", fw::CodeRef::of(&CreateControls), plain, false},
        {Own::CreateControls0, "_CreateControls0", "%%", fw::CodeRef::of(&CreateControls0), plain, true},
        {Own::RoundRectangle1, "RoundRectangle1", "%o<RoundRectangle>%", fw::CodeRef::of(&RoundRectangle1),
         &Introspection::Invoke_o_RoundRectangle_, false},
        {Own::buttontext, "buttontext", "%o<Label>%", fw::CodeRef::of(&buttontext),
         &Introspection::Invoke_o_Label_, false},
        {Own::RoundRectangle1_MouseDown, "RoundRectangle1_MouseDown", "%b%o<RoundRectangle>i4i4",
         fw::CodeRef::of(&RoundRectangle1_MouseDown), &Introspection::Invoke_b_o_RoundRectangle_i4i4, false},
        {Own::RoundRectangle1_MouseEnter, "RoundRectangle1_MouseEnter", "%%o<RoundRectangle>",
         fw::CodeRef::of(&RoundRectangle1_MouseEnter), &Introspection::Invoke__o_RoundRectangle_, false},
        {Own::Event_Open, "Event_Open", "%%", fw::CodeRef::of(&Event_Open), plain, false},
        {Own::install, "install", "%%", fw::CodeRef::of(&installer::install), plain, false},
    };
    const std::size_t inherited = r.parent->vtable.size();
    fw::RuntimeNewVtable(r, inherited + std::size(own));
    for (std::size_t i = 0; i < inherited; ++i)
        fw::WriteOperation(r, i, r.parent->operationNames[i], r.parent->vtable[i]);

    for (const OwnMember& m : own) {
        const fw::String name{std::string_view(m.name)};
        fw::WriteOperation(r, inherited + place(m.operation), name, m.code);
        r.members.push_back({name,
                             fw::kPublicInstanceMethod,
                             fw::String(std::string_view(m.signature)),
                             m.code,
                             m.invoker,
                             {}});
        fw::AttributeTable& attributes =
            fw::RuntimeAllocateAttributeTable(r.members, r.members.size() - 1, m.hidden ? 2 : 1);
        attributes.push_back(fw::ValuedAttribute(fw::String(fw::kScopeAttribute), fw::String("Public")));
        if (m.hidden)
            attributes.push_back(fw::MarkAttribute(fw::String(fw::kHiddenAttribute)));
    }
}

void writeEventHooks(fw::ClassRecord& r) {
    fw::SetEventHandler(r, static_cast<std::size_t>(fw::WindowEvent::Layout), fw::CodeRef::of(&Layout));
    fw::SetEventHandler(r, static_cast<std::size_t>(fw::WindowEvent::CreateControls),
                        fw::CodeRef::of(&CreateControls));
    fw::SetEventHandler(r, static_cast<std::size_t>(fw::WindowEvent::Open), fw::CodeRef::of(&Event_Open));
}

void writeUntitled(fw::ClassRecord& r) {
    r.properties.push_back({fw::String("Untitled"),
                            fw::kPublicProperty,
                            fw::String("i4"),
                            static_cast<std::int32_t>(kUntitledPosition),
                            fw::CodeRef::of(&fw::Int32::Get),
                            fw::CodeRef::of(&fw::Int32::Set),
                            fw::CodeRef::of<fw::PropertyValueGetter>(&fw::Int32::Introspection::GetValue),
                            fw::CodeRef::of<fw::PropertyValueSetter>(&fw::Int32::Introspection::SetValue),
                            {}});
    fw::RuntimeAllocateAttributeTable(r.properties, r.properties.size() - 1, 1)
        .push_back(fw::ValuedAttribute(fw::String(fw::kScopeAttribute), fw::String("Public")));
}

} // namespace

void Window1::ctblinit() {
    fw::RuntimeStackCheck();
    if (ctbl)
        return;
    const fw::ClassRecord* parent = fw::Window::Lookup();
    fw::ClassRecord* r = fw::RuntimeNewClass(parent, 213, 0, 33, 0, 49, 1);
    ctbl = r; // set before anything is written into it
    r->name = fw::String("Window1.Window1");
    r->isInterface = false;
    // Window's fields, then the Int32 of Untitled.
    r->instanceSize = kUntitledPosition + sizeof(std::int32_t);
    r->allocate = &fw::AllocateAs<Window1>;
    writeOwnMembers(*r);
    writeEventHooks(*r);
    writeUntitled(*r);
    r->classAttributes.push_back(fw::ValuedAttribute(fw::String(fw::kScopeAttribute), fw::String("Public")));
}

const fw::ClassRecord* Window1::Lookup() {
    if (!ctbl)
        ctblinit();
    return ctbl;
}

std::size_t operationIndex(Own op) {
    return fw::Window::Lookup()->vtable.size() + place(op);
}

} // namespace Window1

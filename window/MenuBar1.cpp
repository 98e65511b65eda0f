#include "window/MenuBar1.h"

#include "framework/runtime/ClassRegistration.h"
#include "framework/runtime/Introspection.h"
#include "framework/runtime/StackCheck.h"

namespace MenuBar1 {

const fw::ClassRecord* MenuBar1::ctbl = nullptr;
fw::ModuleGlobal<MenuBar1> implicitInstance("MenuBar1._implicitInstance.__Exit");

namespace {
constexpr std::size_t kConstructorPlace = static_cast<std::size_t>(fw::MenuItemOp::Constructor);
}

void MenuBar1::ctblinit() {
    fw::RuntimeStackCheck();
    if (ctbl)
        return;
    const fw::ClassRecord* parent = fw::MenuBar::Lookup();
    fw::ClassRecord* r = fw::RuntimeNewClass(parent, 71, 0, 2, 0, 16, 1);
    ctbl = r;
    r->name = fw::String("MenuBar1.MenuBar1");
    r->allocate = &fw::AllocateAs<MenuBar1>;
    r->instanceSize = sizeof(MenuBar1);

    const fw::CodeRef constructor = fw::CodeRef::of(&Constructor);
    fw::RuntimeNewVtable(*r, parent->vtable.size());
    for (std::size_t i = 0; i < parent->vtable.size(); ++i)
        fw::WriteOperation(*r, i, parent->operationNames[i], parent->vtable[i]);
    fw::WriteOperation(*r, kConstructorPlace, fw::String("Constructor"), constructor);

    r->members.push_back({fw::String("Constructor"),
                          fw::kPublicInstanceMethod,
                          fw::String("%%"),
                          constructor,
                          &fw::Introspection::Invoke__<fw::MenuItem>,
                          {}});
    fw::RuntimeAllocateAttributeTable(r->members, 0, 1)
        .push_back(fw::ValuedAttribute(fw::String(fw::kScopeAttribute), fw::String("Public")));
    r->classAttributes.push_back(fw::ValuedAttribute(fw::String(fw::kScopeAttribute), fw::String("Public")));
}

const fw::ClassRecord* MenuBar1::Lookup() {
    if (!ctbl)
        ctblinit();
    return ctbl;
}

// Does nothing; in particular the default menu-item construction it replaces
// never runs for the menu bar instance.
void MenuBar1::Constructor(fw::MenuItem* self) {
    fw::RuntimeStackCheck();
    const fw::Ref<fw::MenuItem> held = fw::Ref<fw::MenuItem>::retain(self);
}

fw::Ref<MenuBar1> Instance() {
    fw::RuntimeStackCheck();
    if (!implicitInstance) {
        const fw::Ref<fw::Object> allocated = fw::RuntimeNewObject(MenuBar1::Lookup());
        auto* made = dynamic_cast<MenuBar1*>(allocated.get());
        fw::Operation<void(fw::MenuItem*)>(made, kConstructorPlace)(made);
        implicitInstance.set(fw::Ref<MenuBar1>::retain(made));
    }
    return implicitInstance.get();
}

void implicitInstanceExit() {
    implicitInstance.exit();
}

} // namespace MenuBar1

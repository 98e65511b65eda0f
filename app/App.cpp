#include "app/App.h"

#include "framework/runtime/ClassRegistration.h"
#include "framework/runtime/Introspection.h"
#include "framework/runtime/StackCheck.h"
#include "window/MenuBar1.h"

const fw::ClassRecord* App::ctbl = nullptr;

void App::ctblinit() {
    fw::RuntimeStackCheck();
    if (ctbl)
        return;
    const fw::ClassRecord* parent = fw::Application::Lookup();
    fw::ClassRecord* r = fw::RuntimeNewClass(parent, 77, 0, 10, 0, 19, 0);
    ctbl = r;
    r->name = fw::String("App");
    r->allocate = &fw::AllocateAs<App>;
    r->instanceSize = sizeof(App);

    const fw::CodeRef constructor = fw::CodeRef::of(&Constructor);
    const std::size_t inherited = parent->vtable.size();
    fw::RuntimeNewVtable(*r, inherited + 1);
    for (std::size_t i = 0; i < inherited; ++i)
        fw::WriteOperation(*r, i, parent->operationNames[i], parent->vtable[i]);
    fw::WriteOperation(*r, inherited, fw::String("Constructor"), constructor);

    r->members.push_back({fw::String("Constructor"),
                          fw::kPublicInstanceMethod,
                          fw::String("%%"),
                          constructor,
                          &fw::Introspection::Invoke__<App>,
                          {}});
    fw::RuntimeAllocateAttributeTable(r->members, 0, 1)
        .push_back(fw::ValuedAttribute(fw::String(fw::kScopeAttribute), fw::String("Public")));
}

const fw::ClassRecord* App::Lookup() {
    if (!ctbl)
        ctblinit();
    return ctbl;
}

void App::Constructor(App* self) {
    fw::RuntimeStackCheck();
    const fw::Ref<App> held = fw::Ref<App>::retain(self);
}

std::size_t App::constructorIndex() {
    return fw::Application::Lookup()->vtable.size();
}

void NewAppInstance() {
    fw::RuntimeStackCheck();
    fw::Ref<App> app;
    {
        const fw::Ref<fw::Object> allocated = fw::RuntimeNewObject(App::Lookup());
        App* made = dynamic_cast<App*>(allocated.get());
        // The constructor runs before the object is tested.
        fw::Operation<void(App*)>(made, App::constructorIndex())(made);
        app = fw::Ref<App>::retain(made);
    } // the allocation's reference goes; `app` holds the one left
    fw::Application& target = fw::NotNil(app);
    fw::AppMenuBarSetter(&target, MenuBar1::Instance()); // the accessor's reference goes right after
    fw::RuntimeRegisterAppObject(app);
}

#include "framework/ui/MenuBar.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/Trace.h"

namespace fw {
namespace {

MenuItem& target(MenuItem* self) {
    if (!self)
        RaiseNilObjectException();
    return *self;
}

} // namespace

// Operations this framework does not offer keep their places with no code.
const ClassRecord* MenuItem::Lookup() {
    static const ClassRecord record = [] {
        ClassRecord r = BuildFrameworkClass("MenuItem", nullptr, &AllocateAs<MenuItem>,
                                            {
                                                {"Enable", CodeRef()},
                                                {"Close", CodeRef()},
                                                {"Item", CodeRef()},
                                                {"Count", CodeRef::of<Counter>(&Count)},
                                                {"Child", CodeRef()},
                                                {"Append", CodeRef::of<Adder>(&Append)},
                                                {"Insert", CodeRef()},
                                                {"Remove", CodeRef()},
                                                {"Remove", CodeRef()},
                                                {"Remove", CodeRef()},
                                                {"_Lookup", CodeRef()},
                                                {"_Lookup", CodeRef()},
                                                {"MenuItem", CodeRef()},
                                                {"Constructor", CodeRef()},
                                                {"PopUp", CodeRef()},
                                                {"PopUp", CodeRef()},
                                                {"_Swap", CodeRef()},
                                                {"_DisableEntirely", CodeRef()},
                                                {"_SelfEnable", CodeRef()},
                                                {"MenuItem", CodeRef()},
                                                {"Constructor", CodeRef::of<Action>(&Constructor)},
                                            },
                                            {"Action", "EnableMenu"});
        r.instanceSize = sizeof(MenuItem);
        return r;
    }();
    return &record;
}

const ClassRecord* MenuBar::Lookup() {
    static const ClassRecord record = [] {
        ClassRecord r = BuildFrameworkClass("MenuBar", MenuItem::Lookup(), &AllocateAs<MenuBar>,
                                            {{"_InstallClone", CodeRef()}, {"__DependencyList", CodeRef()}});
        r.instanceSize = sizeof(MenuBar);
        return r;
    }();
    return &record;
}

std::int32_t MenuItem::Count(MenuItem* self) {
    return static_cast<std::int32_t>(target(self).children_.size());
}

void MenuItem::Append(MenuItem* self, const Ref<MenuItem>& item) {
    target(self).children_.push_back(Ref<MenuItem>::retain(&NotNil(item)));
}

void MenuItem::Constructor(MenuItem* self) {
    RuntimeMenuItemDefaultConstructor(self);
}

// A bare menu item needs nothing set beyond its allocation; the call shows in
// a trace, so a test can tell whether it ran.
void RuntimeMenuItemDefaultConstructor(MenuItem* item) {
    target(item);
    Trace("RuntimeMenuItemDefaultConstructor");
}

} // namespace fw

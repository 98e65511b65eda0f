#pragma once
// How the window's code makes and finds its objects: always through the
// window's own table of operations.

#include "framework/runtime/ClassRecord.h"
#include "framework/ui/Window.h"
#include "framework/ui/WindowOperations.h"

namespace Window1 {

// Window.__New: a new object of the class, not yet constructed, cast to C.
template <class C>
fw::Ref<C> newObject(fw::Window& self) {
    const fw::ClassRecord* record = C::Lookup();
    auto allocate = fw::WindowOperation<fw::window_operation::New>(self, fw::WindowOp::New);
    return fw::RuntimeCheckCast<C>(allocate(&self, record), record);
}

// Window._ControlByName with the name, then the cast to C.
template <class C>
fw::Ref<C> controlNamed(fw::Window& self, const fw::String& name) {
    auto byName = fw::WindowOperation<fw::window_operation::ControlByName>(self, fw::WindowOp::ControlByName);
    return fw::RuntimeCheckCast<C>(byName(&self, name), C::Lookup());
}

} // namespace Window1

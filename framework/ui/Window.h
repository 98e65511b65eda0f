#pragma once
// Windows. The program makes framework objects inside a window operation
// with Window::New (the framework's Window.__New).

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"

namespace fw {

class Window : public Object {
public:
    Window() = default;
    ~Window() override;

    static const ClassRecord* Lookup();

    // A new object of the given class, not yet constructed; never nil.
    Ref<Object> New(const ClassRecord* record);
};

} // namespace fw

#include "framework/ui/Window.h"

namespace fw {

Window::~Window() = default;

const ClassRecord* Window::Lookup() {
    static const ClassRecord record = [] {
        ClassRecord r;
        r.name = String("Window");
        r.allocate = &AllocateAs<Window>;
        return r;
    }();
    return &record;
}

Ref<Object> Window::New(const ClassRecord* record) {
    Ref<Object> o = RuntimeNewObject(record);
    if (!o)
        RaiseNilObjectException();
    return o;
}

} // namespace fw

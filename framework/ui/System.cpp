#include "framework/ui/System.h"

#include "framework/runtime/ModuleGlobal.h"

namespace fw {
namespace {

template <class T>
ClassRecord recordOf(const char* name) {
    ClassRecord r = BuildFrameworkClass(name, nullptr, &AllocateAs<T>, {});
    r.instanceSize = sizeof(T);
    return r;
}

template <class T, class... Args>
Ref<T> madeOf(const ClassRecord* record, Args... args) {
    Ref<T> o = make<T>(args...);
    o->setClassRecord(record);
    return o;
}

} // namespace

const ClassRecord* MouseCursor::Lookup() {
    static const ClassRecord record = recordOf<MouseCursor>("MouseCursor");
    return &record;
}

const ClassRecord* CursorsClass::Lookup() {
    static const ClassRecord record = recordOf<CursorsClass>("_Cursors");
    return &record;
}

CursorsClass::CursorsClass()
    : fingerPointer_(madeOf<MouseCursor>(MouseCursor::Lookup(), MouseCursor::Shape::FingerPointer)),
      standardPointer_(madeOf<MouseCursor>(MouseCursor::Lookup(), MouseCursor::Shape::StandardPointer)) {}

const ClassRecord* SystemClass::Lookup() {
    static const ClassRecord record = recordOf<SystemClass>("_SystemClass");
    return &record;
}

SystemClass::SystemClass() : cursors_(madeOf<CursorsClass>(CursorsClass::Lookup())) {}

namespace {
Ref<SystemClass>& held() {
    static auto* system = new Ref<SystemClass>(); // outlives static destruction on purpose
    return *system;
}
} // namespace

// Kept for the run, like the platform it stands for, and let go of with the
// rest of the runtime so that nothing of it outlives the run.
Ref<SystemClass> System() {
    Ref<SystemClass>& system = held();
    if (!system)
        system = madeOf<SystemClass>(SystemClass::Lookup());
    return system;
}

void ReleaseSystemObject() {
    held().reset();
}

} // namespace fw

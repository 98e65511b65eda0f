#pragma once
// The framework's system object (_SystemClass) and its cursor collection
// (_Cursors).

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"
#include "framework/ui/MouseCursor.h"

namespace fw {

class CursorsClass : public Object {
public:
    CursorsClass();
    static const ClassRecord* Lookup();

    // The same cursor object at every call.
    Ref<MouseCursor> FingerPointer() const { return fingerPointer_; }
    Ref<MouseCursor> StandardPointer() const { return standardPointer_; }

private:
    Ref<MouseCursor> fingerPointer_;
    Ref<MouseCursor> standardPointer_;
};

class SystemClass : public Object {
public:
    SystemClass();
    static const ClassRecord* Lookup();

    Ref<CursorsClass> Cursors() const { return cursors_; }

private:
    Ref<CursorsClass> cursors_;
};

// The system object, one for the run: made on first use, and the same at
// every call until the runtime shuts down.
Ref<SystemClass> System();
// Lets go of the system object; the runtime's shut-down does so. A later use
// makes a new one.
void ReleaseSystemObject();

} // namespace fw

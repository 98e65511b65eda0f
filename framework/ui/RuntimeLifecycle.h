#pragma once
// The runtime's start and shut-down, the framework's initialisation around
// the program's start-up routine, and the report of an exception that no
// handler of the program took.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Exception.h"

#include <cstdint>

namespace fw {

// Readies the runtime for the class set-up; a new run starts with no
// unhandled exception reported.
void RuntimeInit();
// Shuts the runtime down: lets go of the application object, the system
// object and the file type registrations. Returns 1 when an unhandled
// exception was reported during the run, 0 otherwise.
std::int32_t RuntimeExit();

// Makes the GUI application, then calls `entry` (a routine without
// parameters or result) back once; a nil entry is not called. Where there is
// no display to show a window on (and Qt's platform needs one), raises an
// exception that says so and how to give one, instead of letting Qt abort.
void RunFrameworkInitialization(CodeRef entry);

// The framework's external classes; this framework has none to set up.
void RuntimeInitExternalClasses();

// Writes the exception's class and message to standard error and, when the
// application has a display, shows them in a message box; then returns.
void RuntimeUnhandledException(const Ref<RuntimeException>& e);

} // namespace fw

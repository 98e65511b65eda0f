#pragma once
// The program's application class: Application's operations unchanged, then
// a constructor of its own that does nothing.

#include "framework/runtime/ClassRecord.h"
#include "framework/ui/Application.h"

class App : public fw::Application {
public:
    static void ctblinit();                 // builds the class record once
    static const fw::ClassRecord* Lookup(); // the record, built first if missing
    static const fw::ClassRecord* ctbl;

    static void Constructor(App* self);
    // The constructor's place: after Application's operations.
    static std::size_t constructorIndex();
};

// Start-up step 4: creates the application object, gives it the menu bar and
// registers it with the framework.
void NewAppInstance();

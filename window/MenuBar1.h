#pragma once
// The program's menu bar class and its one instance, made on first use and
// shared by the application object and the installer window.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/ModuleGlobal.h"
#include "framework/ui/MenuBar.h"

namespace MenuBar1 {

// MenuBar's operations, with the program's constructor in the place of the
// parameterless MenuItem.Constructor, which it replaces.
class MenuBar1 : public fw::MenuBar {
public:
    static void ctblinit();                 // builds the class record once
    static const fw::ClassRecord* Lookup(); // the record, built first if missing
    static const fw::ClassRecord* ctbl;

    static void Constructor(fw::MenuItem* self);
};

// The menu bar instance; nil until the accessor's first call and again after
// its finaliser.
extern fw::ModuleGlobal<MenuBar1> implicitInstance;

// The implicit-instance accessor: the menu bar instance, made on the first
// call; one reference for the caller.
fw::Ref<MenuBar1> Instance();
// MenuBar1._implicitInstance.__Exit: releases the instance and leaves it nil.
void implicitInstanceExit();

} // namespace MenuBar1

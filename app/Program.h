#pragma once
// The program's entry, start-up and shut-down.

#include <cstdint>

// The whole run: runtime start, class set-up, the main routine, shut-down and
// runtime end; returns the runtime's exit status.
std::int32_t programMain();
// Builds every class record once, the framework's first and the program's
// (App, Window1, MenuBar1) last.
void programInitialize();
// Releases the module-level objects: the framework's six, then the menu bar
// instance, then the file type.
void programFinalize();

// The framework's initialisation with the start-up routine, then the event
// loop, under the program's one exception handler.
void Main();
// The six start-up steps, called back by the framework's initialisation.
void Startup();
// Asks for the program's plug-in table, of no entries, and keeps it.
void InitPluginEntrypoints();
// The program registers no application menu handlers.
void ApplicationAddMenuHandlers();
// Makes the default window and lets go of it: the framework holds it.
void MakeDefaultView();

#pragma once
// The framework's list of windows and of implicit windows: a constructed
// window is held there, under its class name, until it closes.

#include "framework/runtime/String.h"
#include "framework/ui/Window.h"

namespace fw {

// The window held as the implicit instance of that class name, with one
// reference for the caller, or nil.
Ref<Window> GetImplicitWindow(const String& className);

// Module-level objects of the window system and their finalisers: each
// releases its object and leaves it nil.
void WindowSupportWindowsInit();
void WindowSupportDirtyWindowsExit();
void WindowSupportWindowsExit();
void ImplicitWindowListExit();

} // namespace fw

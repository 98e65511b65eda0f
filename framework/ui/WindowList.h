#pragma once
// The framework's lists of windows: every constructed window is held in the
// window list, and also as the implicit instance of its class name unless
// its ImplicitInstance is False, until it closes. Windows waiting to be
// redrawn are held in the list of dirty windows.

#include "framework/runtime/String.h"
#include "framework/ui/Window.h"

namespace fw {

// The window held as the implicit instance of that class name, with one
// reference for the caller, or nil.
Ref<Window> GetImplicitWindow(const String& className);

// The lists take, or let go of, their references to a window. Letting go of
// a window that is not held does nothing.
void HoldWindow(Window& window);
void LeaveWindowLists(Window& window);
bool IsWindowHeld(const Window& window);
void MarkWindowDirty(Window& window);
void MarkWindowClean(Window& window);
bool IsWindowDirty(const Window& window);

// Module-level objects of the window system and their finalisers: each
// releases its object and leaves it nil. A list is made again when it is
// next used.
void WindowSupportWindowsInit();
void WindowSupportDirtyWindowsExit();
void WindowSupportWindowsExit();
void ImplicitWindowListExit();

} // namespace fw

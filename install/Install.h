#pragma once
// The installation engine: installs the keyboard bundle and the fonts folder,
// or removes them when the bundle is already installed.

#include "framework/ui/Window.h"

namespace installer {

// One run, on the installer window; reports to the user in message boxes.
void install(fw::Window* self);

} // namespace installer

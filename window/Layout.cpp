// Placeholder bodies until the window's layout lands.
#include "framework/ui/Label.h"
#include "framework/ui/RoundRectangle.h"
#include "window/Window1.h"

namespace Window1 {
void Layout(fw::Window*) {}
void CreateControls(fw::Window*) {}
void CreateControls0(fw::Window*) {}
fw::Ref<fw::RoundRectangle> RoundRectangle1(fw::Window*) { return {}; }
fw::Ref<fw::Label> buttontext(fw::Window*) { return {}; }
} // namespace Window1

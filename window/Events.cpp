// Placeholder bodies until the window's events land.
#include "install/Install.h"
#include "window/Window1.h"

namespace Window1 {
bool RoundRectangle1_MouseDown(fw::Window* self, fw::RoundRectangle*, std::int32_t, std::int32_t) {
    installer::install(self);
    return false;
}
void RoundRectangle1_MouseEnter(fw::Window*, fw::RoundRectangle*) {}
void Event_Open(fw::Window*) {}
} // namespace Window1

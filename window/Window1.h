#pragma once
// The installer window class: the window's behaviour and the install /
// remove procedure are its operations, reached through its class record.

#include "framework/runtime/ClassRecord.h"
#include "framework/ui/Window.h"

#include <cstddef>
#include <cstdint>

namespace fw {
class Label;
class RoundRectangle;
} // namespace fw

namespace Window1 {

class Window1 : public fw::Window {
public:
    // Reachable through introspection only. It follows the whole of Window,
    // tail padding included, so a Window1 is Window's bytes and then this
    // field (left to itself the compiler would tuck it into the padding).
    alignas(alignof(fw::Window)) std::int32_t Untitled = 0;

    static void ctblinit();                 // builds the class record once
    static const fw::ClassRecord* Lookup(); // the record, built first if missing
    static const fw::ClassRecord* ctbl;
};

// The class's own operations, in the order of its table, after Window's.
enum class Own : std::size_t {
    Layout,
    CreateControls,
    CreateControls0,
    RoundRectangle1,
    buttontext,
    RoundRectangle1_MouseDown,
    RoundRectangle1_MouseEnter,
    Event_Open,
    install,
};
// The place of an own operation in the window's table.
std::size_t operationIndex(Own op);

void Layout(fw::Window* self);
void CreateControls(fw::Window* self);
void CreateControls0(fw::Window* self);
fw::Ref<fw::RoundRectangle> RoundRectangle1(fw::Window* self);
fw::Ref<fw::Label> buttontext(fw::Window* self);
bool RoundRectangle1_MouseDown(fw::Window* self, fw::RoundRectangle* button, std::int32_t x, std::int32_t y);
void RoundRectangle1_MouseEnter(fw::Window* self, fw::RoundRectangle* button);
void Event_Open(fw::Window* self);

// The implicit-instance accessor: the installer window the framework holds,
// or a new one; one reference for the caller.
fw::Ref<Window1> Instance();

} // namespace Window1

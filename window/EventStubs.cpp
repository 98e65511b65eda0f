#include "window/EventStubs.h"

#include "framework/runtime/Exception.h"
#include "framework/ui/Window.h"

namespace Window1 {
namespace {

constexpr std::size_t kMouseDown = fw::eventNumber(fw::RoundRectangleEvent::MouseDown);
constexpr std::size_t kMouseEnter = fw::eventNumber(fw::RectControlEvent::MouseEnter);

using MouseDownMethod = bool(fw::Window*, fw::RoundRectangle*, std::int32_t, std::int32_t);
using MouseEnterMethod = void(fw::Window*, fw::RoundRectangle*);

// The delegate's target as the window its method takes first.
fw::Window* windowTarget(const fw::Ref<fw::Object>& target) {
    if (!target)
        fw::RaiseNilObjectException();
    auto* window = dynamic_cast<fw::Window*>(target.get());
    if (!window)
        fw::RaiseException(
            fw::make<fw::IllegalCastException>(fw::String("the handler's target is not a window")));
    return window;
}

} // namespace

namespace AddHandler {

bool Stub15(fw::RoundRectangle* control, std::int32_t x, std::int32_t y) {
    fw::Delegate* delegate = control->eventDelegate(kMouseDown);
    return delegate->invoker.as<Delegate::MouseDownInvoker>()(delegate, control, x, y);
}

// The handler was attached to the button only, so the control is the button.
void Stub4(fw::RectControl* control) {
    fw::Delegate* delegate = control->eventDelegate(kMouseEnter);
    auto* button = dynamic_cast<fw::RoundRectangle*>(control);
    if (!button)
        fw::RaiseException(
            fw::make<fw::IllegalCastException>(fw::String("MouseEnter came from another control")));
    delegate->invoker.as<Delegate::MouseEnterInvoker>()(delegate, button);
}

} // namespace AddHandler

namespace Delegate {

bool IM_Invoke(fw::Delegate* delegate, fw::RoundRectangle* button, std::int32_t x, std::int32_t y) {
    const fw::Ref<fw::Object> target = delegate->target();
    return delegate->method.as<MouseDownMethod>()(windowTarget(target), button, x, y);
}

void IM_Invoke(fw::Delegate* delegate, fw::RoundRectangle* button) {
    const fw::Ref<fw::Object> target = delegate->target();
    delegate->method.as<MouseEnterMethod>()(windowTarget(target), button);
}

} // namespace Delegate
} // namespace Window1

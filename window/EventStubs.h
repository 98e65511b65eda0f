#pragma once
// The entry points through which the framework reaches the button's two
// handlers: one event stub per hooked event number, called by the button's
// dispatch, and one delegate invoker per handler signature, called by the
// stub through the delegate's invoker entry. Neither takes a reference of
// its own; the handlers hold what they need.

#include "framework/runtime/Delegate.h"
#include "framework/ui/RoundRectangle.h"

#include <cstdint>

namespace Window1 {

namespace AddHandler {
// AddHandler.Stub.15: MouseDown of the button; the handler's result.
bool Stub15(fw::RoundRectangle* control, std::int32_t x, std::int32_t y);
// AddHandler.Stub.4: MouseEnter, an event of every RectControl.
void Stub4(fw::RectControl* control);
} // namespace AddHandler

namespace Delegate {
// Delegate.IM_Invoke of (RoundRectangle, Int32, Int32) As Boolean, and of
// (RoundRectangle). Each calls the delegate's method with its target as the
// window; a weak target that has gone raises NilObjectException and the
// method does not run.
bool IM_Invoke(fw::Delegate* delegate, fw::RoundRectangle* button, std::int32_t x, std::int32_t y);
void IM_Invoke(fw::Delegate* delegate, fw::RoundRectangle* button);

using MouseDownInvoker = bool(fw::Delegate*, fw::RoundRectangle*, std::int32_t, std::int32_t);
using MouseEnterInvoker = void(fw::Delegate*, fw::RoundRectangle*);
} // namespace Delegate

} // namespace Window1

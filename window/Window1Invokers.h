#pragma once
// The introspection invokers of Window1's members whose signatures the
// framework has no invoker of its own for. Each is called with the member's
// code, the target window and the arguments after Self.

#include "framework/runtime/Array.h"
#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"

namespace Window1::Introspection {

// "%o<RoundRectangle>%" and "%o<Label>%": the control the accessor returns,
// itself. Neither reads the arguments.
fw::Ref<fw::Object> Invoke_o_RoundRectangle_(fw::CodeRef code, const fw::Ref<fw::Object>& target,
                                             const fw::Ref<fw::Array>& arguments);
fw::Ref<fw::Object> Invoke_o_Label_(fw::CodeRef code, const fw::Ref<fw::Object>& target,
                                    const fw::Ref<fw::Array>& arguments);
// "%b%o<RoundRectangle>i4i4": the button, X and Y from elements 0 to 2; the
// Boolean result boxed in a Variant.
fw::Ref<fw::Object> Invoke_b_o_RoundRectangle_i4i4(fw::CodeRef code, const fw::Ref<fw::Object>& target,
                                                   const fw::Ref<fw::Array>& arguments);
// "%%o<RoundRectangle>": the button from element 0; no result.
fw::Ref<fw::Object> Invoke__o_RoundRectangle_(fw::CodeRef code, const fw::Ref<fw::Object>& target,
                                              const fw::Ref<fw::Array>& arguments);

} // namespace Window1::Introspection

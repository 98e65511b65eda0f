#pragma once
// Controls: the parts of a window that the user sees and presses.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"

namespace fw {

class Control : public Object {
public:
    Control() = default;
};

class RectControl : public Control {
public:
    RectControl() = default;
};

} // namespace fw

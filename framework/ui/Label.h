#pragma once
// The label control.

#include "framework/ui/Control.h"

namespace fw {

class Label : public RectControl {
public:
    Label() = default;
};

} // namespace fw

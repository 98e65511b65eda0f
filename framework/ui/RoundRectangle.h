#pragma once
// The rounded-rectangle control.

#include "framework/ui/Control.h"

namespace fw {

class RoundRectangle : public RectControl {
public:
    RoundRectangle() = default;
};

} // namespace fw

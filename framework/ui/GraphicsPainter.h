#pragma once
// What a Graphics draws with (framework only).

#include <QPainter>

#include "framework/ui/Graphics.h"

namespace fw {

struct Graphics::Painter {
    QPainter& painter;
};

} // namespace fw

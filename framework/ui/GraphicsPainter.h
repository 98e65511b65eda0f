#pragma once
// What a Graphics draws with (framework only).

#include "framework/ui/Graphics.h"

#include <QPainter>

namespace fw {

struct Graphics::Painter {
    QPainter& painter;
};

} // namespace fw

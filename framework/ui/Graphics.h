#pragma once
// A drawing surface handed to painting operations while a paint lasts.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"

namespace fw {

class Graphics : public Object {
public:
    // What draws: the window system's painter (GraphicsPainter.h).
    struct Painter;

    Graphics() = default;
    explicit Graphics(Painter* painter) : painter_(painter) {}

    static const ClassRecord* Lookup();

    // Nil once the paint it was made for is over.
    Painter* painter() const noexcept { return painter_; }
    void endPaint() noexcept { painter_ = nullptr; }

private:
    Painter* painter_ = nullptr;
};

} // namespace fw

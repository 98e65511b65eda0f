#pragma once
// Mouse cursors, as the system's cursor collection offers them.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"

namespace fw {

class MouseCursor : public Object {
public:
    enum class Shape {
        StandardPointer, // the platform's arrow
        FingerPointer,   // the platform's pointing hand
    };

    MouseCursor() = default;
    explicit MouseCursor(Shape shape) : shape_(shape) {}

    static const ClassRecord* Lookup();
    Shape shape() const noexcept { return shape_; }

private:
    Shape shape_ = Shape::StandardPointer;
};

} // namespace fw

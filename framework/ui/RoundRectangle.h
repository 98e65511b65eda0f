#pragma once
// The rounded-rectangle control: a filled, bordered shape with rounded
// corners that reports presses.

#include "framework/runtime/Color.h"
#include "framework/ui/Control.h"

#include <cstdint>

namespace fw {

class RoundRectangle;

// RoundRectangle's own events follow RectControl's.
enum class RoundRectangleEvent : std::size_t {
    MouseDown = static_cast<std::size_t>(RectControlEvent::Count_),
    MouseDrag,
    MouseUp,
    Count_,
};
inline constexpr std::size_t eventNumber(RoundRectangleEvent e) {
    return static_cast<std::size_t>(e);
}
static_assert(eventNumber(RoundRectangleEvent::MouseDown) == 15);

// Stub forms: the control and the pointer's place inside it. A MouseDown
// that gives True asks for the press's MouseDrag and MouseUp.
using MouseDownStub = bool(RoundRectangle* control, std::int32_t x, std::int32_t y);
using MouseStub = void(RoundRectangle* control, std::int32_t x, std::int32_t y);

struct RoundRectangleState {
    using Owner = RoundRectangle;
    Color fillColor{255, 255, 255};
    std::int32_t borderWidth = 1;
    Color borderColor{0, 0, 0};
    std::int32_t ovalWidth = 8;
    std::int32_t ovalHeight = 8;
};

class RoundRectangle : public RectControl {
public:
    RoundRectangle() = default;

    static const ClassRecord* Lookup();

    const RoundRectangleState& shapeState() const noexcept { return state_; }

    // The framework's dispatch of a press and of what follows it.
    bool dispatchMouseDown(std::int32_t x, std::int32_t y);
    void dispatchMouseDrag(std::int32_t x, std::int32_t y);
    void dispatchMouseUp(std::int32_t x, std::int32_t y);

protected:
    ControlWidget* makeWidget() override;

private:
    template <auto>
    friend struct property_table::Stored;

    RoundRectangleState state_;
};

} // namespace fw

#include "framework/ui/RoundRectangle.h"

#include "framework/ui/ControlWidget.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/InputRun.h"
#include "framework/ui/PropertyTable.h"
#include "framework/ui/Window.h"
#include "framework/ui/WindowWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cassert>

namespace fw {
namespace {

QColor qColor(Color c) {
    return QColor(c.red, c.green, c.blue);
}

// The shape, and the press: a MouseDown that its handler took (True) is
// followed by the press's drags and its release; one that it did not take is
// the whole press.
class RoundRectangleWidget : public ControlWidget {
public:
    RoundRectangleWidget(RoundRectangle& control, QWidget* content) : ControlWidget(control, content) {}

protected:
    RoundRectangle* shape() const { return static_cast<RoundRectangle*>(control()); }

    void paintEvent(QPaintEvent*) override {
        const RoundRectangle* s = shape();
        if (!s)
            return;
        const RoundRectangleState& look = s->shapeState();
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const int border = std::clamp(look.borderWidth, 0, std::min(width(), height()) / 2);
        // The border lies inside the frame: its pen is centred half its width in.
        const qreal inset = border / 2.0;
        const QRectF r = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
        p.setPen(border > 0 ? QPen(qColor(look.borderColor), border) : QPen(Qt::NoPen));
        p.setBrush(qColor(look.fillColor));
        p.drawRoundedRect(r, std::clamp(look.ovalWidth, 0, width()) / 2.0,
                          std::clamp(look.ovalHeight, 0, height()) / 2.0);
    }
    void mousePressEvent(QMouseEvent* e) override {
        RoundRectangle* s = shape();
        if (!s || e->button() != Qt::LeftButton)
            return;
        const QPoint at = e->position().toPoint();
        const InputRun run(window());
        tracking_ = CallFromEventLoop([&] { return s->dispatchMouseDown(at.x(), at.y()); }, false);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        RoundRectangle* s = shape();
        if (!s || !tracking_)
            return;
        const QPoint at = e->position().toPoint();
        CallFromEventLoopVoid([&] { s->dispatchMouseDrag(at.x(), at.y()); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        RoundRectangle* s = shape();
        if (!s || !std::exchange(tracking_, false))
            return;
        const QPoint at = e->position().toPoint();
        CallFromEventLoopVoid([&] { s->dispatchMouseUp(at.x(), at.y()); });
    }

private:
    bool tracking_ = false;
};

} // namespace

const ClassRecord* RoundRectangle::Lookup() {
    static const ClassRecord record = [] {
        using namespace property_table;
        using S = RoundRectangleState;
        ClassRecord r =
            BuildFrameworkClass("RoundRectangle", RectControl::Lookup(), &AllocateAs<RoundRectangle>, {},
                                {"MouseDown", "MouseDrag", "MouseUp"},
                                {
                                    State<&S::fillColor>("FillColor"),
                                    State<&S::borderWidth>("BorderWidth"),
                                    State<&S::borderColor>("BorderColor"),
                                    State<&S::ovalWidth>("OvalWidth"),
                                    State<&S::ovalHeight>("OvalHeight"),
                                });
        assert(r.events.size() == eventNumber(RoundRectangleEvent::Count_));
        r.instanceSize = sizeof(RoundRectangle);
        return r;
    }();
    return &record;
}

bool RoundRectangle::dispatchMouseDown(std::int32_t x, std::int32_t y) {
    return dispatch<MouseDownStub>(this, eventNumber(RoundRectangleEvent::MouseDown), x, y);
}

void RoundRectangle::dispatchMouseDrag(std::int32_t x, std::int32_t y) {
    dispatch<MouseStub>(this, eventNumber(RoundRectangleEvent::MouseDrag), x, y);
}

void RoundRectangle::dispatchMouseUp(std::int32_t x, std::int32_t y) {
    dispatch<MouseStub>(this, eventNumber(RoundRectangleEvent::MouseUp), x, y);
}

ControlWidget* RoundRectangle::makeWidget() {
    return new RoundRectangleWidget(*this, window()->widget()->content());
}

} // namespace fw

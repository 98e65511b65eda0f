#include "framework/ui/ControlWidget.h"

#include "framework/ui/Control.h"
#include "framework/ui/EventLoop.h"

#include <algorithm>

namespace fw {
namespace {

constexpr int kLargest = 32000;
int place(std::int32_t v) {
    return std::clamp<std::int32_t>(v, -kLargest, kLargest);
}
int extent(std::int32_t v) {
    return std::clamp<std::int32_t>(v, 0, kLargest);
}

} // namespace

QRect ContentFrame(const RectControl& control) {
    const RectControlState& s = control.rectState();
    return QRect(place(s.left), place(s.top), extent(s.width), extent(s.height));
}

QWidget* WidgetOf(const RectControl& control) {
    return control.widget();
}

ControlWidget::ControlWidget(RectControl& control, QWidget* content) : QWidget(content), control_(&control) {
    show();
}

ControlWidget::~ControlWidget() {
    if (control_)
        control_->widgetGone();
}

void ControlWidget::controlGone() {
    control_ = nullptr;
    hide();
    deleteLater();
}

QRect ControlWidget::frameInContent() const {
    return ContentFrame(*control_);
}

void ControlWidget::sync() {
    if (!control_)
        return;
    const RectControlState& s = control_->rectState();
    setGeometry(frameInContent());
    setVisible(s.visible);
    setEnabled(s.enabled);
    setToolTip(QString::fromUtf8(s.helpTag.bytes().data(), static_cast<qsizetype>(s.helpTag.size())));
    update();
}

void ControlWidget::enterEvent(QEnterEvent*) {
    if (RectControl* c = control_)
        CallFromEventLoopVoid([c] { c->dispatchMouseEnter(); });
}

void ControlWidget::leaveEvent(QEvent*) {
    if (RectControl* c = control_)
        CallFromEventLoopVoid([c] { c->dispatchMouseExit(); });
}

} // namespace fw

#pragma once
// A control's widget on Qt Widgets (framework only): it lies in its window's
// content area where the control's Left, Top, Width and Height say, and
// passes the pointer's entering and leaving to the control's dispatch.

#include <QRect>
#include <QWidget>

namespace fw {

class RectControl;

class ControlWidget : public QWidget {
public:
    ControlWidget(RectControl& control, QWidget* content);
    ~ControlWidget() override;

    // Nil once the control has gone; the widget then waits to be deleted.
    RectControl* control() const noexcept { return control_; }
    void controlGone();

    // Geometry, visibility, enabled state and help tag from the control's
    // state; then a repaint.
    virtual void sync();

protected:
    // Where the widget lies in the content area: the control's frame.
    virtual QRect frameInContent() const;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    RectControl* control_;
};

// The control's frame in its window's content area.
QRect ContentFrame(const RectControl& control);

// The widget of a control, nil until it is in a window's view; for tests too.
QWidget* WidgetOf(const RectControl& control);

} // namespace fw

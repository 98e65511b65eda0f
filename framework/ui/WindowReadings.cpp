// The window's properties that are read from its view when asked.

#include "framework/ui/ControlWidget.h"
#include "framework/ui/Window.h"
#include "framework/ui/WindowWidget.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace fw {

std::int32_t Window::MouseX() const {
    return widget_ ? widget_->content()->mapFromGlobal(QCursor::pos()).x() : 0;
}

std::int32_t Window::MouseY() const {
    return widget_ ? widget_->content()->mapFromGlobal(QCursor::pos()).y() : 0;
}

Ref<RectControl> Window::Focus() const {
    if (!widget_)
        return Ref<RectControl>();
    for (QWidget* w = widget_->focusWidget(); w; w = w->parentWidget())
        if (auto* c = dynamic_cast<ControlWidget*>(w))
            return Ref<RectControl>::retain(c->control());
    return Ref<RectControl>();
}

bool Window::Active() const {
    return widget_ && widget_->isActiveWindow();
}
bool Window::Minimized() const {
    return widget_ && widget_->isMinimized();
}
bool Window::Maximized() const {
    return widget_ && widget_->isMaximized();
}

std::int32_t Window::ScreenNumber() const {
    const QScreen* screen = widget_ ? widget_->screen() : QGuiApplication::primaryScreen();
    return static_cast<std::int32_t>(QGuiApplication::screens().indexOf(const_cast<QScreen*>(screen)));
}

float Window::ScaleFactor() const {
    return widget_ ? static_cast<float>(widget_->devicePixelRatioF()) : 1.0f;
}

} // namespace fw

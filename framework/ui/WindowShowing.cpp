// Window's operations that show, hide, close, place and draw it.

#include "framework/ui/GraphicsPainter.h"
#include "framework/ui/PictureImage.h"
#include "framework/ui/WindowCode.h"
#include "framework/ui/WindowList.h"
#include "framework/ui/WindowWidget.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPainter>
#include <QWindow>

namespace fw {
namespace {

QColor qColor(Color c) {
    return QColor(c.red, c.green, c.blue);
}

// Waits, handling events, until the window is no longer shown.
void waitWhileShown(Window& w) {
    const Ref<Window> protector = Ref<Window>::retain(&w);
    while (w.widget() && w.widget()->isVisible())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

void WindowCode::Show(Window* w) {
    Window& self = TargetWindow(w);
    state(self).visible = true;
    ViewOf(self).showAsStated();
}

void WindowCode::ShowWithin(Window* w, const Ref<Window>& parent, std::int32_t /*facing*/) {
    Window& self = TargetWindow(w);
    WindowWidget& view = ViewOf(self);
    view.winId();
    if (parent && parent->widget() && view.windowHandle())
        view.windowHandle()->setTransientParent(parent->widget()->windowHandle());
    Show(w);
}

void WindowCode::ShowModalWithin(Window* w, const Ref<Window>& parent) {
    Window& self = TargetWindow(w);
    if (parent && parent.get() != w)
        ShowWithin(w, parent, 0);
    ShowModal(&self);
}

void WindowCode::ShowModal(Window* w) {
    Window& self = TargetWindow(w);
    WindowWidget& view = ViewOf(self);
    view.setWindowModality(Qt::ApplicationModal);
    setModal(self, true);
    Show(w);
    waitWhileShown(self);
    setModal(self, false);
    if (self.widget())
        self.widget()->setWindowModality(Qt::NonModal);
}

void WindowCode::Hide(Window* w) {
    Window& self = TargetWindow(w);
    state(self).visible = false;
    if (self.widget())
        self.widget()->hide();
}

// A shown window closes as a person would close it; the view's close passes
// through _UnifiedClose, which may keep it open.
void WindowCode::Close(Window* w) {
    Window& self = TargetWindow(w);
    const Ref<Window> protector = Ref<Window>::retain(w);
    if (self.widget() && self.widget()->isVisible())
        self.widget()->close();
    else
        WindowOperation<window_operation::UnifiedClose>(self, WindowOp::UnifiedClose)(w, false);
}

void WindowCode::Maximize(Window* w) {
    if (WindowWidget* view = TargetWindow(w).widget())
        view->showMaximized();
}

void WindowCode::Minimize(Window* w) {
    if (WindowWidget* view = TargetWindow(w).widget())
        view->showMinimized();
}

void WindowCode::Restore(Window* w) {
    if (WindowWidget* view = TargetWindow(w).widget())
        view->showNormal();
}

void WindowCode::SetFocus(Window* w) {
    if (WindowWidget* view = TargetWindow(w).widget()) {
        view->raise();
        view->activateWindow();
    }
}

void WindowCode::Move(Window* w, std::int32_t left, std::int32_t top, std::int32_t width,
                      std::int32_t height) {
    Window& self = TargetWindow(w);
    WindowState& s = state(self);
    s.width = width;
    s.height = height;
    self.setLeft(left);
    self.setTop(top);
}

std::uintptr_t WindowCode::Operator_Convert(Window* w) {
    return static_cast<std::uintptr_t>(ViewOf(TargetWindow(w)).winId());
}

Ref<Window> WindowCode::TrueWindow(Window* w) {
    return Ref<Window>::retain(&TargetWindow(w));
}

void WindowCode::Refresh(Window* w, bool /*eraseBackground*/) {
    Window& self = TargetWindow(w);
    MarkWindowDirty(self);
    if (self.widget())
        self.widget()->content()->update();
}

void WindowCode::RefreshRect(Window* w, std::int32_t left, std::int32_t top, std::int32_t width,
                             std::int32_t height, bool /*eraseBackground*/) {
    Window& self = TargetWindow(w);
    MarkWindowDirty(self);
    if (self.widget())
        self.widget()->content()->update(
            QRect(left, top, width, height).intersected(self.widget()->content()->rect()));
}

void WindowCode::UpdateNow(Window* w) {
    if (WindowWidget* view = TargetWindow(w).widget())
        view->content()->repaint();
}

// Draws now what waits to be drawn.
void WindowCode::Update(Window* w) {
    Window& self = TargetWindow(w);
    if (IsWindowDirty(self))
        UpdateNow(w);
}

void WindowCode::DrawInto(Window* w, const Ref<Graphics>& g, std::int32_t x, std::int32_t y,
                          bool drawBackground) {
    Window& self = TargetWindow(w);
    Graphics::Painter* p = NotNil(g).painter();
    if (!p)
        return;
    QWidget::RenderFlags flags = QWidget::DrawChildren;
    if (drawBackground)
        flags |= QWidget::DrawWindowBackground;
    ViewOf(self).content()->render(&p->painter, QPoint(x, y), QRegion(), flags);
}

// The back colour (the platform's window colour without HasBackColor), then
// the backdrop, unscaled, with its top-left corner at the origin.
void WindowCode::DrawBackground(Window* w, const Ref<Graphics>& g, std::int32_t left, std::int32_t top,
                                std::int32_t width, std::int32_t height, std::int32_t originX,
                                std::int32_t originY) {
    Window& self = TargetWindow(w);
    Graphics::Painter* p = NotNil(g).painter();
    if (!p)
        return;
    const WindowState& s = self.windowState();
    QPainter& painter = p->painter;
    const QRect area(left, top, width, height);
    const QColor back = s.hasBackColor ? qColor(s.backColor) : ViewOf(self).palette().color(QPalette::Window);
    painter.fillRect(area, back);
    if (s.backdrop) {
        painter.save();
        painter.setClipRect(area);
        painter.drawImage(QPoint(originX, originY), s.backdrop->image().image);
        painter.restore();
    }
}

} // namespace fw

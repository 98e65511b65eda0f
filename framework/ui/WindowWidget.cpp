#include "framework/ui/WindowWidget.h"

#include "framework/ui/EventLoop.h"
#include "framework/ui/GraphicsPainter.h"
#include "framework/ui/InputRun.h"
#include "framework/ui/MouseCursor.h"
#include "framework/ui/PictureImage.h"
#include "framework/ui/WindowCode.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <algorithm>

namespace fw {
namespace {

namespace op = window_operation;

// The window system's limit on a window's extent; what lies outside it, a
// property record may still hold.
constexpr int kLargestExtent = 32000;
int extent(std::int32_t v) {
    return std::clamp<std::int32_t>(v, 0, kLargestExtent);
}
int place(std::int32_t v) {
    return std::clamp<std::int32_t>(v, -kLargestExtent, kLargestExtent);
}

QString qText(const String& s) {
    return QString::fromUtf8(s.bytes().data(), static_cast<qsizetype>(s.size()));
}

String fwText(const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    return String(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

Qt::CursorShape shapeOf(MouseCursor::Shape s) {
    switch (s) {
    case MouseCursor::Shape::FingerPointer:
        return Qt::PointingHandCursor;
    case MouseCursor::Shape::StandardPointer:
        break;
    }
    return Qt::ArrowCursor;
}

Qt::WindowFlags flagsFor(const WindowState& s) {
    Qt::WindowFlags f = Qt::Window;
    switch (s.frame) {
    case 1: // movable modal
    case 2: // modal dialog
    case 8: // sheet
        f = Qt::Dialog;
        break;
    case 3: // floating
    case 7: // global floating
        f = Qt::Tool;
        break;
    case 4: // plain box
    case 5: // shadowed box
    case 6: // rounded
        return Qt::Window | Qt::FramelessWindowHint |
               (s.staysOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags());
    default:
        break;
    }
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (s.closeButton)
        f |= Qt::WindowCloseButtonHint;
    if (s.minimizeButton)
        f |= Qt::WindowMinimizeButtonHint;
    if (s.maximizeButton && s.resizeable)
        f |= Qt::WindowMaximizeButtonHint;
    if (s.fullScreenButton)
        f |= Qt::WindowFullscreenButtonHint;
    if (s.staysOnTop)
        f |= Qt::WindowStaysOnTopHint;
    if (!s.shadowVisible)
        f |= Qt::NoDropShadowWindowHint;
    return f;
}

// The content area: it draws the back colour and the backdrop through the
// window's own operations and passes the pointer's doings to the window.
class ContentWidget : public QWidget {
public:
    ContentWidget(WindowWidget& view) : QWidget(&view), view_(view) {
        setMouseTracking(true);
        setAutoFillBackground(false);
    }

protected:
    // Runs `f` on the window, held for the call, unless it has gone.
    template <class F>
    void onWindow(F&& f) {
        if (Window* w = view_.owner()) {
            const Ref<Window> protector = Ref<Window>::retain(w);
            CallFromEventLoopVoid([&] { f(*w); });
        }
    }

    void paintEvent(QPaintEvent* e) override {
        QPainter painter(this);
        Graphics::Painter surface{painter};
        const Ref<Graphics> g = make<Graphics>(&surface);
        g->setClassRecord(Graphics::Lookup());
        const QRect r = e->rect();
        onWindow([&](Window& w) {
            WindowOperation<op::DrawBackground>(w, WindowOp::DrawBackground)(&w, g, r.x(), r.y(), r.width(),
                                                                             r.height(), 0, 0);
            WindowOperation<op::Paint>(w, WindowOp::Paint)(&w, g);
        });
        g->endPaint();
    }
    void mousePressEvent(QMouseEvent* e) override {
        const QPoint p = e->position().toPoint();
        const InputRun run(window());
        onWindow([&](Window& w) {
            tracking_ = WindowOperation<op::CallMouseDown>(w, WindowOp::CallMouseDown)(&w, p.x(), p.y());
        });
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const QPoint p = e->position().toPoint();
        onWindow([&](Window& w) {
            if (tracking_)
                RunWindowEvent<window_event::MouseHook>(w, WindowEvent::MouseDrag, p.x(), p.y());
            else
                WindowOperation<op::MouseMove>(w, WindowOp::MouseMove)(&w, p.x(), p.y());
        });
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const QPoint p = e->position().toPoint();
        const bool tracked = std::exchange(tracking_, false);
        onWindow([&](Window& w) {
            if (tracked)
                RunWindowEvent<window_event::MouseHook>(w, WindowEvent::MouseUp, p.x(), p.y());
        });
    }
    void enterEvent(QEnterEvent*) override {
        onWindow([](Window& w) { WindowOperation<op::MouseEnter>(w, WindowOp::MouseEnter)(&w); });
    }
    void leaveEvent(QEvent*) override {
        onWindow([](Window& w) { WindowOperation<op::MouseExit>(w, WindowOp::MouseExit)(&w); });
    }
    void wheelEvent(QWheelEvent* e) override {
        const QPoint p = e->position().toPoint();
        const QPoint d = e->angleDelta() / 8;
        bool handled = false;
        onWindow([&](Window& w) {
            handled =
                WindowOperation<op::MouseWheel>(w, WindowOp::MouseWheel)(&w, p.x(), p.y(), d.x(), d.y());
        });
        e->setAccepted(handled);
    }
    // A person resizing the window: the state follows, and so do the
    // controls locked to the edges that moved.
    void resizeEvent(QResizeEvent* e) override {
        onWindow([&](Window& w) {
            WindowState& s = WindowCode::state(w);
            const QSize now = e->size();
            if (now.width() == extent(s.width) && now.height() == extent(s.height))
                return;
            const int dx = now.width() - extent(s.width);
            const int dy = now.height() - extent(s.height);
            s.width = now.width();
            s.height = now.height();
            for (const Window::NamedControl& c : w.controls())
                if (auto* rect = dynamic_cast<RectControl*>(c.control.get()))
                    rect->contentResized(dx, dy);
            WindowOperation<op::CallResizing>(w, WindowOp::CallResizing)(&w);
            WindowOperation<op::CallResized>(w, WindowOp::CallResized)(&w);
        });
    }

private:
    WindowWidget& view_;
    bool tracking_ = false;
};

} // namespace

WindowWidget::WindowWidget(Window& owner) : owner_(&owner), content_(new ContentWidget(*this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

WindowWidget::~WindowWidget() {
    if (owner_)
        WindowCode::widget(*owner_) = nullptr;
}

void WindowWidget::ownerGone() {
    owner_ = nullptr;
    hide();
    deleteLater();
}

int WindowWidget::menuBarHeight() const {
    return menuBar_ && menuBar_->isVisible() ? menuBar_->sizeHint().height() : 0;
}

void WindowWidget::sync() {
    if (!owner_)
        return;
    const WindowState& s = owner_->windowState();
    setWindowTitle(qText(s.title));
    syncFlags();
    syncMenuBar();
    syncSize();
    if (s.mouseCursor)
        setCursor(shapeOf(s.mouseCursor->shape()));
    else
        unsetCursor();
    setEnabled(s.enabled);
    setWindowOpacity(std::clamp(static_cast<double>(s.opacity), 0.0, 1.0));
    setAcceptDrops(s.acceptsDrops);
    setAttribute(Qt::WA_ShowWithoutActivating, !s.activateOnShow);
    setUpdatesEnabled(!s.updatesLocked);
    setWindowIcon(s.icon ? QIcon(QPixmap::fromImage(s.icon->image().image)) : QIcon());
    setWindowFilePath(s.documentFile ? QString::fromStdString(s.documentFile->path().string()) : QString());
    setWindowModified(s.contentsChanged);
    if (owner_->constructed()) {
        if (s.visible && !isVisible())
            showAsStated();
        else if (!s.visible && isVisible())
            hide();
        else if (s.visible && s.fullScreen != isFullScreen())
            showAsStated();
    }
    content_->update();
}

// Changing the flags hides a shown window, so they are set only when the
// window's own frame properties ask for other flags than last time. Qt
// completes the flags it is given (windowFlags() never equals them), so
// the comparison is with what was last asked for.
void WindowWidget::syncFlags() {
    const Qt::WindowFlags wanted = flagsFor(owner_->windowState());
    if (appliedFlags_ == wanted)
        return;
    appliedFlags_ = wanted;
    const bool shown = isVisible();
    setWindowFlags(wanted);
    if (shown)
        show();
}

// A menu bar takes room only when it has menus to show.
void WindowWidget::syncMenuBar() {
    const WindowState& s = owner_->windowState();
    const std::int32_t menus = s.menuBar ? MenuItem::Count(s.menuBar.get()) : 0;
    if (menus > 0 && s.menuBarVisible) {
        if (!menuBar_)
            menuBar_ = new QMenuBar(this);
        while (menuBar_->actions().size() < menus)
            menuBar_->addMenu(QString());
        menuBar_->show();
    } else if (menuBar_) {
        menuBar_->hide();
    }
}

void WindowWidget::syncSize() {
    const WindowState& s = owner_->windowState();
    const int bar = menuBarHeight();
    const QSize content(extent(s.width), extent(s.height));
    if (menuBar_)
        menuBar_->setGeometry(0, 0, content.width(), bar);
    if (s.resizeable) {
        const QSize least(extent(s.minWidth), extent(s.minHeight) + bar);
        setMinimumSize(least);
        setMaximumSize(QSize(extent(s.maxWidth), extent(s.maxHeight) + bar).expandedTo(least));
    } else {
        setFixedSize(content.width(), content.height() + bar);
    }
    const QSize whole(content.width(), content.height() + bar);
    if (size() != whole)
        resize(whole);
    content_->setGeometry(0, bar, content.width(), content.height());
    if (owner_->positioned())
        move(place(s.left), place(s.top) - bar);
}

void WindowWidget::showAsStated() {
    if (!owner_)
        return;
    const WindowState& s = owner_->windowState();
    if (s.placement != 0 && !owner_->positioned()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    if (s.fullScreen)
        showFullScreen();
    else if (isFullScreen())
        showNormal();
    else
        show();
}

void WindowWidget::closeEvent(QCloseEvent* e) {
    if (!owner_) {
        e->accept();
        return;
    }
    // A person's close during a run waits for the run's end.
    if (e->spontaneous() && RunUnderWay() && !isModal()) {
        CloseAfterRun(this);
        e->ignore();
        return;
    }
    const Ref<Window> protector = Ref<Window>::retain(owner_);
    const bool closed = CallFromEventLoop(
        [&] { return WindowOperation<op::UnifiedClose>(*owner_, WindowOp::UnifiedClose)(owner_, false); },
        true);
    e->setAccepted(closed);
}

void WindowWidget::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (!owner_)
        return;
    const Ref<Window> protector = Ref<Window>::retain(owner_);
    Window& w = *owner_;
    CallFromEventLoopVoid([&] {
        if (e->type() == QEvent::ActivationChange) {
            if (isActiveWindow())
                WindowOperation<op::CallActivated>(w, WindowOp::CallActivated)(&w);
            else
                WindowOperation<op::CallDeactivated>(w, WindowOp::CallDeactivated)(&w);
        } else if (e->type() == QEvent::WindowStateChange) {
            const WindowEvent event = isMinimized()   ? WindowEvent::Minimize
                                      : isMaximized() ? WindowEvent::Maximize
                                                      : WindowEvent::Restore;
            RunWindowEvent<window_event::Hook>(w, event);
        }
    });
}

void WindowWidget::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (!owner_ || !isVisible())
        return;
    const Ref<Window> protector = Ref<Window>::retain(owner_);
    Window& w = *owner_;
    const QPoint at = content_->mapToGlobal(QPoint(0, 0));
    WindowState& s = WindowCode::state(w);
    s.left = at.x();
    s.top = at.y();
    CallFromEventLoopVoid([&] { WindowOperation<op::CallMoved>(w, WindowOp::CallMoved)(&w); });
}

void WindowWidget::keyPressEvent(QKeyEvent* e) {
    if (!owner_)
        return;
    const Ref<Window> protector = Ref<Window>::retain(owner_);
    Window& w = *owner_;
    const String key = fwText(e->text());
    const InputRun run(this);
    const bool handled =
        CallFromEventLoop([&] { return WindowOperation<op::KeyDown>(w, WindowOp::KeyDown)(&w, key); }, true);
    if (!handled)
        QWidget::keyPressEvent(e);
}

WindowWidget* WidgetOf(const Window& w) {
    return w.widget();
}

} // namespace fw

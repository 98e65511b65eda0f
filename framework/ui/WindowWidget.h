#pragma once
// A window's view on Qt Widgets (framework only): the top-level widget, the
// menu bar when there is one to show, and the content area that holds the
// controls and draws the back colour and the backdrop. Whatever the view
// reports goes to the window through the window's own table, inside
// CallFromEventLoop, so that no exception crosses Qt.

#include <QWidget>
#include <optional>

class QMenuBar;

namespace fw {

class Window;

class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window& owner);
    ~WindowWidget() override;

    // Nil once the window has gone; the view then waits to be deleted.
    Window* owner() const noexcept { return owner_; }
    void ownerGone();

    QWidget* content() const noexcept { return content_; }
    // Brings the widget in line with the window's state. While the window is
    // being constructed it is never shown here.
    void sync();
    // Shows the window as its state says: full screen or not, placed.
    void showAsStated();

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void syncFlags();
    void syncMenuBar();
    void syncSize();
    int menuBarHeight() const;

    Window* owner_;
    QWidget* content_;
    QMenuBar* menuBar_ = nullptr;
    // The flags syncFlags last set; none before the first sync.
    std::optional<Qt::WindowFlags> appliedFlags_;
};

// The widget of a window, nil when it has none; for tests too.
WindowWidget* WidgetOf(const Window& w);

} // namespace fw

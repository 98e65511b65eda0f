#pragma once
// A run: the program's handling of a person's press or key in a window. It
// may take long (the background task lets the window repaint meanwhile) and
// show message boxes of that window. A person's request to close the window
// made during a run takes effect when the run is over (framework only).

#include <QPointer>
#include <QWidget>

namespace fw {

// Marks a run for as long as it lives; runs may nest (a press inside a
// modal window's loop).
class InputRun {
public:
    explicit InputRun(QWidget* window);
    ~InputRun();
    InputRun(const InputRun&) = delete;
    InputRun& operator=(const InputRun&) = delete;

private:
    QPointer<QWidget> outer_;
};

bool RunUnderWay();
// The window of the innermost run under way; nil when none is.
QWidget* WindowOfRun();

// Closes `window` once the outermost run is over, as a person's close
// would; at once when no run is under way.
void CloseAfterRun(QWidget* window);

} // namespace fw

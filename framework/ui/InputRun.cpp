#include "framework/ui/InputRun.h"

#include "framework/ui/CloseRequests.h"

#include <QTimer>
#include <utility>
#include <vector>

namespace fw {
namespace {

int depth = 0;
QPointer<QWidget> innermost;
std::vector<QPointer<QWidget>> closeWhenOver;

// Queued, so that the handler that ended the run has returned to Qt first.
void closeSoon(QWidget* window) {
    QTimer::singleShot(0, window, [window] { window->close(); });
}

} // namespace

InputRun::InputRun(QWidget* window) : outer_(innermost) {
    WatchCloseRequests();
    ++depth;
    innermost = window;
}

InputRun::~InputRun() {
    innermost = outer_;
    if (--depth > 0)
        return;
    for (const QPointer<QWidget>& w : std::exchange(closeWhenOver, {}))
        if (w)
            closeSoon(w);
}

bool RunUnderWay() {
    return depth > 0;
}

QWidget* WindowOfRun() {
    return depth > 0 ? innermost.data() : nullptr;
}

void CloseAfterRun(QWidget* window) {
    if (depth == 0)
        closeSoon(window);
    else
        closeWhenOver.emplace_back(window);
}

} // namespace fw

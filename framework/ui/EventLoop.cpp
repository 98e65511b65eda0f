#include "framework/ui/EventLoop.h"

#include "framework/files/WorkPump.h"
#include "framework/runtime/Trace.h"
#include "framework/ui/EventLoopTesting.h"

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <QWindow>

namespace fw {
namespace {

std::exception_ptr kept;
std::function<void()> idleHook;

bool anyWindowOpen() {
    for (const QWindow* w : QGuiApplication::topLevelWindows())
        if (w->isVisible())
            return true;
    return false;
}

} // namespace

void EnsureGuiApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "Quorvan Keyboard Installer";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends; Qt reaches it as qApp
    // A long copy lets the window repaint; it delivers no user input, so no
    // press can start a second run inside a run.
    SetFileWorkPump([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
}

void RuntimeRun() {
    Trace("RuntimeRun");
    EnsureGuiApplication();
    // With no window open there is no last window to wait for.
    if (!kept && anyWindowOpen()) {
        if (idleHook)
            QTimer::singleShot(0, qApp, [] { CallFromEventLoopVoid(idleHook); });
        QApplication::exec();
    }
    if (std::exception_ptr e = TakeEventLoopException())
        std::rethrow_exception(e);
}

void KeepEventLoopException(std::exception_ptr e) {
    if (!kept)
        kept = std::move(e);
    // Qt keeps a quit asked for while no loop runs, and the next loop to
    // start (the unhandled-exception box's) would return at once. With no
    // loop running, RuntimeRun sees `kept` and starts none.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(1);
}

std::exception_ptr TakeEventLoopException() {
    return std::exchange(kept, nullptr);
}

void SetEventLoopIdleHookForTesting(std::function<void()> hook) {
    idleHook = std::move(hook);
}

void CloseAllWindows() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::closeAllWindows();
}

} // namespace fw

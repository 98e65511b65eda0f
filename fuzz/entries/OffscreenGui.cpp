#include "fuzz/entries/OffscreenGui.h"

#include "app/Program.h"
#include "framework/ui/EventLoop.h"

#include <QCoreApplication>
#include <QEvent>
#include <cstdlib>

namespace fuzz_entries {

void startOffscreenGui() {
    static const bool started = [] {
        // No display is needed, and none is looked for.
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        fw::EnsureGuiApplication();
        programInitialize();
        return true;
    }();
    (void)started;
}

void settleGui() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace fuzz_entries

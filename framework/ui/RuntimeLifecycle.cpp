#include "framework/ui/RuntimeLifecycle.h"

#include "framework/runtime/FileTypeRegistry.h"
#include "framework/runtime/Trace.h"
#include "framework/ui/Application.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/System.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <xcb/xcb.h>

namespace fw {
namespace {

bool unhandledReported = false;

bool hasDisplay() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// Whether the X server that DISPLAY names takes a connection (and our
// credentials). Qt's own attempt would end the process when it does not.
bool xServerReachable() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool reached = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return reached;
}

// Qt cannot start a display platform without a display server: it reports
// the failure and aborts the process. So the lack of one is found first and
// raised as an exception, which the program reports and shuts down after.
void requireDisplay() {
    // QT_QPA_PLATFORM names one platform or a list to try ("wayland;xcb"),
    // each maybe with options after a colon; this Qt's own choice is X11.
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    std::string_view platforms = chosen && *chosen ? chosen : "xcb";
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        const std::string_view entry = platforms.substr(0, end);
        const std::string_view platform = entry.substr(0, entry.find(':'));
        if (platform == "xcb") {
            if (isSet("DISPLAY") && xServerReachable())
                return;
        } else if (platform.starts_with("wayland")) {
            if (isSet("WAYLAND_DISPLAY"))
                return;
        } else {
            return; // drawn without a display server, or a platform Qt alone knows
        }
        platforms = end == std::string_view::npos ? std::string_view() : platforms.substr(end + 1);
    }
    if (isSet("DISPLAY"))
        RaiseException(make<RuntimeException>(
            String("the display " + std::string(std::getenv("DISPLAY")) +
                   " cannot be reached to show the window on; start its X server, set DISPLAY to a running "
                   "one, or run the program under xvfb-run")));
    RaiseException(make<RuntimeException>(
        String("there is no display to show the window on; set DISPLAY to an X server (or "
               "WAYLAND_DISPLAY), or run the program under xvfb-run")));
}

} // namespace

void RuntimeInit() {
    Trace("RuntimeInit");
    unhandledReported = false;
}

std::int32_t RuntimeExit() {
    Trace("RuntimeExit");
    ReleaseAppObject();
    ReleaseSystemObject();
    ClearFileTypeRegistrations();
    return std::exchange(unhandledReported, false) ? 1 : 0;
}

void RunFrameworkInitialization(CodeRef entry) {
    Trace("RunFrameworkInitialization");
    if (!QCoreApplication::instance())
        requireDisplay();
    EnsureGuiApplication();
    if (entry)
        entry.as<void()>()();
}

void RuntimeInitExternalClasses() {
    Trace("RuntimeInitExternalClasses");
}

void RuntimeUnhandledException(const Ref<RuntimeException>& e) {
    const std::string className = e ? e->className() : "RuntimeException";
    Trace("RuntimeUnhandledException", {className});
    unhandledReported = true;
    std::string text = "Unhandled " + className;
    if (e && !e->message().empty())
        text += ": " + e->message().str();
    std::fprintf(stderr, "%s\n", text.c_str());
    if (hasDisplay()) {
        QMessageBox box(QMessageBox::Critical, QString(), QString::fromStdString(text), QMessageBox::Ok);
        box.exec();
    }
}

} // namespace fw

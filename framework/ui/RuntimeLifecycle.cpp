#include "framework/ui/RuntimeLifecycle.h"

#include "framework/runtime/FileTypeRegistry.h"
#include "framework/runtime/Trace.h"
#include "framework/ui/Application.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/System.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>
#include <string>

namespace fw {
namespace {

bool unhandledReported = false;

bool hasDisplay() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
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

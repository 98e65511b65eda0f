#include "framework/ui/BackgroundTask.h"

#include <QCoreApplication>

namespace fw {
namespace {
std::function<void()>& observer() {
    static std::function<void()> o;
    return o;
}
} // namespace

void SetBackgroundTaskObserverForTesting(std::function<void()> o) {
    observer() = std::move(o);
}

void RuntimeBackgroundTask() {
    if (observer())
        observer()();
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace fw

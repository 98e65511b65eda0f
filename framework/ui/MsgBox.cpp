#include "framework/ui/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace fw {
namespace {
std::function<void(const String&)>& recorder() {
    static std::function<void(const String&)> r;
    return r;
}
} // namespace

void SetMsgBoxRecorderForTesting(std::function<void(const String&)> r) { recorder() = std::move(r); }

void MsgBox(const String& text) {
    if (recorder()) {
        recorder()(text);
        return;
    }
    const QString shown = QString::fromUtf8(text.bytes().data(), static_cast<qsizetype>(text.size()));
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QMessageBox box(QMessageBox::NoIcon, QString(), shown, QMessageBox::Ok);
        box.exec();
    } else {
        std::fprintf(stderr, "%s\n", shown.toLocal8Bit().constData());
    }
}

} // namespace fw

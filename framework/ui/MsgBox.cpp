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

void SetMsgBoxRecorderForTesting(std::function<void(const String&)> r) {
    recorder() = std::move(r);
}

// Modal for the whole application, over the active window; the text is
// shown as it is, never read as markup. Without a GUI application the text
// goes to standard error.
void MsgBox(const String& text) {
    if (recorder()) {
        recorder()(text);
        return;
    }
    const QString shown = QString::fromUtf8(text.bytes().data(), static_cast<qsizetype>(text.size()));
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s\n", shown.toLocal8Bit().constData());
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), shown, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace fw

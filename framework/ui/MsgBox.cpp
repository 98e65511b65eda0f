#include "framework/ui/MsgBox.h"

#include "framework/ui/InputRun.h"
#include "framework/ui/WindowWidget.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace fw {
namespace {
std::function<void(const String&)>& recorder() {
    static std::function<void(const String&)> r;
    return r;
}

// The window a message box belongs to: the one whose run shows it, else the
// active window, else a shown one of the framework's; nil when none is shown.
QWidget* boxOwner() {
    if (QWidget* w = WindowOfRun())
        return w;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<WindowWidget*>(w) && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

void SetMsgBoxRecorderForTesting(std::function<void(const String&)> r) {
    recorder() = std::move(r);
}

// A dialog of its window: transient for it and centred over it, with only a
// close button in its frame. It has no title, as a note that belongs to a
// window needs none, so the frame has nothing to cut short; X11 window
// managers show the application's name for an empty title, so it is a
// blank. Modal for the whole application; the text is shown as it is, never
// read as markup. Without a GUI application the text goes to standard error.
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
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral(" "), shown, QMessageBox::Ok, boxOwner(),
                    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace fw

#include "tests/support/PressButton.h"

#include "framework/ui/RoundRectangle.h"
#include "framework/ui/WindowList.h"
#include "framework/ui/WindowWidget.h"
#include "window/Window1.h"

#include <QCoreApplication>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace testing_support {

void pressTheButton() {
    const fw::Ref<fw::Window> window = fw::GetImplicitWindow(fw::String("Window1.Window1"));
    ASSERT_TRUE(window) << "no installer window is open";
    const fw::RectControlState& button = Window1::RoundRectangle1(window.get())->rectState();
    const QPoint centre(button.left + button.width / 2, button.top + button.height / 2);
    QWindow* native = fw::WidgetOf(*window)->windowHandle();
    for (const QPoint at : {QPoint(button.left / 2, button.top / 2), centre}) {
        QTest::mouseMove(native, at);
        QCoreApplication::processEvents();
    }
    QTest::mouseClick(native, Qt::LeftButton, Qt::NoModifier, centre);
    QCoreApplication::processEvents();
}

} // namespace testing_support

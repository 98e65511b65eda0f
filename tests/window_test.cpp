// The installer window as a person meets it, on Qt's offscreen platform with
// real widgets and real mouse events: its size, title and controls, the
// whole action word centred in the button, the word it opens with, presses
// that install and remove, the pointing hand, the button's two handlers,
// and events that arrive once the window has gone.

#include "app/Program.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/PropertySetter.h"
#include "framework/runtime/Trace.h"
#include "framework/ui/BackgroundTask.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/EventLoopTesting.h"
#include "framework/ui/Label.h"
#include "framework/ui/MsgBox.h"
#include "framework/ui/RoundRectangle.h"
#include "framework/ui/System.h"
#include "framework/ui/WindowCode.h"
#include "framework/ui/WindowList.h"
#include "framework/ui/WindowWidget.h"
#include "tests/RecordTables.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/Raised.h"
#include "window/EventStubs.h"
#include "window/MenuBar1.h"
#include "window/PropertyRecords.h"
#include "window/Window1.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace std::string_view_literals;

using fw::Ref;
using records_tables::kInstallWord;
using records_tables::kRemoveWord;

constexpr QPoint kButtonCentre(166, 227); // the button spans 75..257 across and 198..257 down
constexpr QRect kButtonFrame(75, 198, 182, 59);

const auto& raisedBy = testing_support::nameOfRaised;

std::vector<std::string> names(const std::vector<fw::String>& texts) {
    std::vector<std::string> out;
    for (const fw::String& t : texts)
        out.push_back(t.str());
    return out;
}

// Window's record, as Window1's is built on it: its operations and events in
// the design's order, and the window record's keys among its properties with
// the types the record's values have.
TEST(WindowClassRecord, HoldsItsOperationsEventsAndPropertiesInOrder) {
    const fw::ClassRecord* w = fw::Window::Lookup();
    EXPECT_EQ(names(w->operationNames), (std::vector<std::string>{"Show",
                                                                  "ShowWithin",
                                                                  "ShowModalWithin",
                                                                  "Hide",
                                                                  "Close",
                                                                  "Refresh",
                                                                  "RefreshRect",
                                                                  "ShowModal",
                                                                  "NewDragItem",
                                                                  "AcceptTextDrop",
                                                                  "AcceptPictureDrop",
                                                                  "AcceptFileDrop",
                                                                  "AcceptMacDataDrop",
                                                                  "AcceptRawDataDrop",
                                                                  "Control",
                                                                  "SetFocus",
                                                                  "DrawInto",
                                                                  "_DrawBackground",
                                                                  "UpdateNow",
                                                                  "_AddControl",
                                                                  "_AddMenuHandler",
                                                                  "Window",
                                                                  "Operator_Convert",
                                                                  "__New",
                                                                  "_Move",
                                                                  "Maximize",
                                                                  "Minimize",
                                                                  "Restore",
                                                                  "_Update",
                                                                  "_CallMoved",
                                                                  "_EnableMenuItems",
                                                                  "_CallActivated",
                                                                  "_CallDeactivated",
                                                                  "_HandleMenuCommand",
                                                                  "_UnifiedClose",
                                                                  "_CallMouseDown",
                                                                  "_CallResized",
                                                                  "_CallResizing",
                                                                  "_RemoveControl",
                                                                  "_MouseEnter",
                                                                  "_MouseExit",
                                                                  "_MouseMove",
                                                                  "_Paint",
                                                                  "_MouseWheel",
                                                                  "_KeyDown",
                                                                  "__DependencyList",
                                                                  "Constructor",
                                                                  "TrueWindow",
                                                                  "FocusNext",
                                                                  "FocusPrevious",
                                                                  "_ControlByName",
                                                                  "_ControlByNameIndex"}));
    for (std::size_t i = 0; i < w->vtable.size(); ++i)
        EXPECT_TRUE(w->vtable[i]) << w->operationNames[i].str() << " has no code";

    std::vector<fw::String> events;
    for (const fw::EventEntry& e : w->events) {
        events.push_back(e.name);
        EXPECT_FALSE(e.handler) << "Window itself hooks nothing";
    }
    EXPECT_EQ(names(events), (std::vector<std::string>{"Layout",
                                                       "CreateControls",
                                                       "AddMenuHandlers",
                                                       "SetupBindings",
                                                       "Open",
                                                       "Close",
                                                       "CancelClose",
                                                       "KeyDown",
                                                       "KeyUp",
                                                       "MouseMove",
                                                       "MouseEnter",
                                                       "MouseExit",
                                                       "Paint",
                                                       "MouseDown",
                                                       "MouseDrag",
                                                       "MouseUp",
                                                       "EnableMenuItems",
                                                       "Resized",
                                                       "Resizing",
                                                       "Moved",
                                                       "DropObject",
                                                       "Activate",
                                                       "Deactivate",
                                                       "Minimize",
                                                       "Maximize",
                                                       "Restore",
                                                       "MouseWheel",
                                                       "ConstructContextualMenu",
                                                       "ContextualMenuAction",
                                                       "DragEnter",
                                                       "DragExit",
                                                       "DragOver",
                                                       "ContentsChanged"}));

    EXPECT_EQ(w->properties.size(), 48u);
    const char* typeOf[] = {"i4", "b", "c", "s"};
    for (const records_tables::Entry& e : records_tables::window()) {
        SCOPED_TRACE(e.name());
        const auto p = std::find_if(w->properties.begin(), w->properties.end(),
                                    [&](const fw::PropertyEntry& p) { return p.name.str() == e.name(); });
        ASSERT_NE(p, w->properties.end());
        EXPECT_EQ(p->type.str(), typeOf[e.value.index()]);
        EXPECT_TRUE(p->getter && p->setter);
    }
}

TEST(RuntimeAddEventHandler, RefusesWhatItCannotHoldAndFillsBothHalvesOfAnEntry) {
    const Ref<fw::RoundRectangle> button =
        fw::dynamicRef<fw::RoundRectangle>(fw::RuntimeNewObject(fw::RoundRectangle::Lookup()));
    const Ref<fw::Delegate> d =
        fw::RuntimeCreateDelegate(fw::CodeRef(), fw::CodeRef(), nullptr, fw::String(), 0);
    const fw::CodeRef stub = fw::CodeRef::of<fw::MouseDownStub>(&Window1::AddHandler::Stub15);
    EXPECT_EQ(raisedBy([&] { fw::RuntimeAddEventHandler(nullptr, 15, stub, d); }), "NilObjectException");
    EXPECT_EQ(raisedBy([&] { fw::RuntimeAddEventHandler(button, 15, stub, nullptr); }), "NilObjectException");
    EXPECT_EQ(raisedBy([&] { fw::RuntimeAddEventHandler(button, 18, stub, d); }), "OutOfBoundsException");
    EXPECT_EQ(raisedBy([&] { fw::RuntimeAddEventHandler(button, -1, stub, d); }), "OutOfBoundsException");
    fw::RuntimeAddEventHandler(button, 15, stub, d);
    EXPECT_EQ(button->eventEntry(15)->stub.code, stub.code);
    EXPECT_EQ(button->eventDelegate(15), d.get());
    EXPECT_EQ(d->refCount(), 2) << "the entry holds a reference of its own";
}

class InstallerWindow : public testing_support::ProgramFixture {
protected:
    void TearDown() override {
        window.reset();
        fw::SetTraceSinkForTesting({});
        ProgramFixture::TearDown();
    }

    // The window as start-up makes it.
    void open() {
        window = Window1::Instance();
        QCoreApplication::processEvents();
    }
    QWidget& view() const { return *fw::WidgetOf(*window); }
    QWindow* native() const { return view().windowHandle(); }
    Ref<fw::RoundRectangle> button() const { return Window1::RoundRectangle1(window.get()); }
    Ref<fw::Label> label() const { return Window1::buttontext(window.get()); }
    std::string word() const { return label()->Text().str(); }

    void press(QPoint at) {
        QTest::mouseClick(native(), Qt::LeftButton, Qt::NoModifier, at);
        QCoreApplication::processEvents();
    }
    void movePointer(QPoint at) {
        QTest::mouseMove(native(), at);
        QCoreApplication::processEvents();
    }
    bool windowHasItsOwnCursor() const { return view().testAttribute(Qt::WA_SetCursor); }

    Ref<Window1::Window1> window;
};

TEST_F(InstallerWindow, OpensAs333By455TitledNotResizeableWithAnEmptyMenuBarTakingNoRoom) {
    open();
    ASSERT_TRUE(view().isVisible());
    EXPECT_EQ(view().size(), QSize(333, 455));
    EXPECT_EQ(view().minimumSize(), view().maximumSize()) << "not resizeable";
    EXPECT_EQ(view().windowTitle().toStdString(), std::get<std::string>(records_tables::window()[11].value));
    const Qt::WindowFlags flags = view().windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

    EXPECT_EQ(window->windowState().menuBar.get(), MenuBar1::Instance().get());
    EXPECT_EQ(fw::WidgetOf(*window)->content()->geometry(), QRect(0, 0, 333, 455));
    EXPECT_EQ(fw::GetImplicitWindow(fw::String("Window1.Window1")).get(), window.get());
    EXPECT_FALSE(window->ContentsChanged());
}

TEST_F(InstallerWindow, RunsItsLayoutThenItsControlsThenItsOpenEvent) {
    std::vector<std::string> calls;
    fw::SetTraceSinkForTesting([&](std::string_view call) {
        if (call.starts_with("Window1::") || call.starts_with("x_QuorvanBG::"))
            calls.emplace_back(call);
    });
    open();
    fw::SetTraceSinkForTesting({});
    EXPECT_EQ(calls,
              (std::vector<std::string>{"Window1::Instance", "Window1::Layout", "x_QuorvanBG::QuorvanBG",
                                        "Window1::CreateControls", "Window1::CreateControls0",
                                        "Window1::Event_Open", "Window1::buttontext"}));
}

TEST_F(InstallerWindow, HoldsTheButtonThenTheLabelUnderTheNamesTheirRecordsGive) {
    open();
    const auto& controls = window->controls();
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[0].name.str(), "RoundRectangle1");
    EXPECT_EQ(controls[0].control->classRecord(), fw::RoundRectangle::Lookup());
    EXPECT_EQ(controls[1].name.str(), "buttontext");
    EXPECT_EQ(controls[1].control->classRecord(), fw::Label::Lookup());
    for (const auto& c : controls)
        EXPECT_EQ(c.control->controlState().name, c.name);

    EXPECT_EQ(fw::WidgetOf(*button())->geometry(), kButtonFrame);
    EXPECT_EQ(label()->initialParent(), button().get());
    EXPECT_EQ(label()->labelState().textSize, 20.0f);
    EXPECT_EQ(label()->labelState().textUnit, fw::FontUnits::Default);
    // Over the button: the label is drawn above it and lets its presses through.
    const QWidget* content = fw::WidgetOf(*window)->content();
    EXPECT_GT(content->children().indexOf(fw::WidgetOf(*label())),
              content->children().indexOf(fw::WidgetOf(*button())));
    EXPECT_EQ(content->childAt(kButtonCentre), fw::WidgetOf(*button()));
}

// The label's frame is 58 wide, narrower than the install word: the whole
// word is drawn, centred on the label's frame, which is centred in the button.
TEST_F(InstallerWindow, ShowsTheWholeWordCentredInThePaleGreenButton) {
    QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    system.setPixelSize(20);
    for (const bool installed : {false, true}) {
        const std::string& word = installed ? kRemoveWord : kInstallWord;
        SCOPED_TRACE(word);
        if (installed)
            sandbox().layInstalled();
        open();
        const QImage shot = view().grab().toImage();
        EXPECT_EQ(QColor(shot.pixel(kButtonFrame.left() + 20, kButtonFrame.top() + 5)),
                  QColor(0xD4, 0xFF, 0xDD));
        EXPECT_EQ(QColor(shot.pixel(kButtonFrame.left(), kButtonCentre.y())), QColor(0x17, 0xC7, 0x37));

        // What differs from the pale fill inside the border, away from the
        // rounded corners (ovals 16 wide).
        const QRect inside = kButtonFrame.adjusted(9, 2, -9, -2);
        QRect ink;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (QColor(shot.pixel(x, y)).green() < 230)
                    ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isEmpty()) << "no text drawn";
        const int advance = QFontMetrics(system).horizontalAdvance(QString::fromStdString(word));
        if (!installed) {
            EXPECT_GT(advance, 58) << "the case this test is for: a word wider than its label";
        }
        EXPECT_GE(ink.width(), advance - 6) << "the whole word";
        EXPECT_NEAR(ink.center().x(), kButtonCentre.x(), 3);
        EXPECT_NEAR(ink.center().y(), 227.5, 4);
        EXPECT_GT(ink.left(), inside.left()) << "the word lies within the button";
        EXPECT_LT(ink.right(), inside.right());
        window.reset();
        fw::CloseAllWindows();
    }
}

TEST_F(InstallerWindow, OpensWithTheWordOfWhatAPressWillDo) {
    EXPECT_EQ(std::get<std::string>(records_tables::label()[12].value), kInstallWord);
    open();
    EXPECT_EQ(word(), kInstallWord) << "bundle absent";
    window.reset();
    fw::CloseAllWindows();

    sandbox().layInstalled();
    open();
    EXPECT_EQ(word(), kRemoveWord) << "bundle present";
}

// A failed opening leaves the label its first word, and the framework holds
// no half-made window.
TEST_F(InstallerWindow, WithoutAStartUpVolumeTheOpenFailsAndTheLabelKeepsItsFirstWord) {
    sandbox().useMissingVolume();
    window = fw::RuntimeCheckCast<Window1::Window1>(fw::RuntimeNewObject(Window1::Window1::Lookup()),
                                                    Window1::Window1::Lookup());
    using Constructor = void(fw::Window*);
    EXPECT_EQ(raisedBy([&] {
                  fw::Operation<Constructor>(*window,
                                             fw::operationIndex(fw::WindowOp::Constructor))(window.get());
              }),
              "NilObjectException");
    EXPECT_EQ(word(), kInstallWord);
    EXPECT_FALSE(fw::GetImplicitWindow(fw::String("Window1.Window1")));
    EXPECT_FALSE(fw::IsWindowHeld(*window));
}

TEST_F(InstallerWindow, APressInstallsASecondRemovesAndTheWordStaysAsItOpened) {
    open();
    const QPoint onTheBorderSide(kButtonFrame.left() + 6,
                                 kButtonFrame.top() + 6); // on the button, off the label
    press(kButtonCentre);
    EXPECT_EQ(sandbox().volumeTree(), sandbox().installedVolumeTree());
    EXPECT_FALSE(sandbox().messages().empty());
    EXPECT_EQ(word(), kInstallWord);

    sandbox().resetRecords();
    press(onTheBorderSide);
    EXPECT_EQ(sandbox().volumeTree(), testing_support::EngineSandbox::removedVolumeTree());
    EXPECT_FALSE(sandbox().messages().empty());
    EXPECT_EQ(word(), kInstallWord);
}

TEST_F(InstallerWindow, APressBesideTheButtonRunsNothing) {
    open();
    press(QPoint(20, 20));
    press(QPoint(kButtonFrame.right() + 3, kButtonCentre.y()));
    EXPECT_EQ(sandbox().volumeTree(), testing_support::EngineSandbox::bareVolumeTree());
    EXPECT_TRUE(sandbox().messages().empty());
}

// While a run copies, the window is drawn again at each background-task
// call: a refresh asked for before one call has been painted by the next.
TEST_F(InstallerWindow, KeepsRepaintingWhileARunCopies) {
    open();
    int calls = 0;
    int paintedBetweenCalls = 0;
    fw::SetBackgroundTaskObserverForTesting([&] {
        if (calls++ > 0 && !fw::IsWindowDirty(*window))
            ++paintedBetweenCalls;
        fw::WindowCode::Refresh(window.get(), false);
    });
    press(kButtonCentre);
    fw::SetBackgroundTaskObserverForTesting({});
    ASSERT_GE(calls, 2);
    EXPECT_EQ(paintedBetweenCalls, calls - 1);
}

TEST_F(InstallerWindow, TheWindowNotTheButtonTakesThePointingHandOnceThePointerEntersTheButton) {
    open();
    movePointer(QPoint(20, 20));
    EXPECT_FALSE(windowHasItsOwnCursor()) << "the pointer has not entered the button yet";
    EXPECT_FALSE(window->windowState().mouseCursor);

    movePointer(kButtonCentre);
    ASSERT_TRUE(windowHasItsOwnCursor());
    EXPECT_EQ(view().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(fw::WidgetOf(*button())->testAttribute(Qt::WA_SetCursor))
        << "the button has none of its own";

    movePointer(QPoint(20, 20));
    EXPECT_EQ(view().cursor().shape(), Qt::PointingHandCursor) << "leaving the button sets nothing back";
    movePointer(kButtonCentre + QPoint(40, 10));
    EXPECT_EQ(view().cursor().shape(), Qt::PointingHandCursor);
}

// Counts the hide and show events of a widget: each pair is the window
// unmapped and mapped again on a real desktop.
class HideShowCounter : public QObject {
public:
    explicit HideShowCounter(QWidget& w) : widget_(w) { w.installEventFilter(this); }
    ~HideShowCounter() override { widget_.removeEventFilter(this); }
    int hides = 0;
    int shows = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        hides += e->type() == QEvent::Hide;
        shows += e->type() == QEvent::Show;
        return false;
    }

private:
    QWidget& widget_;
};

TEST_F(InstallerWindow, ThePointerCrossingTheButtonNeitherHidesNorShowsTheWindow) {
    open();
    const HideShowCounter counter(view());
    for (int round = 0; round < 2; ++round) {
        movePointer(QPoint(20, 20));
        for (int x = kButtonFrame.left() + 2; x < kButtonFrame.right(); x += 30)
            movePointer(QPoint(x, kButtonCentre.y()));
        movePointer(QPoint(kButtonFrame.right() + 20, kButtonCentre.y()));
    }
    EXPECT_EQ(counter.hides, 0);
    EXPECT_EQ(counter.shows, 0);
    EXPECT_TRUE(view().isVisible());
    EXPECT_EQ(view().cursor().shape(), Qt::PointingHandCursor);
}

// Only the window's visibility, full screen and frame may hide and show it
// again; a frame property may, and then the window is shown once more.
TEST_F(InstallerWindow, SettingAPropertyOfTheShownWindowKeepsItShownUnlessItIsOfItsFrame) {
    struct Case {
        const char* name;
        std::function<void(fw::Window&)> set;
        bool frame;
    };
    const auto record = [](fw::String text) {
        return [text](fw::Window& w) { fw::SetProperties(Ref<fw::Object>::retain(&w), text); };
    };
    const Case cases[] = {
        {"cursor", [](fw::Window& w) { w.setMouseCursor(fw::System()->Cursors()->FingerPointer()); }, false},
        {"backdrop", [](fw::Window& w) { w.setBackdrop({}); }, false},
        {"menu bar", [](fw::Window& w) { w.setMenuBar({}); }, false},
        {"title", record(fw::String("Title \x00\x00\x00\x02Hi"sv)), false},
        {"back colour", record(fw::String("HasBackColor \x01"sv)), false},
        {"width", record(fw::String("Width \x00\x00\x01\x2C"sv)), false},
        {"the whole window record", record(Window1::records::kWindow.text()), false},
        {"minimize button", record(fw::String("MinimizeButton \x00"sv)), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        const HideShowCounter counter(view());
        c.set(*window);
        QCoreApplication::processEvents();
        EXPECT_TRUE(view().isVisible());
        if (!c.frame) {
            EXPECT_EQ(counter.hides, 0);
            EXPECT_EQ(counter.shows, 0);
        } else {
            EXPECT_FALSE(view().windowFlags() & Qt::WindowMinimizeButtonHint);
        }
        fw::CloseAllWindows();
        window.reset();
    }
}

// The box is a dialog of the window whose press shows it: transient for it,
// modal, with a close button only and a blank title.
TEST_F(InstallerWindow, AMessageBoxOfAPressIsAModalDialogOfTheWindowWithOnlyACloseButton) {
    open();
    fw::SetMsgBoxRecorderForTesting({});
    struct Seen {
        QWidget* parent;
        Qt::WindowFlags flags;
        QString title;
        Qt::WindowModality modality;
    };
    std::vector<Seen> seen;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.push_back(
                {box->parentWidget(), box->windowFlags(), box->windowTitle(), box->windowModality()});
            box->close();
        }
    });
    closer.start();
    press(kButtonCentre);
    closer.stop();

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].parent, &view());
    EXPECT_TRUE(seen[0].flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(seen[0].flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(seen[0].title.trimmed().isEmpty());
    EXPECT_EQ(seen[0].modality, Qt::ApplicationModal);
    EXPECT_EQ(sandbox().volumeTree(), sandbox().installedVolumeTree()) << "the run went on after the box";
}

TEST_F(InstallerWindow, TheButtonHasItsTwoHandlersEachAttachedOnceAndTheLabelNone) {
    std::vector<std::string> trace;
    fw::SetTraceSinkForTesting([&](std::string_view call) { trace.emplace_back(call); });
    open();
    fw::SetTraceSinkForTesting({});
    EXPECT_EQ(std::count(trace.begin(), trace.end(),
                         "RuntimeCreateDelegate(( RoundRectangle, Int32, Int32 ) as Boolean)"),
              1);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "RuntimeCreateDelegate(( RoundRectangle ))"), 1);

    const Ref<fw::RoundRectangle> b = button();
    struct Hooked {
        std::size_t event;
        fw::CodeRef stub;
        fw::CodeRef invoker;
        Window1::Own method;
    };
    const Hooked hooked[] = {
        {15, fw::CodeRef::of<fw::MouseDownStub>(&Window1::AddHandler::Stub15),
         fw::CodeRef::of<Window1::Delegate::MouseDownInvoker>(&Window1::Delegate::IM_Invoke),
         Window1::Own::RoundRectangle1_MouseDown},
        {4, fw::CodeRef::of<fw::RectControlStub>(&Window1::AddHandler::Stub4),
         fw::CodeRef::of<Window1::Delegate::MouseEnterInvoker>(&Window1::Delegate::IM_Invoke),
         Window1::Own::RoundRectangle1_MouseEnter},
    };
    for (std::size_t event = 0; event < b->classRecord()->events.size(); ++event) {
        SCOPED_TRACE(b->classRecord()->events[event].name.str());
        const fw::ControlEventEntry* entry = b->eventEntry(event);
        const auto h = std::find_if(std::begin(hooked), std::end(hooked),
                                    [&](const Hooked& x) { return x.event == event; });
        if (h == std::end(hooked)) {
            EXPECT_TRUE(!entry || (!entry->stub && !entry->delegate));
            continue;
        }
        ASSERT_TRUE(entry && entry->delegate);
        EXPECT_EQ(entry->stub.code, h->stub.code);
        const fw::Delegate& d = *entry->delegate;
        EXPECT_EQ(d.invoker.code, h->invoker.code);
        EXPECT_EQ(d.method.code, window->classRecord()->vtable[Window1::operationIndex(h->method)].code);
        EXPECT_EQ(d.weak, 1);
        EXPECT_EQ(d.target().get(), window.get());
        EXPECT_EQ(entry->delegate->refCount(), 1) << "the entry's own reference, and no other";
    }
    const Ref<fw::Label> l = label();
    for (std::size_t event = 0; event < l->classRecord()->events.size(); ++event)
        EXPECT_FALSE(l->eventEntry(event) && l->eventEntry(event)->stub) << event;
}

// The button outlives its window here: its handlers' weak target reads nil,
// so an event raises NilObjectException and runs nothing of the program's.
TEST_F(InstallerWindow, AnEventForAWindowThatNoLongerExistsRaisesAndRunsNothing) {
    open();
    const Ref<fw::RoundRectangle> b = button();
    const fw::WeakRef<Window1::Window1> gone(window.get());
    window.reset();
    fw::CloseAllWindows();
    ASSERT_FALSE(gone.strong()) << "the window is still alive";
    EXPECT_FALSE(fw::GetImplicitWindow(fw::String("Window1.Window1")));

    EXPECT_EQ(raisedBy([&] { b->dispatchMouseDown(5, 5); }), "NilObjectException");
    EXPECT_EQ(raisedBy([&] { b->dispatchMouseEnter(); }), "NilObjectException");
    EXPECT_EQ(raisedBy([&] { b->dispatchMouseExit(); }), "nothing") << "MouseExit has no handler";
    EXPECT_EQ(sandbox().volumeTree(), testing_support::EngineSandbox::bareVolumeTree());
    EXPECT_TRUE(sandbox().messages().empty());
}

} // namespace

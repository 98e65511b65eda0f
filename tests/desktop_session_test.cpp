// The installer as a person meets it on a real desktop: the real executable
// on an X server of the test's own (Xvfb) under a window manager (openbox),
// driven with real pointer moves and clicks. It checks what only a real
// window system shows: the window stays mapped while the pointer crosses
// the button, the server shows the pointing hand, every press runs the
// engine once, the frame's buttons, message boxes that belong to the
// window, and a close during a long copy.

#include "harness/ChildProcess.h"
#include "harness/WaitFor.h"
#include "tests/desktop/XSession.h"
#include "tests/support/TempFolder.h"
#include "tools/DemoBundleLocation.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <sys/wait.h>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using desktop::Box;
using desktop::CursorImage;
using desktop::kNoWindow;
using desktop::WindowId;
using desktop::XSession;

const fs::path kDemoContents = demo::kDemoBundleContents;
constexpr const char* kBundle = "Quorvan Keyboard Installer.app";
constexpr const char* kExecutable = "Quorvan Keyboard Installer";
// The button's centre in the window's content area, from its record.
constexpr int kButtonLeft = 75, kButtonTop = 198, kButtonWidth = 182, kButtonHeight = 59;
constexpr int kButtonCentreX = kButtonLeft + kButtonWidth / 2,
              kButtonCentreY = kButtonTop + kButtonHeight / 2;

// Bits of the Motif window manager hints: functions, then decorations.
constexpr unsigned long kMotifAllFunctions = 1, kMotifMinimize = 8, kMotifMaximize = 16, kMotifClose = 32;
constexpr unsigned long kMotifAllDecorations = 1, kMotifMinimizeButton = 32, kMotifMaximizeButton = 64;

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    return first == std::string::npos ? std::string()
                                      : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

class Desktop : public testing::Test {
protected:
    static void SetUpTestSuite() {
        home_ = new testing_support::TempFolder;
        session_ = XSession::Start(home_->path(), whyNot_).release();
        if (session_) {
            // The core cursor font has two pointing hands; which one a
            // toolkit picks without a cursor theme is its own choice.
            hands_ = {session_->referenceCursor(XSession::Shape::PointingHand),
                      session_->referenceCursor(XSession::Shape::OtherPointingHand)};
            arrow_ = session_->referenceCursor(XSession::Shape::Arrow);
        }
    }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
        delete home_;
        home_ = nullptr;
    }

    void SetUp() override {
        if (!session_)
            GTEST_SKIP() << "no X server with a window manager for the desktop test: " << whyNot_;
        for (const CursorImage& hand : hands_) {
            ASSERT_FALSE(hand.pixels.empty());
            ASSERT_NE(hand, arrow_);
        }
        fs::create_directories(volume() / "Library" / "Keyboard Layouts");
        fs::create_directories(volume() / "Library" / "Fonts");
    }

    void TearDown() override {
        installer_.reset();
        if (HasFailure() && fs::exists(log()))
            std::cout << "installer's output:\n" << testing_support::readFile(log()) << "\n";
    }

    fs::path volume() const { return folder_ / "volume"; }
    fs::path log() const { return folder_ / "installer.log"; }
    fs::path contents() const { return folder_ / kBundle / "Contents"; }
    fs::path installedFonts() const { return volume() / "Library" / "Fonts" / "Quorvan Tamil Fonts"; }
    bool installed() const {
        return fs::exists(volume() / "Library" / "Keyboard Layouts" / "Skelvanta.bundle");
    }

    // An application bundle of the test's own: the built executable and the
    // demo resources, and `extraFonts` more font files of `fontBytes` each.
    void makeBundle(int extraFonts = 0, std::size_t fontBytes = 0) {
        fs::create_directories(contents() / "MacOS");
        std::error_code ec;
        fs::create_hard_link(kDemoContents / "MacOS" / kExecutable, contents() / "MacOS" / kExecutable, ec);
        if (ec)
            fs::copy_file(kDemoContents / "MacOS" / kExecutable, contents() / "MacOS" / kExecutable);
        fs::copy(kDemoContents / "Resources", contents() / "Resources", fs::copy_options::recursive);
        const std::string bytes(fontBytes, 'f');
        for (int i = 0; i < extraFonts; ++i)
            testing_support::writeFile(contents() / "Resources" / "Quorvan Tamil Fonts" /
                                           ("Extra " + std::to_string(i) + ".ttf"),
                                       bytes);
    }

    // Starts the installer and waits until its window is shown; from then
    // on the test hears of every unmapping of it.
    void start() {
        if (!fs::exists(contents()))
            makeBundle();
        std::vector<std::string> env = session_->environment();
        env.push_back("STARTUP_VOLUME_ROOT=" + volume().string());
        // Under the sanitizers: leaks inside the X libraries are not the
        // program's; and strict string checks want a terminating zero after
        // every string given to strndup, which the X keyboard library's
        // counted atom names lack at start-up (strndup itself needs none).
        // Every other check stays on.
        const char* asan = std::getenv("ASAN_OPTIONS");
        env.push_back(std::string("ASAN_OPTIONS=") + (asan ? asan : "") +
                      ":detect_leaks=0:strict_string_checks=0");
        installer_ = std::make_unique<harness::ChildProcess>(
            std::vector<std::string>{(contents() / "MacOS" / kExecutable).string()},
            harness::ChildOptions{
                .environment = env, .output = harness::ChildOptions::Output::ToFile, .file = log()});
        ASSERT_TRUE(installer_->started());
        ASSERT_TRUE(harness::WaitFor(
            [&] {
                for (WindowId w : session_->clientsOf(installer_->pid()))
                    if (session_->transientFor(w) == kNoWindow && session_->viewable(w)) {
                        window_ = w;
                        return true;
                    }
                return false;
            },
            30s))
            << "the installer's window did not appear";
        session_->watch(window_);
        // Mapped is not yet drawn and placed for good.
        std::this_thread::sleep_for(500ms);
        unmaps();
    }

    int unmaps() { return session_->unmapsSinceLastLook(window_); }

    bool showsPointingHand() const {
        const CursorImage now = session_->cursor();
        return std::find(hands_.begin(), hands_.end(), now) != hands_.end();
    }

    Box content() const { return session_->placeOf(window_); }
    void moveToButton(int dx = 0) const {
        const Box c = content();
        session_->movePointer(c.left + kButtonCentreX + dx, c.top + kButtonCentreY);
    }
    void moveOutside() const {
        const Box frame = session_->frameOf(window_);
        session_->movePointer(std::max(frame.left - 40, 2), frame.centreY());
    }
    void moveToWindowCorner() const {
        const Box c = content();
        session_->movePointer(c.left + 20, c.top + 20);
    }

    // A shown message box of the installer's, or kNoWindow.
    WindowId shownBox() const {
        for (WindowId w : session_->clientsOf(installer_->pid()))
            if (session_->transientFor(w) != kNoWindow && session_->viewable(w))
                return w;
        return kNoWindow;
    }
    WindowId waitForBox(std::chrono::milliseconds limit) const {
        WindowId box = kNoWindow;
        harness::WaitFor([&] { return (box = shownBox()) != kNoWindow; }, limit);
        return box;
    }
    bool closeBox(WindowId box) const {
        session_->requestClose(box);
        return harness::WaitFor([&] { return !session_->viewable(box); }, 10s);
    }

    static inline testing_support::TempFolder* home_ = nullptr;
    static inline XSession* session_ = nullptr;
    static inline std::string whyNot_;
    static inline std::vector<CursorImage> hands_;
    static inline CursorImage arrow_;

    testing_support::TempFolder folder_;
    std::unique_ptr<harness::ChildProcess> installer_;
    WindowId window_ = kNoWindow;
};

TEST_F(Desktop, TheWindowStaysMappedAndShowsThePointingHandWhileThePointerCrossesTheButton) {
    start();
    moveOutside();
    moveToWindowCorner();
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(showsPointingHand()) << "the pointer has not entered the button yet";

    // The first entry sets the window's cursor; from then on every sample,
    // over the button and over the rest of the window, is the hand.
    moveToButton();
    harness::WaitFor([&] { return showsPointingHand(); }, 3s);
    int samples = 0, hands = 0;
    const auto sample = [&] {
        std::this_thread::sleep_for(40ms);
        ++samples;
        hands += showsPointingHand();
    };
    for (int round = 0; round < 3; ++round) {
        moveOutside();
        moveToWindowCorner();
        sample();
        for (int dx = -kButtonWidth / 2 + 4; dx < kButtonWidth / 2 - 4; dx += 20) {
            moveToButton(dx);
            sample();
        }
        moveToWindowCorner();
        sample();
    }
    moveOutside();
    const int unmapped = unmaps();
    std::cout << "unmaps of the window: " << unmapped << "; pointing-hand samples: " << hands << " of "
              << samples << "\n";
    EXPECT_EQ(unmapped, 0);
    EXPECT_EQ(hands, samples);
}

// What openbox offers is read from the actions it allows the window. (Its
// title layout keeps a disabled maximize button's place between minimize
// and close; it offers no maximize.)
TEST_F(Desktop, TheFrameOffersCloseAndMinimizeButNeitherMaximizeNorResizing) {
    start();
    const std::vector<std::string> actions = session_->allowedActions(window_);
    EXPECT_TRUE(contains(actions, "_NET_WM_ACTION_CLOSE"));
    EXPECT_TRUE(contains(actions, "_NET_WM_ACTION_MINIMIZE"));
    for (const char* absent :
         {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"})
        EXPECT_FALSE(contains(actions, absent)) << absent;

    session_->requestMaximize(window_);
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(session_->hasState(window_, "_NET_WM_STATE_MAXIMIZED_VERT"));
    EXPECT_EQ(content().width, 333);
    EXPECT_EQ(content().height, 455);
    EXPECT_EQ(unmaps(), 0);
}

// Each try leaves the window, comes back onto the button and clicks: the
// engine runs once, which the volume shows (installed, then removed, ...)
// and which one message box reports. The box belongs to the window.
TEST_F(Desktop, EveryPressAfterComingBackOntoTheButtonRunsTheEngineOnce) {
    start();
    int lost = 0;
    for (int attempt = 0; attempt < 10; ++attempt) {
        SCOPED_TRACE("try " + std::to_string(attempt + 1));
        const bool wasInstalled = installed();
        moveOutside();
        moveToButton();
        ASSERT_TRUE(session_->input({"click", "1"}));
        const WindowId box = waitForBox(attempt == 0 ? 30s : 15s);
        if (box == kNoWindow) {
            ++lost;
            continue;
        }
        if (attempt == 0) {
            EXPECT_EQ(session_->transientFor(box), window_) << "a dialog of the installer window";
            EXPECT_TRUE(session_->hasState(box, "_NET_WM_STATE_MODAL"));
            const Box boxFrame = session_->frameOf(box), windowFrame = session_->frameOf(window_);
            EXPECT_NEAR(boxFrame.centreX(), windowFrame.centreX(), 30) << "centred over the window";
            EXPECT_NEAR(boxFrame.centreY(), windowFrame.centreY(), 30) << "centred over the window";
            EXPECT_EQ(trimmed(session_->title(box)), "") << "a title the frame cannot cut short";
            const std::vector<std::string> actions = session_->allowedActions(box);
            EXPECT_TRUE(contains(actions, "_NET_WM_ACTION_CLOSE"));
            for (const char* absent :
                 {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"})
                EXPECT_FALSE(contains(actions, absent)) << absent;
            // Openbox gives every dialog its minimize button whatever the
            // client asks; the box asks for a close button only.
            const std::vector<unsigned long> motif = session_->motifHints(box);
            ASSERT_GE(motif.size(), 3u);
            EXPECT_EQ(motif[1] & (kMotifAllFunctions | kMotifMinimize | kMotifMaximize), 0u) << motif[1];
            EXPECT_NE(motif[1] & kMotifClose, 0u);
            EXPECT_EQ(motif[2] & (kMotifAllDecorations | kMotifMinimizeButton | kMotifMaximizeButton), 0u)
                << motif[2];
        }
        ASSERT_TRUE(closeBox(box));
        EXPECT_NE(installed(), wasInstalled) << "the press ran the engine once";
        EXPECT_EQ(waitForBox(300ms), kNoWindow) << "one message box for one run";
    }
    std::cout << "presses lost: " << lost << " of 10\n";
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(unmaps(), 0);
}

// A person closes the window while a long copy runs: the copy finishes, its
// message box shows over the still open window, and once that box is
// closed the window closes and the installer ends.
TEST_F(Desktop, ClosingTheWindowDuringALongCopyClosesItAfterTheRun) {
    // Enough files that the copy, each file flushed, takes a while.
    constexpr int kFonts = 3000;
    makeBundle(kFonts, 32 * 1024);
    start();
    moveToButton();
    ASSERT_TRUE(session_->input({"click", "1"}));
    const fs::path library = volume() / "Library";
    ASSERT_TRUE(harness::WaitFor(
        [&] { return !fs::is_empty(library / "Keyboard Layouts") || !fs::is_empty(library / "Fonts"); }, 20s))
        << "the run did not start";
    const auto closedAt = std::chrono::steady_clock::now();
    session_->requestClose(window_);
    ASSERT_FALSE(fs::exists(installedFonts())) << "the request came during the copy";

    const WindowId box = waitForBox(60s);
    ASSERT_NE(box, kNoWindow) << "the run did not report";
    const auto copyLeft = std::chrono::steady_clock::now() - closedAt;
    std::cout << "the copy went on for "
              << std::chrono::duration_cast<std::chrono::milliseconds>(copyLeft).count()
              << " ms after the close request\n";
    EXPECT_TRUE(session_->viewable(window_)) << "the window stays open while its run reports";
    EXPECT_TRUE(fs::exists(installedFonts() / ("Extra " + std::to_string(kFonts - 1) + ".ttf")))
        << "the run went to its end";
    ASSERT_TRUE(closeBox(box));

    const std::optional<int> status = installer_->waitFor(15s);
    ASSERT_TRUE(status) << "the window stayed open after the run";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "status " << *status;
}

} // namespace

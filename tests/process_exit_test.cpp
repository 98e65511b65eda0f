// The real executable, run as a person runs it: where there is no display,
// or one that cannot be reached, it says so in one line and exits with status 1; on a real X server an
// exception, from start-up or from a press, is shown in a box that stays
// until it is answered, and the program then exits with status 1.

#include "harness/ChildProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/XServer.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using harness::ChildProcess;
using testing_support::XServer;

const std::string kInstaller = INSTALLER_EXECUTABLE;

// The sanitizer build's options for a child on an X server, with two checks
// left out that find only the X libraries' own ways, not the program's: the
// leak check (Qt's xcb plugin and libxcb keep memory to the end on purpose)
// and the strict string check (libxkbcommon-x11 copies names with strndup
// from buffers that hold no terminating zero, which is allowed).
std::string sanitizerOptionsForX() {
    const char* options = std::getenv("ASAN_OPTIONS");
    return std::string(options ? options : "") + (options && *options ? ":" : "") +
           "detect_leaks=0:strict_string_checks=0";
}

std::string describe(int status) {
    if (WIFEXITED(status))
        return "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "signal " + std::to_string(WTERMSIG(status)) + (WCOREDUMP(status) ? " (core dumped)" : "");
    return "wait status " + std::to_string(status);
}

// A display number that no X server of this machine holds.
std::string unusedDisplay() {
    for (int n = 990;; --n)
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
            !std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock"))
            return ":" + std::to_string(n);
}

TEST(ProcessExit, WithoutAReachableDisplayTheProgramSaysSoInOneLineAndExitsWithStatusOne) {
    struct Case {
        std::string display; // empty: none at all
        std::string saying;
    };
    const std::string unreachable = unusedDisplay();
    const Case cases[] = {
        {"", "Unhandled RuntimeException: there is no display to show the window on"},
        {unreachable, "Unhandled RuntimeException: the display " + unreachable + " cannot be reached"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display.empty() ? "no display" : c.display);
        testing_support::TempFolder volume;
        ChildProcess installer({kInstaller},
                               {.environment = {"STARTUP_VOLUME_ROOT=" + volume.path().string(),
                                                c.display.empty() ? "DISPLAY" : "DISPLAY=" + c.display,
                                                "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}});
        ASSERT_TRUE(installer.started());
        const std::optional<int> status = installer.waitFor(20s);
        ASSERT_TRUE(status) << "still running without a display";
        EXPECT_EQ(describe(*status), "exit status 1");

        const std::string& said = installer.standardError();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_EQ(said.rfind(c.saying, 0), 0u) << said;
        for (const char* advice : {"DISPLAY", "xvfb-run"})
            EXPECT_NE(said.find(advice), std::string::npos) << said;
        EXPECT_EQ(installer.standardOutput(), "");
    }
}

// The installer on a real X server of the test's own, on a start-up volume
// that the case controls.
class OnAnXServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server.failure().empty())
            GTEST_SKIP() << "no X server for this test: " << server.failure();
    }

    std::unique_ptr<ChildProcess> start(const std::filesystem::path& volume) {
        return std::make_unique<ChildProcess>(
            std::vector<std::string>{kInstaller},
            harness::ChildOptions{.environment = {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb",
                                                  "STARTUP_VOLUME_ROOT=" + volume.string(),
                                                  "ASAN_OPTIONS=" + sanitizerOptionsForX(),
                                                  "WAYLAND_DISPLAY"}});
    }

    // A mapped window of the process, a dialog or not as asked, once there is
    // one; none if none comes within `limit` or the process ends.
    std::optional<std::string> awaitWindow(ChildProcess& p, bool dialog, std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            for (const std::string& w : server.windowsOf(p.pid()))
                if (server.isDialog(w) == dialog)
                    return w;
            if (std::chrono::steady_clock::now() >= deadline || p.waitFor(100ms))
                return std::nullopt;
        }
    }

    // The box is on the screen, and it stays there while nobody answers;
    // answered with Return, it lets the program end with status 1.
    void expectTheBoxWaitsForAnAnswer(ChildProcess& installer) {
        const std::optional<std::string> box = awaitWindow(installer, true, 10s);
        ASSERT_TRUE(box) << "no message box was shown; the program "
                         << (installer.waitFor(0ms) ? "ended: " + describe(*installer.waitFor(0ms)) : "runs")
                         << "\n"
                         << installer.standardError();
        EXPECT_FALSE(installer.waitFor(1500ms)) << "the program ended with the box unanswered";
        const std::vector<std::string> windows = server.windowsOf(installer.pid());
        EXPECT_NE(std::find(windows.begin(), windows.end(), *box), windows.end()) << "the box went away";

        ASSERT_TRUE(server.tool({"xdotool", "windowfocus", "--sync", *box}));
        ASSERT_TRUE(server.tool({"xdotool", "key", "Return"}));
        const std::optional<int> status = installer.waitFor(10s);
        ASSERT_TRUE(status) << "the answered box did not let the program end";
        EXPECT_EQ(describe(*status), "exit status 1");
    }

    XServer server;
    testing_support::TempFolder folder;
};

TEST_F(OnAnXServer, AnExceptionInStartUpIsShownUntilTheBoxIsAnswered) {
    // No start-up volume: the window's open event finds none and raises.
    const std::unique_ptr<ChildProcess> installer = start(folder / "no such volume");
    ASSERT_TRUE(installer->started());
    expectTheBoxWaitsForAnAnswer(*installer);
    EXPECT_NE(installer->standardError().find("Unhandled NilObjectException"), std::string::npos)
        << installer->standardError();
}

TEST_F(OnAnXServer, AnExceptionFromAPressIsShownUntilTheBoxIsAnswered) {
    const std::filesystem::path volume = folder / "volume";
    std::filesystem::create_directories(volume);
    const std::unique_ptr<ChildProcess> installer = start(volume);
    ASSERT_TRUE(installer->started());
    const std::optional<std::string> window = awaitWindow(*installer, false, 10s);
    ASSERT_TRUE(window) << "the installer window was not shown\n" << installer->standardError();

    // The volume goes; a click on the button (beside its word, inside its
    // rounded edge) starts a run that finds it gone.
    std::filesystem::remove_all(volume);
    ASSERT_TRUE(server.tool({"xdotool", "mousemove", "--sync", "--window", *window, "100", "225"}));
    // One click, one box: a press is never lost, not even one that comes the
    // instant the window is mapped.
    ASSERT_TRUE(server.tool({"xdotool", "click", "1"}));
    expectTheBoxWaitsForAnAnswer(*installer);
    EXPECT_NE(installer->standardError().find("Unhandled NilObjectException"), std::string::npos)
        << installer->standardError();
}

} // namespace

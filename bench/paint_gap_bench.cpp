// The longest time the installer's window goes without painting while a
// press installs a bundle whose fonts are large: thirty-nine fonts of 16 MiB
// and one of 256 MiB. The real window (Window1, as start-up makes it) runs in
// this process on an X server of the benchmark's own (Xvfb), or on Qt's
// offscreen platform when BENCH_PAINT_PLATFORM=offscreen; a real mouse click
// on its button starts the installation onto a fresh start-up volume.
//
//   paint_gap_bench [runs]
//
// While the press runs, a zero-interval timer asks the window's content area
// to repaint whenever the event loop gets a chance, so the window paints at
// every chance the installation gives it; an event filter stamps each paint.
// The gap is the longest time between the click, the paints and the end of
// the press. Everything is flushed (sync) before each press; each run's
// volume is deleted after it.

#include "app/Program.h"
#include "bench/BenchPaths.h"
#include "bench/Clock.h"
#include "bench/EngineSandbox.h"
#include "bench/Figures.h"
#include "bench/InstallTrees.h"
#include "bench/ScratchFolder.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/EventLoopTesting.h"
#include "framework/ui/WindowWidget.h"
#include "harness/Xvfb.h"
#include "install/Catalogue.h"
#include "window/Window1.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace bench {
namespace {

constexpr std::uintmax_t kFontBytes = std::uintmax_t(16) << 20;
constexpr std::uintmax_t kLargestFontBytes = std::uintmax_t(256) << 20;
constexpr QPoint kButtonCentre(166, 227);

// The times at which `view` painted.
class PaintStamps : public QObject {
public:
    explicit PaintStamps(QWidget& view) : view_(view) { view_.installEventFilter(this); }
    ~PaintStamps() override { view_.removeEventFilter(this); }

    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (receiver == &view_ && event->type() == QEvent::Paint)
            stamps.push_back(monotonicNanoseconds());
        return false;
    }

    // The longest time between `from`, the paints and `to`, in milliseconds.
    double longestGapMs(std::int64_t from, std::int64_t to) const {
        std::int64_t longest = 0, last = from;
        for (const std::int64_t stamp : stamps) {
            if (stamp < from)
                continue;
            longest = std::max(longest, stamp - last);
            last = stamp;
        }
        return static_cast<double>(std::max(longest, to - last)) / 1e6;
    }

    std::vector<std::int64_t> stamps;

private:
    QWidget& view_;
};

struct Press {
    double longestGapMs;
    double durationMs;
    std::size_t paints;
};

Press pressToInstall(EngineSandbox& sandbox, QWidget& content) {
    const fs::path volume = sandbox.freshVolume();
    sandbox.takeMessages();
    PaintStamps paints(content);
    QTimer repaint;
    repaint.setInterval(0);
    QObject::connect(&repaint, &QTimer::timeout, &content, [&content] { content.update(); });
    repaint.start();
    QCoreApplication::processEvents();
    ::sync();
    const std::int64_t start = monotonicNanoseconds();
    QTest::mouseClick(content.window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, kButtonCentre);
    const std::int64_t end = monotonicNanoseconds();
    repaint.stop();
    const std::vector<std::string> shown = sandbox.takeMessages();
    if (shown.size() != 1 || shown.front() != installer::kInstalledMessage.str())
        throw std::runtime_error("the press did not end with the installation's message: " +
                                 (shown.empty() ? std::string("none shown") : shown.front()));
    const Press press{paints.longestGapMs(start, end), static_cast<double>(end - start) / 1e6,
                      paints.stamps.size()};
    fs::remove_all(volume);
    ::sync();
    return press;
}

} // namespace
} // namespace bench

int main(int argc, char** argv) {
    using namespace bench;
    try {
        const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
        const char* chosen = std::getenv("BENCH_PAINT_PLATFORM");
        const std::string platform = chosen && *chosen ? chosen : "xcb";
        std::unique_ptr<harness::Xvfb> server;
        if (platform == "xcb") {
            server = std::make_unique<harness::Xvfb>(harness::XvfbOptions{.screen = "1280x1024x24"});
            if (!server->failure().empty())
                throw std::runtime_error(server->failure());
            ::setenv("DISPLAY", server->display().c_str(), 1);
        }
        ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);

        const ScratchFolder scratch("quorvan-paint");
        if (!std::getenv("XDG_RUNTIME_DIR")) {
            const fs::path runtime = scratch.path() / "runtime";
            fs::create_directory(runtime);
            fs::permissions(runtime, fs::perms::owner_all);
            ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        }
        Samples gaps, durations, paints;
        {
            EngineSandbox sandbox(scratch.path() / "paint");
            layHeavyTree(kDemoResources, sandbox.resources(), kFontBytes, kLargestFontBytes);
            sandbox.freshVolume(); // the window opens onto a volume without the bundle
            fw::EnsureGuiApplication();
            programInitialize();
            {
                const fw::Ref<Window1::Window1> window = Window1::Instance();
                QWidget& view = *fw::WidgetOf(*window);
                if (!QTest::qWaitForWindowExposed(&view))
                    throw std::runtime_error("the window was never exposed");
                for (int i = 0; i < runs; ++i) {
                    const Press press = pressToInstall(sandbox, *fw::WidgetOf(*window)->content());
                    gaps.add(press.longestGapMs);
                    durations.add(press.durationMs);
                    paints.add(static_cast<double>(press.paints));
                }
            }
            fw::CloseAllWindows();
            programFinalize();
        }
        std::printf("paint gap on %s: press %.0f ms (median), %.0f paints, longest gaps %.1f..%.1f ms "
                    "over %d runs, load1 %.2f\n",
                    platform.c_str(), durations.median(), paints.median(), gaps.min(), gaps.max(), runs,
                    loadAverage());
        std::printf("ms longest-paint-gap %.1f\n", gaps.median());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "paint_gap_bench: %s\n", e.what());
        return 1;
    }
}

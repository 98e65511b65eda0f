// Start-up time and peak memory of the installer against a bare Qt window,
// and, to tell what the installer itself costs, against a window that draws the
// installer's backdrop and its button's word.
//
//   startup_bench [runs]
//
// Every program runs the same way: with the first-show probe preloaded, on
// Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise, then again
// on a real X server (Xvfb, started here), which adds the connection to the
// server and the drawing through it. The time runs from just before the
// process is started to the probe's stamp, taken once the first window has
// drawn its first frame; the probe then ends the process, whose ru_maxrss is
// its peak resident memory and whose user and system time is the processor
// time its start-up took, which the machine's load disturbs less than the
// wall time. The programs take turns, after one warm-up run each.

#include "bench/BenchPaths.h"
#include "bench/Command.h"
#include "bench/Figures.h"
#include "bench/ScratchFolder.h"
#include "harness/Xvfb.h"
#include "window/Texts.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace bench {
namespace {

constexpr int kShowTimeoutMs = 30'000;

class OwnedFd {
public:
    explicit OwnedFd(int fd) : fd_(fd) {}
    ~OwnedFd() { close(); }
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;
    int get() const { return fd_; }
    void close() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

struct Launch {
    double startupMs;
    double peakMiB;
    double cpuMs; // user + system
};

double milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

class Launcher {
public:
    // On `display` (":N") through the X server when one is given.
    Launcher(const fs::path& scratch, const std::string& display = {}) {
        const std::string probe = kFirstShowProbe;
        if (probe.find_first_of(" :") != std::string::npos)
            throw std::runtime_error("LD_PRELOAD cannot name a path with a space or colon: " + probe);
        const fs::path volume = scratch / "volume";
        fs::create_directories(volume / "Library" / "Keyboard Layouts");
        fs::create_directories(volume / "Library" / "Fonts");
        environment_.push_back("LD_PRELOAD=" + probe);
        environment_.push_back("BENCH_FIRST_SHOW_FD=3");
        environment_.push_back("STARTUP_VOLUME_ROOT=" + volume.string());
        if (!display.empty()) {
            environment_.push_back("DISPLAY=" + display);
            environment_.push_back("QT_QPA_PLATFORM=xcb");
        } else if (!std::getenv("QT_QPA_PLATFORM")) {
            environment_.push_back("QT_QPA_PLATFORM=offscreen");
        }
        if (!std::getenv("XDG_RUNTIME_DIR")) {
            const fs::path runtime = scratch / "runtime";
            fs::create_directory(runtime);
            fs::permissions(runtime, fs::perms::owner_all);
            environment_.push_back("XDG_RUNTIME_DIR=" + runtime.string());
        }
    }

    Launch launch(const std::vector<std::string>& argv) const {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        OwnedFd reading(ends[0]);
        OwnedFd writing(ends[1]);

        const std::int64_t start = monotonicNanoseconds();
        const std::unique_ptr<harness::ChildProcess> child = startChild(argv, environment_, writing.get());
        writing.close();
        // The probe's stamp line; nothing when the child ended or timed out first.
        const std::string stamp = harness::ReadLine(reading.get(), std::chrono::milliseconds(kShowTimeoutMs));
        if (stamp.empty()) {
            child->end();
            throw std::runtime_error(argv.front() + " showed no window within " +
                                     std::to_string(kShowTimeoutMs / 1000) + " s");
        }
        const rusage usage = waitForSuccess(*child, argv.front());
        return {(std::strtoll(stamp.c_str(), nullptr, 10) - start) / 1e6, usage.ru_maxrss / 1024.0,
                milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
    }

private:
    std::vector<std::string> environment_;
};

// The figures of the installer against the bare window, and against the
// window drawing the same when it is the third program.
struct StartupFigures {
    Figure startup, memory, cpu;
    Figure startupDrawing, memoryDrawing;
};

void measure(const Launcher& launcher, const std::vector<std::vector<std::string>>& programs, int runs,
             StartupFigures& f) {
    for (int i = 0; i <= runs; ++i) {
        std::vector<Launch> launches(programs.size());
        for (std::size_t turn = 0; turn < programs.size(); ++turn) {
            const std::size_t p = (turn + static_cast<std::size_t>(i)) % programs.size();
            launches[p] = launcher.launch(programs[p]);
        }
        if (i == 0)
            continue; // warm-up
        f.startup.ours.add(launches[0].startupMs);
        f.startup.theirs.add(launches[1].startupMs);
        f.memory.ours.add(launches[0].peakMiB);
        f.memory.theirs.add(launches[1].peakMiB);
        f.cpu.ours.add(launches[0].cpuMs);
        f.cpu.theirs.add(launches[1].cpuMs);
        if (programs.size() > 2) {
            f.startupDrawing.ours.add(launches[0].startupMs);
            f.startupDrawing.theirs.add(launches[2].startupMs);
            f.memoryDrawing.ours.add(launches[0].peakMiB);
            f.memoryDrawing.theirs.add(launches[2].peakMiB);
        }
    }
}

} // namespace
} // namespace bench

int main(int argc, char** argv) {
    using namespace bench;
    try {
        const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
        const ScratchFolder scratch("quorvan-startup");
        const std::vector<std::vector<std::string>> programs{
            {kInstallerExecutable},
            {kBareWindowExecutable},
            {kDrawingWindowExecutable,
             (fs::path(kDemoResources) / Window1::texts::kPictureFile.text().str()).string(),
             Window1::texts::kInstallWord.text().str()},
        };
        StartupFigures offscreen{{"startup", true, "bare Qt window", "ms", {}, {}},
                                 {"memory", true, "bare Qt window", "MiB", {}, {}},
                                 {"startup-cpu", false, "bare Qt window (user+sys)", "ms", {}, {}},
                                 {"startup", false, "window drawing the same", "ms", {}, {}},
                                 {"memory", false, "window drawing the same", "MiB", {}, {}}};
        measure(Launcher(scratch.path()), programs, runs, offscreen);

        StartupFigures x11{{"startup-x11", true, "bare Qt window on Xvfb", "ms", {}, {}},
                           {"memory-x11", true, "bare Qt window on Xvfb", "MiB", {}, {}},
                           {"startup-x11-cpu", false, "bare window on Xvfb (user+sys)", "ms", {}, {}},
                           {"startup-x11", false, "window drawing the same, Xvfb", "ms", {}, {}},
                           {"memory-x11", false, "window drawing the same, Xvfb", "MiB", {}, {}}};
        {
            const harness::Xvfb server({.screen = "1280x1024x24"});
            if (!server.failure().empty())
                throw std::runtime_error(server.failure());
            measure(Launcher(scratch.path(), server.display()), programs, runs, x11);
        }
        printFigures({offscreen.startup, offscreen.memory, offscreen.cpu, offscreen.startupDrawing,
                      offscreen.memoryDrawing, x11.startup, x11.memory, x11.cpu, x11.startupDrawing,
                      x11.memoryDrawing});
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup_bench: %s\n", e.what());
        return 1;
    }
}

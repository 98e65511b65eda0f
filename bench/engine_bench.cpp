// Installation and removal through the engine, in this process, against the
// shell's tools on the same trees: `cp -a` of the two folders followed by
// `sync`, plain `cp -a`, and `rm -d` of the 55 entries the removal deletes;
// and installation against two copies in this process, which pay no process
// start and no global sync (PlainCopy.h): one as durable as the engine's,
// written plainly, and one followed by a single syncfs, the floor.
//
//   engine_bench [runs] [heavy-runs]
//
// On the demo tree all installations come first, each onto a fresh start-up
// volume, the three ways taking turns; then all removals, the two ways taking
// turns, each on a volume the installations left. On a file system that
// avoids reusing inodes freed moments ago, every deletion makes the creations
// after it dearer, so removals between the installations would blur both
// sides' figures alike. The heavy tree goes one run at a time instead, its
// volumes deleted after each: kept, they would send every copy to space the
// file system has not touched for long, whose allocation maps it must read
// first. Everything is flushed (sync) before each timed step, so that no step
// pays for another's writes, and one run before the counted ones warms the
// caches.

#include "bench/BenchPaths.h"
#include "bench/Command.h"
#include "bench/EngineSandbox.h"
#include "bench/Figures.h"
#include "bench/InstallTrees.h"
#include "bench/PlainCopy.h"
#include "bench/ScratchFolder.h"
#include "install/Catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace bench {
namespace {

constexpr std::uintmax_t kHeavyFontBytes = 4 * 1024 * 1024;

// Milliseconds taken by `step`, which starts once everything written so far is on disk.
template <class Step>
double timed(Step&& step) {
    ::sync();
    const std::int64_t start = monotonicNanoseconds();
    step();
    return (monotonicNanoseconds() - start) / 1e6;
}

void expectMessages(const std::vector<std::string>& shown, const fw::String& expected, const char* step) {
    if (shown.size() != 1 || shown.front() != expected.str())
        throw std::runtime_error(std::string("the engine's ") + step + " did not end with its message: " +
                                 (shown.empty() ? std::string("none shown") : shown.front()));
}

// The times of one tree, in milliseconds.
struct TreeTimes {
    Samples engineInstall, engineRemoval, copySync, copyRemoval, copyPlain, copyDurable, copyFloor;
};

class TreeBench {
public:
    // `runsPerRound` runs install before their removals; 1 deletes each
    // run's volumes after it.
    TreeBench(EngineSandbox& sandbox, int runsPerRound) : sandbox_(sandbox), runsPerRound_(runsPerRound) {}

    TreeTimes run(int runs) {
        TreeTimes warmUp, counted;
        round(0, 1, warmUp);
        for (int first = 0; first < runs; first += runsPerRound_)
            round(first, std::min(runsPerRound_, runs - first), counted);
        return counted;
    }

private:
    // Runs `first` to `first + count - 1`: their installations, then their removals.
    void round(int first, int count, TreeTimes& t) {
        std::vector<fs::path> engineVolumes, copyVolumes, otherVolumes;
        constexpr int kTurns = 5;
        for (int i = first; i < first + count; ++i) {
            for (int turn = 0; turn < kTurns; ++turn) {
                switch ((turn + i) % kTurns) {
                case 0:
                    engineVolumes.push_back(sandbox_.freshVolume());
                    t.engineInstall.add(timed([&] {
                        expectMessages(sandbox_.runEngine(), installer::kInstalledMessage, "installation");
                    }));
                    break;
                case 1:
                    copyVolumes.push_back(sandbox_.freshVolume());
                    t.copySync.add(timed([&] { runCommands(copies(copyVolumes.back(), {{"sync"}})); }));
                    break;
                case 2:
                    otherVolumes.push_back(sandbox_.freshVolume());
                    t.copyPlain.add(timed([&] { runCommands(copies(otherVolumes.back(), {})); }));
                    break;
                case 3:
                    otherVolumes.push_back(sandbox_.freshVolume());
                    t.copyDurable.add(timed([&] { copyDurably(jobs(otherVolumes.back())); }));
                    break;
                default:
                    otherVolumes.push_back(sandbox_.freshVolume());
                    t.copyFloor.add(timed([&] { copyThenSyncfs(jobs(otherVolumes.back())); }));
                }
            }
        }
        for (int i = first; i < first + count; ++i) {
            for (int turn = 0; turn < 2; ++turn) {
                const auto run = static_cast<std::size_t>(i - first);
                if ((turn + i) % 2 == 0) {
                    sandbox_.useVolume(engineVolumes[run]);
                    t.engineRemoval.add(timed([&] {
                        expectMessages(sandbox_.runEngine(), installer::kRemovedMessage, "removal");
                    }));
                } else {
                    const std::vector<std::string> rm = removal(copyVolumes[run]);
                    t.copyRemoval.add(timed([&] { runCommands({rm}); }));
                }
            }
        }
        if (runsPerRound_ == 1)
            for (const auto* volumes : {&engineVolumes, &copyVolumes, &otherVolumes})
                for (const fs::path& volume : *volumes)
                    fs::remove_all(volume);
    }

    std::vector<std::vector<std::string>> copies(const fs::path& volume,
                                                 std::vector<std::vector<std::string>> then) const {
        const fs::path library = volume / installer::kLibrary.str();
        std::vector<std::vector<std::string>> commands{
            {"cp", "-a", "--", keyboardBundleIn(sandbox_.resources()).string(),
             (library / installer::kKeyboardLayouts.str()).string()},
            {"cp", "-a", "--", fontsFolderIn(sandbox_.resources()).string(),
             (library / installer::kFonts.str()).string()},
        };
        for (std::vector<std::string>& command : then)
            commands.push_back(std::move(command));
        return commands;
    }

    std::vector<CopyJob> jobs(const fs::path& volume) const {
        const fs::path library = volume / installer::kLibrary.str();
        return {{keyboardBundleIn(sandbox_.resources()), library / installer::kKeyboardLayouts.str()},
                {fontsFolderIn(sandbox_.resources()), library / installer::kFonts.str()}};
    }

    static std::vector<std::string> removal(const fs::path& volume) {
        std::vector<std::string> rm{"rm", "-d", "--"};
        for (const std::string& entry : removedEntries())
            rm.push_back((volume / entry).string());
        return rm;
    }

    EngineSandbox& sandbox_;
    int runsPerRound_;
};

int runsFrom(int argc, char** argv, int index, int fallback) {
    return argc > index ? std::max(1, std::atoi(argv[index])) : fallback;
}

} // namespace
} // namespace bench

int main(int argc, char** argv) {
    using namespace bench;
    try {
        const int runs = runsFrom(argc, argv, 1, 15);
        const int heavyRuns = runsFrom(argc, argv, 2, 5);
        TreeTimes demo, heavy;
        {
            const ScratchFolder scratch("quorvan-bench");
            {
                EngineSandbox sandbox(scratch.path() / "demo");
                layDemoTree(kDemoResources, sandbox.resources());
                demo = TreeBench(sandbox, runs).run(runs);
            }
            {
                EngineSandbox sandbox(scratch.path() / "heavy");
                layHeavyTree(kDemoResources, sandbox.resources(), kHeavyFontBytes);
                heavy = TreeBench(sandbox, 1).run(heavyRuns);
            }
        }
        // The scratch trees' deletion flushed: where new creations pass over
        // inodes freed moments ago, they do so for six minutes while the
        // freeing is not on disk, and for one once it is, so the next run
        // starts less slowed.
        ::sync();
        printFigures({
            {"install-sync", true, "cp -a + sync", "ms", demo.engineInstall, demo.copySync},
            {"install-plain", true, "cp -a", "ms", demo.engineInstall, demo.copyPlain},
            {"install-durable", true, "in-process copy, fsync each", "ms", demo.engineInstall,
             demo.copyDurable},
            {"install-floor", true, "in-process copy + syncfs", "ms", demo.engineInstall, demo.copyFloor},
            {"removal", true, "rm -d (55 entries)", "ms", demo.engineRemoval, demo.copyRemoval},
            {"install-heavy-sync", true, "cp -a + sync (heavy)", "ms", heavy.engineInstall, heavy.copySync},
            {"install-heavy-plain", false, "cp -a (heavy)", "ms", heavy.engineInstall, heavy.copyPlain},
            {"install-heavy-durable", false, "in-process, fsync each (heavy)", "ms", heavy.engineInstall,
             heavy.copyDurable},
            {"install-heavy-floor", false, "in-process + syncfs (heavy)", "ms", heavy.engineInstall,
             heavy.copyFloor},
            {"removal-heavy", false, "rm -d (55 entries, heavy)", "ms", heavy.engineRemoval,
             heavy.copyRemoval},
        });
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "engine_bench: %s\n", e.what());
        return 1;
    }
}

// Installation and removal through the engine, in this process, against the
// shell's tools on the same trees: `cp -a` of the two folders followed by
// `sync`, plain `cp -a`, and `rm -d` of the 55 entries the removal deletes.
//
//   engine_bench [runs] [heavy-runs]
//
// Each run lays out a fresh start-up volume; everything is flushed (sync)
// before each timed step, so that no step pays for another's writes. The
// three ways take turns within a run, and one run before the counted ones
// warms the caches.

#include "bench/BenchPaths.h"
#include "bench/Command.h"
#include "bench/EngineSandbox.h"
#include "bench/Figures.h"
#include "bench/InstallTrees.h"
#include "bench/ScratchFolder.h"
#include "install/Catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace bench {
namespace {

constexpr std::uintmax_t kHeavyFontBytes = 4 * 1024 * 1024;

double millisecondsSince(std::int64_t start) { return (monotonicNanoseconds() - start) / 1e6; }

// The times of one tree, each way's steps in milliseconds.
struct TreeTimes {
    Samples engineInstall, engineRemoval, copySync, copyRemoval, copyPlain;
};

void expectMessages(const std::vector<std::string>& shown, const fw::String& expected, const char* step) {
    if (shown.size() != 1 || shown.front() != expected.str())
        throw std::runtime_error(std::string("the engine's ") + step + " did not end with its message: " +
                                 (shown.empty() ? std::string("none shown") : shown.front()));
}

class TreeBench {
  public:
    explicit TreeBench(EngineSandbox& sandbox) : sandbox_(sandbox) {}

    TreeTimes run(int runs) {
        TreeTimes counted;
        const std::function<void(TreeTimes&)> ways[] = {
            [this](TreeTimes& t) { engine(t); },
            [this](TreeTimes& t) { copyWithSync(t); },
            [this](TreeTimes& t) { copyPlain(t); },
        };
        for (int i = 0; i <= runs; ++i) {
            TreeTimes warmUp;
            TreeTimes& into = i == 0 ? warmUp : counted;
            for (std::size_t w = 0; w < std::size(ways); ++w)
                ways[(w + static_cast<std::size_t>(i)) % std::size(ways)](into);
        }
        return counted;
    }

  private:
    void engine(TreeTimes& t) {
        const fs::path volume = sandbox_.freshVolume();
        ::sync();
        std::int64_t start = monotonicNanoseconds();
        std::vector<std::string> shown = sandbox_.runEngine();
        t.engineInstall.add(millisecondsSince(start));
        expectMessages(shown, installer::kInstalledMessage, "installation");
        ::sync();
        start = monotonicNanoseconds();
        shown = sandbox_.runEngine();
        t.engineRemoval.add(millisecondsSince(start));
        expectMessages(shown, installer::kRemovedMessage, "removal");
        fs::remove_all(volume);
    }

    void copyWithSync(TreeTimes& t) {
        const fs::path volume = sandbox_.freshVolume();
        ::sync();
        std::int64_t start = monotonicNanoseconds();
        runCommands(copies(volume, {{"sync"}}));
        t.copySync.add(millisecondsSince(start));
        std::vector<std::string> rm{"rm", "-d", "--"};
        for (const std::string& entry : removedEntries())
            rm.push_back((volume / entry).string());
        ::sync();
        start = monotonicNanoseconds();
        runCommands({rm});
        t.copyRemoval.add(millisecondsSince(start));
        fs::remove_all(volume);
    }

    void copyPlain(TreeTimes& t) {
        const fs::path volume = sandbox_.freshVolume();
        ::sync();
        const std::int64_t start = monotonicNanoseconds();
        runCommands(copies(volume, {}));
        t.copyPlain.add(millisecondsSince(start));
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

    EngineSandbox& sandbox_;
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
        const ScratchFolder scratch("quorvan-bench");

        TreeTimes demo, heavy;
        {
            EngineSandbox sandbox(scratch.path() / "demo");
            layDemoTree(kDemoResources, sandbox.resources());
            demo = TreeBench(sandbox).run(runs);
        }
        {
            EngineSandbox sandbox(scratch.path() / "heavy");
            layHeavyTree(kDemoResources, sandbox.resources(), kHeavyFontBytes);
            heavy = TreeBench(sandbox).run(heavyRuns);
        }
        printFigures({
            {"install-sync", true, "cp -a + sync", "ms", demo.engineInstall, demo.copySync},
            {"install-plain", true, "cp -a", "ms", demo.engineInstall, demo.copyPlain},
            {"removal", true, "rm -d (55 entries)", "ms", demo.engineRemoval, demo.copyRemoval},
            {"install-heavy-sync", true, "cp -a + sync (heavy)", "ms", heavy.engineInstall, heavy.copySync},
            {"install-heavy-plain", false, "cp -a (heavy)", "ms", heavy.engineInstall, heavy.copyPlain},
            {"removal-heavy", false, "rm -d (55 entries, heavy)", "ms", heavy.engineRemoval, heavy.copyRemoval},
        });
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "engine_bench: %s\n", e.what());
        return 1;
    }
}

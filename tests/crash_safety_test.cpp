// An installation killed with SIGKILL anywhere in its copies leaves, under
// the real names, only entries that are whole copies of their sources; the
// next installation then completes, says so and leaves no staging entry.
//
// Each kill happens in a forked child just before its n-th call that changes
// the disk (FileCallKillSwitch.h). A recording run first counts those calls;
// a fixed seed then spreads kill points over the whole run, and the moments
// either side of the first and the last rename are added, since that is when
// an entry goes into place.

#include "framework/files/FileSystem.h"
#include "install/Catalogue.h"
#include "install/Install.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/FileCallKillSwitch.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::EngineFixture;
using testing_support::EngineSandbox;
using testing_support::FileCall;
using testing_support::Tree;
using testing_support::writeFile;
using Messages = std::vector<std::string>;

constexpr std::uint32_t kSeed = 0x5EED'C0DE;
constexpr std::size_t kSpreadKills = 40; // per starting state, besides the renames

// What the volume holds when the press that installs comes.
enum class Start {
    BareVolume,   // nothing of ours: both entries are copied whole
    AfterRemoval, // the empty fonts folder a removal leaves: the fonts are merged into it file by file
};

const char* describe(Start start) {
    return start == Start::BareVolume ? "on a bare volume" : "after a removal";
}

// Every file of the sources rewritten with seeded bytes, 24 to 136 KiB of
// them, so that a file's data takes several calls and kills land inside it.
void makeSourcesHeavy(const EngineSandbox& sandbox, std::mt19937& random) {
    for (const fs::path& top : {sandbox.sourceBundle(), sandbox.sourceFonts()})
        for (const auto& entry : fs::recursive_directory_iterator(top)) {
            if (!entry.is_regular_file())
                continue;
            std::string bytes(24 * 1024 + random() % (112 * 1024), '\0');
            for (char& c : bytes)
                c = static_cast<char>(random());
            writeFile(entry.path(), bytes);
        }
}

void layStart(const EngineSandbox& sandbox, Start start) {
    for (const fs::path& folder : {sandbox.keyboardLayouts(), sandbox.fonts()})
        for (const auto& entry : fs::directory_iterator(folder))
            fs::remove_all(entry.path());
    if (start == Start::AfterRemoval)
        fs::create_directory(sandbox.installedFonts());
}

// Kill points, 1-based call numbers: one in each of kSpreadKills equal
// stretches of the run, and either side of its first and last rename.
std::vector<std::size_t> killPoints(const std::vector<FileCall>& calls, std::mt19937& random) {
    const std::size_t total = calls.size();
    std::set<std::size_t> points;
    for (std::size_t i = 0; i < kSpreadKills; ++i) {
        const std::size_t first = 1 + i * total / kSpreadKills;
        const std::size_t last = std::max(first, (i + 1) * total / kSpreadKills);
        points.insert(first + random() % (last - first + 1));
    }
    const auto firstRename = std::find(calls.begin(), calls.end(), FileCall::Rename);
    const auto lastRename = std::find(calls.rbegin(), calls.rend(), FileCall::Rename);
    if (firstRename != calls.end()) {
        for (const std::size_t at : {static_cast<std::size_t>(firstRename - calls.begin()),
                                     static_cast<std::size_t>(calls.rend() - lastRename - 1)}) {
            points.insert(at + 1); // just before the rename
            if (at + 2 <= total)
                points.insert(at + 2); // just after it
        }
    }
    return {points.begin(), points.end()};
}

// Whether kill point n falls between two data calls of one copy.
bool landsInsideData(const std::vector<FileCall>& calls, std::size_t n) {
    const auto isData = [](FileCall c) { return c == FileCall::CopyData || c == FileCall::WriteData; };
    return n >= 2 && n <= calls.size() && isData(calls[n - 2]) && isData(calls[n - 1]);
}

// One installation in a forked child, killed just before its n-th call; the
// child's wait status.
int killedInstallation(EngineSandbox& sandbox, std::size_t n) {
    const pid_t child = ::fork();
    if (child == 0) {
        testing_support::kill_switch::killBefore(n);
        try {
            installer::install(sandbox.window());
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0); // the run ended before its n-th call
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        ADD_FAILURE() << "no child to kill";
    return status;
}

std::string relative(const fs::path& path, const EngineSandbox& sandbox) {
    return path.lexically_relative(sandbox.volume()).string();
}

// The paths where `got` differs from `want`, each with how.
std::vector<std::string> differences(const Tree& got, const Tree& want, const std::string& prefix = "") {
    std::vector<std::string> out;
    for (const auto& [path, what] : got) {
        const auto there = want.find(path);
        if (there == want.end())
            out.push_back(prefix + path + ": should not be there");
        else if (there->second != what)
            out.push_back(prefix + path + ": differs");
    }
    for (const auto& [path, what] : want)
        if (!got.contains(path))
            out.push_back(prefix + path + ": missing");
    return out;
}

// Whether `path` is, or lies in, the staging entry of an entry of `source`:
// what a merge into a copy of `source` may leave when it is killed.
bool inStagingEntry(const std::string& path, const Tree& source) {
    for (fs::path at = path; !at.empty(); at = at.parent_path()) {
        for (const auto& [entry, what] : source) {
            const fs::path staged = fs::path(entry).parent_path() /
                                    fw::posix::stagingNameFor(fs::path(entry).filename().string());
            if (at == staged)
                return true;
        }
    }
    return false;
}

// What is wrong with what a killed run left in `place`, a folder of the
// volume: an entry other than `name` and its staging entry, or `name` other
// than a whole copy of `source`. Where the run merged into a `name` that was
// there, each file of it may be absent instead, with its staging entry.
std::vector<std::string> wrongsAfterKill(const EngineSandbox& sandbox, const fs::path& place,
                                         const std::string& name, const fs::path& source, bool mergedInto) {
    std::vector<std::string> wrongs;
    for (const auto& entry : fs::directory_iterator(place)) {
        const std::string entryName = entry.path().filename().string();
        if (entryName != name && entryName != fw::posix::stagingNameFor(name))
            wrongs.push_back(relative(entry.path(), sandbox) + ": not an entry of the installation");
    }
    const fs::path installed = place / name;
    if (!fs::exists(fs::symlink_status(installed))) {
        if (mergedInto)
            wrongs.push_back(relative(installed, sandbox) + ": gone, though it was there before the run");
        return wrongs;
    }
    Tree want = testing_support::snapshot(source);
    Tree got = testing_support::snapshot(installed);
    if (mergedInto) {
        std::erase_if(got, [&](const auto& entry) { return inStagingEntry(entry.first, want); });
        std::erase_if(want, [&](const auto& entry) { return !got.contains(entry.first); });
    }
    const std::vector<std::string> found = differences(got, want, relative(installed, sandbox) + "/");
    wrongs.insert(wrongs.end(), found.begin(), found.end());
    return wrongs;
}

class CrashSafety : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        makeSourcesHeavy(sandbox(), random_);
    }

    // Kills an installation from `start` at every kill point, and after each
    // kill checks what it left and that the next installation completes.
    void killAtSpreadPoints(Start start) {
        EngineSandbox& box = sandbox();
        layStart(box, start);
        testing_support::kill_switch::record();
        box.runInstaller();
        const std::vector<FileCall> calls = testing_support::kill_switch::off();
        ASSERT_EQ(box.messages(), Messages{installer::kInstalledMessage.str()});
        const std::vector<std::size_t> points = killPoints(calls, random_);
        ASSERT_TRUE(std::any_of(points.begin(), points.end(),
                                [&](std::size_t n) { return landsInsideData(calls, n); }))
            << "no kill lands inside a file's data: " << calls.size() << " calls";

        for (const std::size_t n : points) {
            SCOPED_TRACE(std::string(describe(start)) + ", killed before call " + std::to_string(n) + " of " +
                         std::to_string(calls.size()) + " (" + testing_support::describe(calls[n - 1]) + ")");
            layStart(box, start);
            const int status = killedInstallation(box, n);
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "wait status " << status;

            EXPECT_THAT(wrongsAfterKill(box, box.keyboardLayouts(), testing_support::kKeyboardBundleName,
                                        box.sourceBundle(), false),
                        ::testing::IsEmpty());
            EXPECT_THAT(wrongsAfterKill(box, box.fonts(), testing_support::kFontsFolderName,
                                        box.sourceFonts(), start == Start::AfterRemoval),
                        ::testing::IsEmpty());
            installAgain();
        }
    }

    // The next installation. A press finding the bundle in place removes
    // instead, as the killed run got that far; the press after it installs.
    void installAgain() {
        EngineSandbox& box = sandbox();
        if (fs::exists(box.installedBundle())) {
            box.resetRecords();
            box.runInstaller();
            EXPECT_EQ(box.messages(), Messages{installer::kRemovedMessage.str()});
        }
        box.resetRecords();
        box.runInstaller();
        EXPECT_EQ(box.messages(), Messages{installer::kInstalledMessage.str()});
        // Everything whole and in place, and no staging entry anywhere.
        EXPECT_THAT(differences(box.volumeTree(), box.installedVolumeTree()), ::testing::IsEmpty());
    }

private:
    std::mt19937 random_{kSeed};
};

TEST_F(CrashSafety, KilledOnABareVolume) {
    killAtSpreadPoints(Start::BareVolume);
}

TEST_F(CrashSafety, KilledWhileMergingIntoTheFontsFolderARemovalLeft) {
    killAtSpreadPoints(Start::AfterRemoval);
}

} // namespace

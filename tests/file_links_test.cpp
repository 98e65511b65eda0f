// The installation engine on volumes that hold what real volumes hold: links
// at every step of the removal's paths and of the copies' destinations, a
// source bundle that is a link, a font with a name near the file system's
// limit, and a volume that goes away while a run is under way. Each runs the
// real engine on real folders; nothing outside the volume may change.

#include "framework/files/FileSystem.h"
#include "framework/files/WorkPump.h"
#include "framework/runtime/Exception.h"
#include "framework/ui/BackgroundTask.h"
#include "install/Install.h"
#include "tests/support/EngineFixture.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::EngineFixture;
using testing_support::EngineSandbox;
using testing_support::TempFolder;
using testing_support::Tree;
using Messages = std::vector<std::string>;

const std::string& kInstalled = testing_support::kInstalledMessage;
const std::string& kRemoved = testing_support::kRemovedMessage;
const std::string& kBundle = testing_support::kInstalledBundle;
const std::string& kFontsFolder = testing_support::kInstalledFontsFolder;

Tree withoutUnder(Tree tree, const std::string& prefix) {
    std::erase_if(tree, [&](const auto& entry) {
        return entry.first == prefix || entry.first.starts_with(prefix + "/");
    });
    return tree;
}

// The class name of what `run` raised, or "nothing".
std::string raisedBy(const std::function<void()>& run) {
    try {
        run();
    } catch (const fw::RaisedException& e) {
        return e.exception() ? e.exception()->className() : "nil";
    }
    return "nothing";
}

// Puts what is at `relative` on the volume into `outside` and leaves a link to it in its place.
void replaceByLink(const EngineSandbox& sb, const std::string& relative, const fs::path& outside) {
    const fs::path place = sb.volume() / relative;
    const fs::path target = outside / place.filename();
    fs::rename(place, target);
    fs::create_symlink(target, place);
}

// Runs each case once with the kernel's link-free lookup and once with the
// walk that stands in for it on kernels without one.
class BothWalks : public ::testing::Test {
protected:
    void TearDown() override { fw::posix::SetWalkWithoutOpenat2ForTesting(false); }
    static constexpr bool kWalks[] = {false, true};
};

// ---------------------------------------------------------------------------
// Links at every step

using LinksOnTheWay = BothWalks;

TEST_F(LinksOnTheWay, ARemovalNeverDeletesThroughALinkAndAnInstallationNeverCopiesThroughOne) {
    enum class Branch { Removal, Installation };
    struct Case {
        const char* name;
        Branch branch;
        std::string link; // relative to the volume
        Messages messages;
        int backgroundTasks;
        bool bundleRemoved = false;  // removal: steps 1 to 8 went through
        bool keyboardCopied = false; // installation
        bool fontsCopied = false;
    };
    const std::string code = std::to_string(ELOOP);
    const Case cases[] = {
        // The first single step meets the link and ends the run.
        {"removal, Library", Branch::Removal, "Library", {code}, 0},
        {"removal, Keyboard Layouts", Branch::Removal, "Library/Keyboard Layouts", {code}, 0},
        {"removal, bundle", Branch::Removal, kBundle, {code}, 0},
        {"removal, Contents", Branch::Removal, kBundle + "/Contents", {code}, 0},
        {"removal, Resources", Branch::Removal, kBundle + "/Contents/Resources", {code}, 0},
        {"removal, English.lproj", Branch::Removal, kBundle + "/Contents/Resources/English.lproj", {code}, 0},
        // The bundle goes; the first font meets the link and leaves the series.
        {"removal, Fonts", Branch::Removal, "Library/Fonts", {code}, 8, true},
        {"removal, fonts folder", Branch::Removal, kFontsFolder, {code}, 8, true},
        // Each copy whose destination lies behind a link reports it and leaves its series.
        {"installation, Library", Branch::Installation, "Library", {code, code}, 0},
        {"installation, Keyboard Layouts",
         Branch::Installation,
         "Library/Keyboard Layouts",
         {code},
         1,
         false,
         false,
         true},
        {"installation, Fonts", Branch::Installation, "Library/Fonts", {code}, 1, false, true, false},
    };
    for (const bool walk : kWalks) {
        fw::posix::SetWalkWithoutOpenat2ForTesting(walk);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (walk ? ", walking" : ", in the kernel"));
            EngineSandbox sb;
            TempFolder outside;
            if (c.branch == Branch::Removal)
                sb.layInstalled();
            const Tree installed = sb.installedVolumeTree();
            replaceByLink(sb, c.link, outside.path());
            const Tree before = sb.volumeTree(), outsideBefore = testing_support::snapshot(outside.path());
            const Tree application = sb.applicationTree();

            sb.runInstaller();

            EXPECT_EQ(sb.messages(), c.messages);
            EXPECT_EQ(sb.backgroundTasks(), c.backgroundTasks);
            EXPECT_EQ(testing_support::snapshot(outside.path()), outsideBefore);
            Tree expected = before;
            if (c.bundleRemoved)
                expected = withoutUnder(expected, kBundle);
            if (c.keyboardCopied)
                expected.merge(withoutUnder(withoutUnder(installed, kFontsFolder), "Library/Fonts"));
            if (c.fontsCopied)
                expected.merge(withoutUnder(installed, "Library/Keyboard Layouts"));
            EXPECT_EQ(sb.volumeTree(), expected);
            EXPECT_EQ(sb.applicationTree(), application);
        }
    }
}

using RealVolumes = EngineFixture;

TEST_F(RealVolumes, ALinkedSourceBundleIsInstalledAsARealFolderAndItsSourcesOutliveTheRemoval) {
    EngineSandbox& sb = sandbox();
    const fs::path shared = sb.applicationFolder() / "Shared" / "Skelvanta.bundle";
    fs::create_directories(shared.parent_path());
    fs::rename(sb.sourceBundle(), shared);
    fs::create_symlink(shared, sb.sourceBundle());
    const Tree application = sb.applicationTree();

    sb.runInstaller();
    EXPECT_EQ(sb.messages(), Messages{kInstalled});
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(sb.installedBundle())));
    EXPECT_EQ(testing_support::snapshot(sb.installedBundle()), testing_support::snapshot(shared));

    sb.runInstaller();
    EXPECT_EQ(sb.messages(), (Messages{kInstalled, kRemoved}));
    EXPECT_EQ(sb.volumeTree(), EngineSandbox::removedVolumeTree());
    EXPECT_EQ(sb.applicationTree(), application);
}

TEST_F(RealVolumes, AFontNamedNearTheNameLimitIsInstalledRemovedAndInstalledAgain) {
    EngineSandbox& sb = sandbox();
    const std::string longName = std::string(250, 'q') + ".ttf"; // 254 bytes
    sb.writeResource(std::string("Quorvan Tamil Fonts/") + longName, "a font the catalogue does not list");

    sb.runInstaller();
    EXPECT_EQ(sb.volumeTree(), sb.installedVolumeTree());
    sb.runInstaller();
    Tree removed = EngineSandbox::removedVolumeTree();
    removed[kFontsFolder + "/" + longName] = "f:a font the catalogue does not list";
    EXPECT_EQ(sb.volumeTree(), removed);
    sb.runInstaller(); // merges into the fonts folder the removal left
    EXPECT_EQ(sb.messages(), (Messages{kInstalled, kRemoved, kInstalled}));
    EXPECT_EQ(sb.volumeTree(), sb.installedVolumeTree());
}

// ---------------------------------------------------------------------------
// A volume that goes away during a run: the next look for it finds none, and
// the run ends there with NilObjectException.

TEST(VolumeGoesAway, TheRunEndsAtTheNextLookForItWithNothingMoreDone) {
    enum class When { AfterKeyboardRow4, AfterFontRow10, DuringKeyboardCopy, AfterKeyboardCopy };
    struct Case {
        const char* name;
        When when;
        bool installed;
    };
    const Case cases[] = {
        {"removal, after keyboard row 4", When::AfterKeyboardRow4, true},
        {"removal, after font row 10", When::AfterFontRow10, true},
        {"installation, during the keyboard copy", When::DuringKeyboardCopy, false},
        {"installation, after the keyboard copy", When::AfterKeyboardCopy, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineSandbox sb;
        if (c.installed)
            sb.layInstalled();
        const fs::path gone = sb.volume().string() + "-gone";
        static std::function<void()> goAway;
        goAway = [&] {
            if (fs::exists(sb.volume()))
                fs::rename(sb.volume(), gone);
        };
        int tasks = 0;
        const int goAfter = c.when == When::AfterKeyboardRow4 ? 4 : c.when == When::AfterFontRow10 ? 18 : 1;
        fw::SetBackgroundTaskObserverForTesting([&] {
            if (++tasks == goAfter && c.when != When::DuringKeyboardCopy)
                goAway();
        });
        if (c.when == When::DuringKeyboardCopy) {
            fw::SetFileWorkPump([] { goAway(); });
            std::this_thread::sleep_for(std::chrono::milliseconds(20)); // the pump is due
        }
        const Tree before = sb.volumeTree();

        EXPECT_EQ(raisedBy([&] { installer::install(sb.window()); }), "NilObjectException");
        fw::SetFileWorkPump(nullptr);
        ASSERT_TRUE(fs::exists(gone));
        const Tree left = testing_support::snapshot(gone);
        fs::rename(gone, sb.volume());

        EXPECT_EQ(sb.messages(), Messages{});
        Tree expected = before;
        if (c.installed) {
            // Everything up to the pass that called the background task is gone, nothing after it.
            const std::string resources = kBundle + "/Contents/Resources/";
            expected.erase(resources + "English.lproj/InfoPlist.strings");
            expected.erase(resources + "English.lproj");
            for (int row = 0; row < 4; ++row)
                expected.erase(resources + testing_support::kKeyboardFiles[row]);
            if (c.when == When::AfterFontRow10) {
                expected = withoutUnder(expected, kBundle);
                for (int row = 0; row < 10; ++row)
                    expected.erase(kFontsFolder + "/" + testing_support::kFontFiles[row]);
            }
        } else {
            // The keyboard copy finished where it began; the fonts were never copied.
            expected.merge(
                withoutUnder(withoutUnder(sb.installedVolumeTree(), kFontsFolder), "Library/Fonts"));
        }
        EXPECT_EQ(left, expected);
    }
}

} // namespace

// A whole run of the program, counted: start-up, a press that installs, a
// press that removes and shut-down leave alive only what the program keeps
// for the rest of the process on purpose. Of what it keeps, only the window
// picture is a framework object: the plug-in table and the class records are
// plain data. The picture is made once per process, so the run is the only
// test in this program.

#include "app/Program.h"
#include "framework/runtime/Object.h"
#include "framework/ui/EventLoopTesting.h"
#include "framework/ui/RoundRectangle.h"
#include "framework/ui/WindowList.h"
#include "framework/ui/WindowWidget.h"
#include "install/Catalogue.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PressButton.h"
#include "tests/support/StartupTrace.h"
#include "window/Window1.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

using testing_support::EngineSandbox;
using testing_support::pressTheButton;
using Census = std::map<std::string, int>;

void writePicture(const std::filesystem::path& file) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "JPG"));
}

// What each press left on the volume and said, read inside the loop.
struct Press {
    testing_support::Tree volume;
    std::vector<std::string> messages;
};

Press pressAndRecord(EngineSandbox& sandbox) {
    sandbox.resetRecords();
    pressTheButton();
    return {sandbox.volumeTree(), sandbox.messages()};
}

TEST(ReferenceAccounting, AWholeRunThatInstallsAndRemovesLeavesOnlyTheWindowPictureAlive) {
    EngineSandbox sandbox; // its own window is made before the count starts
    writePicture(sandbox.resources() / "Quorvan BG.jpg");
    testing_support::StartupTrace trace;
    std::vector<Press> presses;
    trace.onIdle([&] {
        presses.push_back(pressAndRecord(sandbox));
        presses.push_back(pressAndRecord(sandbox));
        fw::CloseAllWindows();
    });

    fw::TrackLiveObjectsForTesting(true);
    const std::int64_t before = fw::Object::liveCount();
    const std::int32_t status = programMain();
    const std::int64_t made = fw::Object::liveCount() - before;
    const Census alive = fw::LiveObjectsForTesting();
    fw::TrackLiveObjectsForTesting(false);

    // The run did what it is counted for.
    EXPECT_EQ(status, 0);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].volume, sandbox.installedVolumeTree());
    EXPECT_EQ(presses[0].messages, std::vector<std::string>{installer::kInstalledMessage.str()});
    EXPECT_EQ(presses[1].volume, EngineSandbox::removedVolumeTree());
    EXPECT_EQ(presses[1].messages, std::vector<std::string>{installer::kRemovedMessage.str()});

    EXPECT_EQ(alive, (Census{{"Picture", 1}}));
    int listed = 0;
    for (const auto& [name, count] : alive)
        listed += count;
    EXPECT_EQ(made, listed) << "the live count and the table of live objects disagree";
}

} // namespace

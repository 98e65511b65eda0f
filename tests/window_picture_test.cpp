// The window picture: read from the application's resources on its first
// use, tried again while it is missing, then kept for the rest of the run.
// The accessor's cache belongs to the process, so the whole life of it is
// one test in a program of its own.

#include "app/Program.h"
#include "framework/runtime/Exception.h"
#include "framework/ui/ApplicationResources.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/EventLoopTesting.h"
#include "framework/ui/WindowWidget.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/Raised.h"
#include "tests/support/TempFolder.h"
#include "window/MenuBar1.h"
#include "window/Window1.h"
#include "window/WindowPicture.h"

#include <QApplication>
#include <QImage>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace fs = std::filesystem;
using fw::Ref;

const auto& raisedBy = testing_support::nameOfRaised;

const QColor kPictureColour(200, 30, 40);

void writePicture(const fs::path& file) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(kPictureColour);
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "JPG"));
}

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
           std::abs(a.blue() - b.blue()) < 12;
}

class WindowPicture : public testing_support::ProgramFixture {
protected:
    fs::path pictureFile() { return sandbox().resources() / "Quorvan BG.jpg"; }
};

TEST_F(WindowPicture, IsTriedUntilItIsReadAndThenKeptWithoutOpeningTheFileAgain) {
    // No resources folder: nil, and nothing raised.
    const fs::path kept = sandbox().resources().parent_path() / "Resources.away";
    fs::rename(sandbox().resources(), kept);
    EXPECT_FALSE(fw::GetApplicationBundleResources());
    EXPECT_EQ(raisedBy([] { EXPECT_FALSE(x_QuorvanBG::QuorvanBG()); }), "nothing");
    fs::rename(kept, sandbox().resources());

    // No picture file: the window opens without a backdrop, with the menu bar
    // and its record applied.
    {
        const Ref<Window1::Window1> window = Window1::Instance();
        EXPECT_FALSE(window->windowState().backdrop);
        EXPECT_EQ(window->windowState().menuBar.get(), MenuBar1::Instance().get());
        EXPECT_EQ(window->windowState().width, 333);
        EXPECT_FALSE(window->windowState().title.empty());
        fw::CloseAllWindows();
    }

    // A file that holds no picture: nil again.
    testing_support::writeFile(pictureFile(), "not a picture");
    EXPECT_FALSE(x_QuorvanBG::QuorvanBG());

    // A real one: read now, and from then on the same picture, file or no file.
    writePicture(pictureFile());
    const Ref<fw::Picture> picture = x_QuorvanBG::QuorvanBG();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 40);
    EXPECT_EQ(picture->Height(), 30);
    fs::remove(pictureFile());
    EXPECT_EQ(x_QuorvanBG::QuorvanBG().get(), picture.get());

    // The next window shows it as its backdrop, unscaled at the top-left.
    const Ref<Window1::Window1> window = Window1::Instance();
    EXPECT_EQ(window->windowState().backdrop.get(), picture.get());
    const QImage shot = fw::WidgetOf(*window)->grab().toImage();
    EXPECT_TRUE(near(shot.pixel(2, 2), kPictureColour));
    EXPECT_TRUE(near(shot.pixel(37, 27), kPictureColour));
    EXPECT_FALSE(near(shot.pixel(45, 35), kPictureColour)) << "drawn at its own size";
    EXPECT_FALSE(near(shot.pixel(300, 400), kPictureColour));
}

// What the resources lookup gives: "folder", "nil" or the exception raised.
std::string resourcesOutcome() {
    try {
        return fw::GetApplicationBundleResources() ? "folder" : "nil";
    } catch (const fw::RaisedException& e) {
        return e.exception()->className();
    }
}

TEST_F(WindowPicture, TheResourcesFolderIsTwoLevelsAboveTheApplicationFile) {
    EXPECT_EQ(NotNil(fw::GetApplicationBundleResources()).path(), sandbox().resources());

    const testing_support::TempFolder elsewhere;
    fs::create_directories(elsewhere / "Bare.app/Contents/MacOS");
    struct Case {
        const char* name;
        fs::path file;
        const char* outcome; // "nil", or the exception raised
    };
    const Case cases[] = {
        {"a bundle without resources", elsewhere / "Bare.app/Contents/MacOS/app", "nil"},
        {"an application file not on disk", elsewhere / "Gone.app/Contents/MacOS/app", "nil"},
        {"no folder two levels up", "/app", "NilObjectException"},
        {"a bare name", "app", "NilObjectException"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fw::SetApplicationFileForTesting(c.file);
        EXPECT_EQ(resourcesOutcome(), c.outcome);
    }
}

} // namespace

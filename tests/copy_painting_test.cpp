// The installer window keeps painting while a press copies a large file: the
// file services give the window its chance between the pieces of the file,
// not only between files or at the background task after the copy. Paints
// are counted on the real window (offscreen Qt) when they happen inside the
// copy itself: while the fonts folder is still staged under its hidden name
// and not yet in place.

#include "framework/files/WorkPump.h"
#include "framework/ui/WindowWidget.h"
#include "tests/support/ProgramFixture.h"
#include "window/Window1.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QWindow>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLargeFileBytes = 64 << 20;
// The file is copied in pieces of a few MiB, sixteen or more: with a chance
// to paint after each, a paint is due at every other one at least (a paint
// asked for while one is drawn is drawn at the next chance but one). Chances
// only between files would give one.
constexpr int kLeastPaintsInsideTheCopy = 4;

// Counts the paints of the window's content area (its backdrop), asking for
// the next one after each, so that whenever events are handled there is a
// paint to do.
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget& view, fs::path destination, fs::path installed)
        : view_(view), destination_(std::move(destination)), installed_(std::move(installed)) {
        view_.installEventFilter(this);
    }
    ~PaintCounter() override { view_.removeEventFilter(this); }

    int insideTheCopy = 0;
    int outsideTheCopy = 0;

    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (receiver == &view_ && event->type() == QEvent::Paint) {
            ++(copyUnderWay() ? insideTheCopy : outsideTheCopy);
            view_.update();
        }
        return false;
    }

private:
    // The fonts folder is staged (a hidden folder in the destination) and not yet published.
    bool copyUnderWay() const {
        if (fs::exists(fs::symlink_status(installed_)))
            return false;
        for (const fs::directory_entry& e : fs::directory_iterator(destination_))
            if (e.path().filename().string().starts_with(".") && e.is_directory())
                return true;
        return false;
    }

    QWidget& view_;
    fs::path destination_;
    fs::path installed_;
};

class PaintingDuringACopy : public testing_support::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        // The pump runs at every chance the file services give it, so that
        // the count of paints says how many chances there were, whatever the
        // speed of the disk.
        fw::SetFileWorkPumpIntervalForTesting(std::chrono::milliseconds(0));
    }
    void TearDown() override {
        fw::SetFileWorkPumpIntervalForTesting(fw::kFileWorkPumpInterval);
        window.reset();
        ProgramFixture::TearDown();
    }

    // The fonts folder holds one large font and nothing else: the copy has
    // one file to give chances inside, none between files.
    void makeTheFontsOneLargeFile() {
        for (const fs::directory_entry& e : fs::directory_iterator(sandbox().sourceFonts()))
            fs::remove(e.path());
        std::ofstream out(sandbox().sourceFonts() / "Large.ttf", std::ios::binary);
        std::vector<char> block(1 << 20);
        for (std::size_t written = 0; written < kLargeFileBytes; written += block.size()) {
            block[written % block.size()] = static_cast<char>(written >> 20); // no two blocks alike
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
        }
        ASSERT_TRUE(out.flush());
    }

    fw::Ref<Window1::Window1> window;
};

TEST_F(PaintingDuringACopy, TheWindowPaintsBetweenThePiecesOfALargeFile) {
    makeTheFontsOneLargeFile();
    window = Window1::Instance();
    QCoreApplication::processEvents();
    fw::WindowWidget& view = *fw::WidgetOf(*window);
    PaintCounter paints(*view.content(), sandbox().fonts(), sandbox().installedFonts());

    QTest::mouseClick(view.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(166, 227));
    QCoreApplication::processEvents();

    ASSERT_EQ(fs::file_size(sandbox().installedFonts() / "Large.ttf"), kLargeFileBytes)
        << "the press installed";
    EXPECT_GE(paints.insideTheCopy, kLeastPaintsInsideTheCopy)
        << "paints outside the copy: " << paints.outsideTheCopy;
}

} // namespace

// A picture file is read by what it holds, whatever its name says: the
// formats a window picture comes in, under a wrong name, and files that
// begin like a picture but hold none.

#include "framework/files/FolderItem.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/Picture.h"
#include "tests/support/TempFolder.h"

#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Case {
    const char* name;   // the file's name
    const char* format; // what it holds: a format Qt writes, or nothing (raw bytes)
    std::string bytes;  // the bytes, when it holds no picture
    bool readable;
};

TEST(Picture, IsReadByItsContentsNotItsName) {
    fw::EnsureGuiApplication();
    const Case cases[] = {
        {"a.jpg", "JPG", {}, true},
        {"a png under a jpeg name.jpg", "PNG", {}, true},
        {"a jpeg under a png name.png", "JPG", {}, true},
        {"a bitmap under no suffix", "BMP", {}, true},
        {"a jpeg in name only.jpg", nullptr, "\xFF\xD8\xFF not a picture", false},
        {"a png in name only.png", nullptr, "\x89PNG\r\n\x1A\n and nothing after", false},
        {"empty.jpg", nullptr, "", false},
    };
    testing_support::TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = folder.path() / c.name;
        if (c.format) {
            QImage image(7, 5, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            ASSERT_TRUE(image.save(QString::fromStdString(file.string()), c.format));
        } else {
            testing_support::writeFile(file, c.bytes);
        }
        const fw::Ref<fw::Picture> picture = fw::FolderItem::at(file)->OpenAsPicture();
        ASSERT_EQ(bool(picture), c.readable);
        if (picture) {
            EXPECT_EQ(picture->Width(), 7);
            EXPECT_EQ(picture->Height(), 5);
        }
    }
}

} // namespace

// The demo application bundle that the build generates: it must hold every
// entry of the installer's catalogue and nothing the removal would trip on,
// in files that readers of each kind accept.

#include "install/Catalogue.h"
#include "tests/support/TempFolder.h"
#include "tools/DemoBundleLocation.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::snapshot;

const fs::path kContents = demo::kDemoBundleContents;
const fs::path kResources = kContents / "Resources";

std::vector<std::string> rowsOf(const fw::Ref<fw::Array>& list) {
    std::vector<std::string> rows;
    for (std::int32_t i = 0; i <= list->Ubound(1); ++i)
        rows.push_back(list->StringAt(i).str());
    return rows;
}

std::set<std::string> entriesBelow(const fs::path& root) {
    std::set<std::string> names;
    for (const auto& [name, contents] : snapshot(root))
        names.insert(name);
    return names;
}

std::vector<std::string> keyboardFilesEndingIn(const std::string& extension) {
    std::vector<std::string> rows = rowsOf(installer::makeKeyboardItems());
    std::vector<std::string> found;
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (fs::path(rows[i]).extension() == extension)
            found.push_back(rows[i]);
    return found;
}

QByteArray bytesOf(const fs::path& file) {
    const std::string bytes = readFile(file);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The XML document's root element and its attributes, with every element
// name seen; parse errors are reported as a test failure.
struct XmlOutline {
    QString doctype;
    QString root;
    QXmlStreamAttributes rootAttributes;
    std::set<QString> elements;
    std::vector<QString> keyOutputs;
};

XmlOutline outlineOf(const fs::path& file) {
    XmlOutline outline;
    QXmlStreamReader xml(bytesOf(file));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isDTD())
            outline.doctype = xml.text().toString();
        if (!xml.isStartElement())
            continue;
        if (outline.root.isEmpty()) {
            outline.root = xml.name().toString();
            outline.rootAttributes = xml.attributes();
        }
        outline.elements.insert(xml.name().toString());
        if (xml.name() == u"key")
            outline.keyOutputs.push_back(xml.attributes().value("output").toString());
    }
    EXPECT_FALSE(xml.hasError()) << file << ": " << xml.errorString().toStdString() << " at line "
                                 << xml.lineNumber();
    return outline;
}

// The text of the string that follows <key>`key`</key> in a property list.
std::string stringForKey(const fs::path& plist, const QString& key) {
    QXmlStreamReader xml(bytesOf(plist));
    bool afterKey = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"key")
            afterKey = xml.readElementText() == key;
        else if (afterKey && xml.name() == u"string")
            return xml.readElementText().toStdString();
        else
            afterKey = false;
    }
    return {};
}

bool isTamil(const QString& text) {
    return !text.isEmpty() && text.front().unicode() >= 0x0B80 && text.front().unicode() <= 0x0BFF;
}

std::uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

// The removal deletes the bundle's known entries one by one and each folder
// only when it is empty, so one extra entry would leave the bundle behind.
TEST(DemoBundle, KeyboardBundleHoldsExactlyTheEntriesTheRemovalDeletes) {
    const std::vector<std::string> rows = rowsOf(installer::makeKeyboardItems());
    std::set<std::string> expected{"Contents",
                                   "Contents/Info.plist",
                                   "Contents/version.plist",
                                   "Contents/Resources",
                                   "Contents/Resources/English.lproj",
                                   "Contents/Resources/English.lproj/InfoPlist.strings"};
    for (std::size_t i = 1; i < rows.size(); ++i)
        expected.insert("Contents/Resources/" + rows[i]);

    EXPECT_EQ(entriesBelow(kResources / rows[0]), expected);
}

TEST(DemoBundle, FontsFolderHoldsEachCatalogueFontAsADistinctTrueTypeFile) {
    const std::vector<std::string> rows = rowsOf(installer::makeFontItems());
    const fs::path folder = kResources / rows[0];
    EXPECT_EQ(entriesBelow(folder), std::set<std::string>(rows.begin() + 1, rows.end()));

    std::set<std::string> contents;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i]);
        const std::string bytes = readFile(folder / rows[i]);
        EXPECT_EQ(bytes.substr(0, 4), std::string("\x00\x01\x00\x00", 4));
        contents.insert(bytes);
    }
    EXPECT_EQ(contents.size(), rows.size() - 1);
}

TEST(DemoBundle, KeyLayoutsAreWellFormedTamilLayoutsWithTheirOwnIdsAndNames) {
    const std::vector<std::string> layouts = keyboardFilesEndingIn(".keylayout");
    ASSERT_FALSE(layouts.empty());
    std::set<QString> ids, names;
    for (const std::string& name : layouts) {
        SCOPED_TRACE(name);
        const XmlOutline xml =
            outlineOf(kResources / installer::kKeyboardBundle.str() / "Contents/Resources" / name);
        EXPECT_TRUE(xml.doctype.contains(u"KeyboardLayout.dtd")) << xml.doctype.toStdString();
        EXPECT_EQ(xml.root, u"keyboard");
        for (const char* attribute : {"group", "id", "name"})
            EXPECT_TRUE(xml.rootAttributes.hasAttribute(attribute)) << attribute;
        EXPECT_LT(xml.rootAttributes.value("id").toInt(), 0);
        for (const char* element :
             {"layouts", "layout", "modifierMap", "keyMapSelect", "keyMapSet", "keyMap"})
            EXPECT_TRUE(xml.elements.count(element)) << element;
        EXPECT_GE(std::count_if(xml.keyOutputs.begin(), xml.keyOutputs.end(), isTamil), 10);
        ids.insert(xml.rootAttributes.value("id").toString());
        names.insert(xml.rootAttributes.value("name").toString());
    }
    EXPECT_EQ(ids.size(), layouts.size());
    EXPECT_EQ(names.size(), layouts.size());
}

TEST(DemoBundle, IconsAreIcnsContainersOfOnePngImage) {
    const std::vector<std::string> icons = keyboardFilesEndingIn(".icns");
    ASSERT_FALSE(icons.empty());
    for (const std::string& name : icons) {
        SCOPED_TRACE(name);
        const std::string bytes =
            readFile(kResources / installer::kKeyboardBundle.str() / "Contents/Resources" / name);
        ASSERT_GT(bytes.size(), 16u);
        EXPECT_EQ(bytes.substr(0, 4), "icns");
        EXPECT_EQ(bigEndian32(bytes, 4), bytes.size());
        EXPECT_EQ(bigEndian32(bytes, 12), bytes.size() - 8);
        const std::string png = bytes.substr(16);
        QImage image;
        EXPECT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(png.data()),
                                       static_cast<int>(png.size()), "PNG"));
        EXPECT_FALSE(image.isNull());
    }
}

TEST(DemoBundle, PropertyListsAreWellFormedAndNameTheExecutable) {
    const fs::path bundleContents = kResources / installer::kKeyboardBundle.str() / "Contents";
    for (const fs::path& plist :
         {kContents / "Info.plist", bundleContents / "Info.plist", bundleContents / "version.plist"}) {
        SCOPED_TRACE(plist);
        EXPECT_EQ(outlineOf(plist).root, u"plist");
    }

    const std::string executable = stringForKey(kContents / "Info.plist", "CFBundleExecutable");
    EXPECT_FALSE(executable.empty());
    EXPECT_TRUE(fs::is_regular_file(kContents / "MacOS" / executable)) << executable;
}

TEST(DemoBundle, BackdropIsAJpegOfTheWindowSize) {
    QImageReader reader(QString::fromStdString((kResources / "Quorvan BG.jpg").string()));
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(333, 455));
}

} // namespace

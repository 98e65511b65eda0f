// The three property records, byte for byte against the design's tables,
// and the string-constant form that carries them and every other text of
// the window.

#include "framework/runtime/Exception.h"
#include "framework/runtime/StringConstant.h"
#include "tests/RecordTables.h"
#include "window/PropertyRecords.h"
#include "window/Texts.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <vector>

using namespace std::literals;

namespace {

using records_tables::Entry;
using Bytes = std::vector<std::uint8_t>;

template <std::size_t N>
Bytes imageOf(const fw::StringConstant<N>& c) {
    return Bytes(c.image().begin(), c.image().end());
}

template <std::size_t N>
std::string textOf(const fw::StringConstant<N>& c) {
    return std::string(c.text().bytes());
}

std::uint32_t field(const Bytes& image, std::size_t at) {
    return image[at] | image[at + 1] << 8 | image[at + 2] << 16 |
           static_cast<std::uint32_t>(image[at + 3]) << 24;
}

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

struct RecordCase {
    const char* name;
    std::string bytes;               // the record as built
    const std::vector<Entry>* table; // the design's table
    std::size_t entries;
    std::size_t length; // 0: not given by the design
    Bytes image;        // the string constant
};

std::vector<RecordCase> recordCases() {
    using namespace Window1::records;
    return {
        {"window", textOf(kWindow), &records_tables::window(), 21, 0, imageOf(kWindow)},
        {"button", textOf(kButton), &records_tables::button(), 22, 282, imageOf(kButton)},
        {"label", textOf(kLabel), &records_tables::label(), 29, 385, imageOf(kLabel)},
    };
}

TEST(PropertyRecords, EachRecordIsItsTableEncodedEntryAfterEntry) {
    for (const RecordCase& r : recordCases()) {
        SCOPED_TRACE(r.name);
        ASSERT_EQ(r.table->size(), r.entries);
        std::string expected;
        for (const Entry& e : *r.table)
            expected += records_tables::encode(e);
        EXPECT_EQ(hex(r.bytes), hex(expected));
        if (r.length) {
            EXPECT_EQ(r.bytes.size(), r.length);
        }
    }
}

// The design's own sample bytes, independent of any encoder.
TEST(PropertyRecords, HoldTheSampleBytesOfTheDesign) {
    using namespace Window1::records;
    const std::string window = textOf(kWindow);
    EXPECT_NE(window.find("\x57\x69\x64\x74\x68\x20\x00\x00\x01\x4D"sv), std::string::npos) << "Width 333";
    EXPECT_NE(window.find("MaxWidth \x00\x00\x7D\x00"sv), std::string::npos);
    EXPECT_NE(window.find("BackColor \xFF\xFF\xFF"sv), std::string::npos);
    EXPECT_TRUE(window.ends_with("MacProcID \x00\x00\x00\x00"sv)) << "the record ends with its last Int32";

    const std::string label = textOf(kLabel);
    EXPECT_TRUE(label.starts_with("\x4E\x61\x6D\x65\x20\x00\x00\x00\x0A"
                                  "buttontext"sv));
    EXPECT_NE(label.find("Index \x80\x00\x00\x00"sv), std::string::npos) << "the least Int32";
    EXPECT_NE(label.find("Text \x00\x00\x00\x15"sv), std::string::npos) << "7 Tamil characters, 21 bytes";
    EXPECT_NE(label.find("Multiline \x00"sv), std::string::npos);
    EXPECT_TRUE(label.ends_with("InitialParent \x00\x00\x00\x0FRoundRectangle1"sv)) << "ends with a String";

    const std::string button = textOf(kButton);
    EXPECT_NE(button.find("HelpTag \x00\x00\x00\x00"
                          "AutoDeactivate \x01"sv),
              std::string::npos)
        << "an empty String is four zero bytes, and the next key follows at once";
    EXPECT_NE(button.find("FillColor \xD4\xFF\xDD"sv), std::string::npos);
    EXPECT_TRUE(button.ends_with("InitialParent \x00\x00\x00\x00"sv));
}

TEST(StringConstant, FieldsOfEachRecordDescribeItsStorage) {
    for (const RecordCase& r : recordCases()) {
        SCOPED_TRACE(r.name);
        const Bytes& image = r.image;
        const std::size_t n = r.bytes.size();
        ASSERT_EQ(image.size(), 20 + 1 + n + 4);
        EXPECT_EQ(field(image, 0), 1u) << "reference count";
        EXPECT_EQ(field(image, 4), 20u) << "storage: the offset of its length byte";
        EXPECT_EQ(field(image, 8), n + 5) << "storage size";
        EXPECT_EQ(field(image, 12), n) << "byte length";
        EXPECT_EQ(field(image, 16), 0x08000100u) << "UTF-8";
        EXPECT_GT(n, 255u);
        EXPECT_EQ(image[20], 255) << "length byte of a text of 255 bytes or more";
        EXPECT_EQ(Bytes(image.begin() + 21, image.end() - 4), Bytes(r.bytes.begin(), r.bytes.end()));
        EXPECT_EQ(Bytes(image.end() - 4, image.end()), Bytes(4, 0));
    }
}

TEST(StringConstant, AShortTextKeepsItsLengthByteAndEveryByte) {
    constexpr fw::StringConstant withZero(fw::LiteralBytes("a\0b"), fw::Encoding::UTF8);
    const Bytes image = imageOf(withZero);
    EXPECT_EQ(image[20], 3);
    EXPECT_EQ(field(image, 12), 3u);
    const fw::String text = withZero.text();
    EXPECT_EQ(text.bytes(), "a\0b"sv);
    EXPECT_EQ(text.encoding(), fw::Encoding::UTF8);

    constexpr fw::StringConstant at255(fw::ConstantBytes<255>{}, fw::Encoding::UTF8);
    EXPECT_EQ(imageOf(at255)[20], 255);
    EXPECT_EQ(at255.text().size(), 255u);
    constexpr fw::StringConstant at254(fw::ConstantBytes<254>{}, fw::Encoding::UTF8);
    EXPECT_EQ(imageOf(at254)[20], 254);
}

// The two handler signatures are the window's only ASCII texts.
TEST(StringConstant, OnlyTheHandlerSignaturesAreTaggedAscii) {
    using namespace Window1::texts;
    const std::vector<std::pair<fw::String, fw::Encoding>> texts = {
        {kButtonName.text(), fw::Encoding::UTF8},          {kLabelName.text(), fw::Encoding::UTF8},
        {kPictureFile.text(), fw::Encoding::UTF8},         {kLibrary.text(), fw::Encoding::UTF8},
        {kKeyboardLayouts.text(), fw::Encoding::UTF8},     {kKeyboardBundle.text(), fw::Encoding::UTF8},
        {kRemoveWord.text(), fw::Encoding::UTF8},          {kInstallWord.text(), fw::Encoding::UTF8},
        {kMouseDownSignature.text(), fw::Encoding::ASCII}, {kMouseEnterSignature.text(), fw::Encoding::ASCII},
    };
    for (const auto& [text, encoding] : texts) {
        SCOPED_TRACE(text.str());
        EXPECT_EQ(text.encoding(), encoding);
    }
    EXPECT_EQ(field(imageOf(kMouseEnterSignature), 16), 0x600u);
    EXPECT_EQ(kMouseDownSignature.text().str(), "( RoundRectangle, Int32, Int32 ) as Boolean");
    EXPECT_EQ(kRemoveWord.text().size(), 21u);
    EXPECT_EQ(kInstallWord.text().size(), 21u);
}

// A constant whose fields disagree is refused, whatever field is off.
TEST(StringConstant, AMalformedConstantIsRefusedNotRead) {
    const Bytes good = imageOf(Window1::texts::kButtonName);
    const std::size_t length = field(good, 12);
    struct Case {
        const char* name;
        std::function<void(Bytes&)> spoil;
    };
    const auto setField = [](Bytes& b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    const Case cases[] = {
        {"shorter than its fields", [](Bytes& b) { b.resize(19); }},
        {"no reference", [&](Bytes& b) { setField(b, 0, 0); }},
        {"storage before the fields", [&](Bytes& b) { setField(b, 4, 4); }},
        {"storage past the end", [&](Bytes& b) { setField(b, 4, 0xFFFFFFF0u); }},
        {"storage size not length + 5",
         [&](Bytes& b) { setField(b, 8, static_cast<std::uint32_t>(length + 6)); }},
        {"byte length past the storage", [&](Bytes& b) { setField(b, 12, 0xFFFFFFFFu); }},
        {"unknown encoding", [&](Bytes& b) { setField(b, 16, 0x1234); }},
        {"wrong length byte", [](Bytes& b) { b[20] = 3; }},
        {"no zero bytes after the text", [](Bytes& b) { b.back() = 'x'; }},
        {"cut short", [](Bytes& b) { b.pop_back(); }},
    };
    EXPECT_EQ(fw::StringFromConstant(good).str(), "RoundRectangle1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes spoilt = good;
        c.spoil(spoilt);
        EXPECT_THROW(fw::StringFromConstant(spoilt), fw::RaisedException);
    }
}

} // namespace

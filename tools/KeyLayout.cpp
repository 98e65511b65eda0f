#include "tools/KeyLayout.h"

#include "tools/XmlText.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace demo {
namespace {

// Virtual key codes of the letter keys, top row to bottom row.
constexpr std::array<int, 26> kLetterKeys{12, 13, 14, 15, 17, 16, 32, 34, 31, 35, 0,  1,  2,
                                          3,  5,  4,  38, 40, 37, 6,  7,  8,  9,  11, 45, 46};
// Virtual key codes of the digit keys 1 to 9, then 0.
constexpr std::array<int, 10> kDigitKeys{18, 19, 20, 21, 23, 22, 26, 28, 25, 29};
constexpr int kSpaceKey = 49;
constexpr int kCommaKey = 43;
constexpr int kPeriodKey = 47;

constexpr std::array<std::string_view, 30> kLetters{"அ", "ஆ", "இ", "ஈ", "உ", "ஊ", "எ", "ஏ", "ஐ", "ஒ",
                                                    "ஓ", "ஔ", "க", "ங", "ச", "ஞ", "ட", "ண", "த", "ந",
                                                    "ப", "ம", "ய", "ர", "ல", "வ", "ழ", "ள", "ற", "ன"};
constexpr std::array<std::string_view, 17> kSignsAndGrantha{"ா", "ி", "ீ", "ு", "ூ", "ெ", "ே", "ை", "ொ",
                                                            "ோ", "ௌ", "்", "ஃ", "ஜ", "ஷ", "ஸ", "ஹ"};
constexpr std::array<std::string_view, 10> kTamilDigits{"௧", "௨", "௩", "௪", "௫", "௬", "௭", "௮", "௯", "௦"};
constexpr std::array<std::string_view, 10> kLatinDigits{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};

void appendKey(std::string& out, int code, std::string_view output) {
    out += "\t\t\t<key code=\"" + std::to_string(code) + "\" output=\"" + escapeXml(output) + "\"/>\n";
}

// One modifier state's map. Letters are rotated by the variant so that no two
// layouts of the bundle agree.
void appendKeyMap(std::string& out, int index, int variant) {
    const bool shifted = index == 1;
    out += "\t\t<keyMap index=\"" + std::to_string(index) + "\">\n";
    for (std::size_t k = 0; k < kLetterKeys.size(); ++k) {
        const std::size_t v = static_cast<std::size_t>(variant);
        std::string_view output = shifted ? kSignsAndGrantha[(k + 3 * v) % kSignsAndGrantha.size()]
                                          : kLetters[(k + 7 * v) % kLetters.size()];
        appendKey(out, kLetterKeys[k], output);
    }
    for (std::size_t k = 0; k < kDigitKeys.size(); ++k)
        appendKey(out, kDigitKeys[k], shifted ? kLatinDigits[k] : kTamilDigits[k]);
    appendKey(out, kSpaceKey, " ");
    appendKey(out, kCommaKey, ",");
    appendKey(out, kPeriodKey, ".");
    out += "\t\t</keyMap>\n";
}

} // namespace

std::string keyLayoutXml(const KeyLayoutIdentity& layout) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE keyboard SYSTEM \"file://localhost/System/Library/DTDs/KeyboardLayout.dtd\">\n";
    // Group 126 marks a Unicode layout.
    out += "<keyboard group=\"126\" id=\"" + std::to_string(layout.id) + "\" name=\"" +
           escapeXml(layout.name) + "\" maxout=\"1\">\n";
    out += "\t<layouts>\n"
           "\t\t<layout first=\"0\" last=\"17\" modifiers=\"Modifiers\" mapSet=\"TamilKeys\"/>\n"
           "\t</layouts>\n"
           "\t<modifierMap id=\"Modifiers\" defaultIndex=\"0\">\n"
           "\t\t<keyMapSelect mapIndex=\"0\">\n"
           "\t\t\t<modifier keys=\"\"/>\n"
           "\t\t</keyMapSelect>\n"
           "\t\t<keyMapSelect mapIndex=\"1\">\n"
           "\t\t\t<modifier keys=\"anyShift caps?\"/>\n"
           "\t\t</keyMapSelect>\n"
           "\t</modifierMap>\n"
           "\t<keyMapSet id=\"TamilKeys\">\n";
    appendKeyMap(out, 0, layout.variant);
    appendKeyMap(out, 1, layout.variant);
    out += "\t</keyMapSet>\n"
           "</keyboard>\n";
    return out;
}

} // namespace demo

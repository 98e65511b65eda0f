// Writes the fuzz targets' seed inputs and dictionaries into the fuzz folder
// given as the only argument: the three property records, every string
// constant of the window, the member signature texts of the three target
// classes, and the property names those classes know.

#include "app/Program.h"
#include "framework/runtime/ClassRecord.h"
#include "framework/ui/Label.h"
#include "framework/ui/RoundRectangle.h"
#include "window/PropertyRecords.h"
#include "window/Texts.h"
#include "window/Window1.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace records = Window1::records;
namespace texts = Window1::texts;

void write(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

template <std::size_t N>
std::string_view imageOf(const fw::StringConstant<N>& constant) {
    return {reinterpret_cast<const char*>(constant.image().data()), constant.image().size()};
}

void writePropertySeeds(const fs::path& corpus) {
    for (const char* target : {"window_properties", "button_properties", "label_properties"}) {
        // Every target gets all three records: the others' keys are mostly
        // foreign to it, which is worth trying too.
        write(corpus / target / "window.record", records::kWindow.text().bytes());
        write(corpus / target / "button.record", records::kButton.text().bytes());
        write(corpus / target / "label.record", records::kLabel.text().bytes());
    }
}

void writeConstantSeeds(const fs::path& folder) {
    const auto put = [&](const char* name, std::string_view image) {
        write(folder / (std::string(name) + ".constant"), image);
    };
    put("window-record", imageOf(records::kWindow)); // over 255 bytes: the length byte saturates
    put("button-record", imageOf(records::kButton));
    put("label-record", imageOf(records::kLabel));
    put("button-name", imageOf(texts::kButtonName));
    put("label-name", imageOf(texts::kLabelName));
    put("mouse-down-signature", imageOf(texts::kMouseDownSignature)); // ASCII
    put("mouse-enter-signature", imageOf(texts::kMouseEnterSignature));
    put("picture-file", imageOf(texts::kPictureFile));
    put("library", imageOf(texts::kLibrary));
    put("keyboard-layouts", imageOf(texts::kKeyboardLayouts));
    put("keyboard-bundle", imageOf(texts::kKeyboardBundle));
    put("remove-word", imageOf(texts::kRemoveWord));
    put("install-word", imageOf(texts::kInstallWord));
}

std::vector<const fw::ClassRecord*> chain(const fw::ClassRecord* record) {
    std::vector<const fw::ClassRecord*> out;
    for (; record; record = record->parent)
        out.push_back(record);
    return out;
}

// One seed per distinct signature, named after the first member that has it.
void writeSignatureSeeds(const fs::path& folder) {
    std::set<std::string> seen;
    for (const fw::ClassRecord* target :
         {Window1::Window1::Lookup(), fw::RoundRectangle::Lookup(), fw::Label::Lookup()})
        for (const fw::ClassRecord* c : chain(target))
            for (const fw::MemberEntry& m : c->members)
                if (seen.insert(m.signature.str()).second)
                    write(folder / (m.name.str() + ".signature"), m.signature.bytes());
}

// Each property name with the blank that ends a key.
void writeDictionary(const fs::path& file, const fw::ClassRecord* target) {
    std::set<std::string> names;
    for (const fw::ClassRecord* c : chain(target))
        for (const fw::PropertyEntry& p : c->properties)
            names.insert(p.name.str());
    std::string text = "# Property names of " + target->name.str() + " and its parents, as record keys.\n";
    for (const std::string& name : names)
        text += "\"" + name + " \"\n";
    write(file, text);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <fuzz folder>\n", argv[0]);
        return 2;
    }
    const fs::path fuzz = argv[1];
    programInitialize();
    writePropertySeeds(fuzz / "corpus");
    writeConstantSeeds(fuzz / "corpus" / "string_constant");
    writeSignatureSeeds(fuzz / "corpus" / "signature_text");
    writeDictionary(fuzz / "dictionaries" / "window_properties.dict", Window1::Window1::Lookup());
    writeDictionary(fuzz / "dictionaries" / "button_properties.dict", fw::RoundRectangle::Lookup());
    writeDictionary(fuzz / "dictionaries" / "label_properties.dict", fw::Label::Lookup());
    return 0;
}

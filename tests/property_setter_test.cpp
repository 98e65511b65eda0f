// The mass property setter: each record applied to its target gives the
// values of its table; a record that cannot be applied raises the
// framework's exception and changes nothing, whatever is wrong with it.

#include "framework/runtime/Exception.h"
#include "framework/runtime/PropertySetter.h"
#include "framework/ui/Label.h"
#include "framework/ui/RoundRectangle.h"
#include "framework/ui/Window.h"
#include "tests/RecordTables.h"
#include "tests/support/Raised.h"
#include "window/PropertyRecords.h"
#include "window/Window1.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace std::literals;

namespace {

using fw::Ref;
using records_tables::Entry;
using records_tables::Value;

Ref<fw::Object> made(const fw::ClassRecord* record) {
    return fw::RuntimeNewObject(record);
}

// The property of that exact name, from the object's class record.
const fw::PropertyEntry* property(const fw::Object& o, std::string_view name) {
    for (const fw::ClassRecord* c = o.classRecord(); c; c = c->parent)
        for (const fw::PropertyEntry& p : c->properties)
            if (p.name.bytes() == name)
                return &p;
    return nullptr;
}

// The value the property's own getter gives.
Value read(fw::Object& o, std::string_view name) {
    const fw::PropertyEntry* p = property(o, name);
    if (!p)
        throw std::logic_error("no property " + std::string(name));
    const std::string_view type = p->type.bytes();
    if (type == "i4")
        return p->getter.as<fw::PropertyGetter<std::int32_t>>()(&o, p->selector);
    if (type == "b")
        return p->getter.as<fw::PropertyGetter<bool>>()(&o, p->selector);
    if (type == "c")
        return p->getter.as<fw::PropertyGetter<fw::Color>>()(&o, p->selector);
    return p->getter.as<fw::PropertyGetter<fw::String>>()(&o, p->selector).str();
}

const auto& raisedBy = testing_support::nameOfRaised;

std::string describe(const Value& v) {
    if (const auto* i = std::get_if<std::int32_t>(&v))
        return std::to_string(*i);
    if (const auto* b = std::get_if<bool>(&v))
        return *b ? "true" : "false";
    if (const auto* c = std::get_if<fw::Color>(&v))
        return "colour " + std::to_string(c->red) + "," + std::to_string(c->green) + "," +
               std::to_string(c->blue);
    return "\"" + std::get<std::string>(v) + "\"";
}

struct Target {
    const char* name;
    const fw::ClassRecord* record;
    fw::String text;
    const std::vector<Entry>* table;
};

std::vector<Target> targets() {
    using namespace Window1::records;
    return {
        {"window", Window1::Window1::Lookup(), kWindow.text(), &records_tables::window()},
        {"button", fw::RoundRectangle::Lookup(), kButton.text(), &records_tables::button()},
        {"label", fw::Label::Lookup(), kLabel.text(), &records_tables::label()},
    };
}

TEST(MassPropertySetter, EachRecordGivesItsTargetTheValuesOfItsTable) {
    for (const Target& t : targets()) {
        SCOPED_TRACE(t.name);
        const Ref<fw::Object> target = made(t.record);
        fw::SetProperties(target, t.text);
        for (const Entry& e : *t.table) {
            SCOPED_TRACE(e.key);
            const fw::PropertyEntry* p = property(*target, e.name());
            ASSERT_TRUE(p);
            if (!p->getter)
                continue; // InitialParent is set only; the window tests see its effect
            EXPECT_EQ(describe(read(*target, e.name())), describe(e.value));
        }
    }
}

// The label's text size and unit are not in its record: those set before stand.
TEST(MassPropertySetter, TheLabelRecordLeavesTextSizeAndUnitAsTheyWere) {
    const Ref<fw::Label> label = fw::dynamicRef<fw::Label>(made(fw::Label::Lookup()));
    label->setTextSize(20.0f);
    label->setTextUnit(fw::FontUnits::Default);
    fw::SetProperties(label, Window1::records::kLabel);
    EXPECT_EQ(label->labelState().textSize, 20.0f);
    EXPECT_EQ(label->labelState().textUnit, fw::FontUnits::Default);
}

TEST(MassPropertySetter, KeysMatchWhateverTheirLetterCase) {
    struct Case {
        std::string record;
        const char* property;
        Value value;
    };
    const Case cases[] = {
        {"MacProcID \x00\x00\x00\x07"s, "MacProcId", 7},
        {"macprocid \x00\x00\x00\x08"s, "MacProcId", 8},
        {"WIDTH \x00\x00\x01\x00"s, "Width", 256},
        {"title \x00\x00\x00\x02Hi"s, "Title", "Hi"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record);
        const Ref<fw::Object> window = made(fw::Window::Lookup());
        fw::SetProperties(window, fw::String(c.record));
        EXPECT_EQ(describe(read(*window, c.property)), describe(c.value));
    }
    const Ref<fw::Object> label = made(fw::Label::Lookup());
    fw::SetProperties(label, fw::String("Multiline \x01"sv));
    EXPECT_EQ(describe(read(*label, "MultiLine")), "true");
}

// A String's bytes are the record's, zero bytes and all; only the count says
// where the value ends, even where the text looks like the next key.
TEST(MassPropertySetter, AStringIsReadByItsCountAlone) {
    const Ref<fw::Object> label = made(fw::Label::Lookup());
    fw::SetProperties(label, fw::String("Text \x00\x00\x00\x0Aq\x00Width \x01\xFF"
                                        "Left \x00\x00\x00\x05"sv));
    EXPECT_EQ(std::get<std::string>(read(*label, "Text")), "q\0Width \x01\xFF"sv);
    EXPECT_EQ(std::get<std::int32_t>(read(*label, "Left")), 5);
    EXPECT_EQ(std::get<std::int32_t>(read(*label, "Width")), 100) << "untouched";
}

// What a label's properties read now, to tell whether a refused record changed any.
std::string snapshot(fw::Object& label) {
    std::string s;
    for (const char* name : {"Left", "Top", "Width", "Height", "Text", "Visible", "TextColor"})
        s += describe(read(label, name)) + ";";
    return s;
}

TEST(MassPropertySetter, AMalformedRecordRaisesTheFrameworksExceptionAndChangesNothing) {
    struct Case {
        const char* name;
        std::string record;
    };
    const Case cases[] = {
        {"empty record", ""},
        {"key runs to the end", "Width"},
        {"no key before the blank", " \x00\x00\x00\x01"s},
        {"key holds a byte that is no letter", "Wid7th \x00\x00\x00\x01"s},
        {"truncated Int32", "Width \x00\x00\x01"s},
        {"missing Boolean", "Visible "},
        {"truncated Color", "TextColor \x12\x55"s},
        {"truncated String count", "Text \x00\x00"s},
        {"String count past the end", "Text \x00\x00\x00\x10"
                                      "abc"s},
        {"String count of 4 GiB", "Text \xFF\xFF\xFF\xFF"
                                  "abc"s},
        {"unknown key", "Wdth \x00\x00\x00\x01"s},
        {"key of another class", "Title \x00\x00\x00\x00"s},
        {"Boolean neither 0 nor 1", "Visible \x02"s},
        {"good entry, then a truncated one", "Width \x00\x00\x00\x07Height \x00\x00"s},
        {"good entry, then an unknown key", "Left \x00\x00\x00\x07Nonsense \x01"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Ref<fw::Object> label = made(fw::Label::Lookup());
        const std::string before = snapshot(*label);
        EXPECT_EQ(raisedBy([&] { fw::SetProperties(label, fw::String(c.record)); }),
                  "PropertyRecordException");
        EXPECT_EQ(snapshot(*label), before);
    }
}

TEST(MassPropertySetter, RefusesPropertiesARecordCannotSet) {
    for (const std::string& record :
         {"ControlCount \x00\x00\x00\x01"s, "Backdrop \x00\x00\x00\x00"s, "Opacity \x3F\x80\x00\x00"s}) {
        SCOPED_TRACE(record);
        const Ref<fw::Object> window = made(fw::Window::Lookup());
        EXPECT_EQ(raisedBy([&] { fw::SetProperties(window, fw::String(record)); }),
                  "PropertyRecordException");
    }
}

TEST(MassPropertySetter, ANilTargetRaisesNilObjectException) {
    EXPECT_EQ(raisedBy([] { fw::SetProperties(nullptr, Window1::records::kLabel); }), "NilObjectException");
}

// Every prefix of the label record: one that ends between two entries is a
// record of its own; any other is refused, never read past its end.
TEST(MassPropertySetter, EveryPrefixOfARecordIsAppliedOrRefused) {
    const std::string whole(Window1::records::kLabel.text().bytes());
    std::vector<std::size_t> boundaries;
    std::size_t at = 0;
    for (const Entry& e : records_tables::label())
        boundaries.push_back(at += records_tables::encode(e).size());
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        const Ref<fw::Object> label = made(fw::Label::Lookup());
        const bool boundary = std::find(boundaries.begin(), boundaries.end(), length) != boundaries.end();
        EXPECT_EQ(raisedBy([&] {
                      fw::SetProperties(label, fw::String(std::string_view(whole).substr(0, length)));
                  }),
                  boundary ? "nothing" : "PropertyRecordException");
    }
}

// Every byte of the button record set to each of three values: the setter
// applies the record or refuses it with its own exception, and nothing else.
TEST(MassPropertySetter, EveryCorruptedByteIsAppliedOrRefused) {
    const std::string whole(Window1::records::kButton.text().bytes());
    for (std::size_t i = 0; i < whole.size(); ++i)
        for (const char spoilt : {'\x00', '\x7F', '\xFF'}) {
            std::string record = whole;
            record[i] = spoilt;
            const Ref<fw::Object> button = made(fw::RoundRectangle::Lookup());
            const std::string raised = raisedBy([&] { fw::SetProperties(button, fw::String(record)); });
            EXPECT_TRUE(raised == "nothing" || raised == "PropertyRecordException") << i << ": " << raised;
        }
}

} // namespace

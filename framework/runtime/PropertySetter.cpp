#include "framework/runtime/PropertySetter.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/PropertyRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fw {
namespace {

// Every read of a record goes through `read`: it compares what is asked for
// with what remains and, when too little remains, fails without moving.
class RecordReader {
public:
    explicit RecordReader(std::string_view record) : rest_(record) {}

    std::optional<std::string_view> read(std::size_t n) {
        if (n > rest_.size())
            return std::nullopt;
        const std::string_view bytes = rest_.substr(0, n);
        rest_.remove_prefix(n);
        offset_ += n;
        return bytes;
    }
    bool atEnd() const noexcept { return rest_.empty(); }
    std::size_t offset() const noexcept { return offset_; }
    std::size_t remaining() const noexcept { return rest_.size(); }

private:
    std::string_view rest_;
    std::size_t offset_ = 0;
};

[[noreturn]] void fail(const std::string& what) {
    RaiseException(make<PropertyRecordException>(String("property record: " + what)));
}

std::string quoted(std::string_view key) {
    std::string out;
    out.reserve(key.size() + 2);
    out.append(1, '"').append(key).append(1, '"');
    return out;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// The property of the class or of a parent; a name with the record's exact
// letters wins over one that differs only in case.
const PropertyEntry* findProperty(const ClassRecord* record, std::string_view key) {
    const PropertyEntry* caseless = nullptr;
    for (const ClassRecord* c = record; c; c = c->parent)
        for (const PropertyEntry& p : c->properties) {
            if (p.name.bytes() == key)
                return &p;
            if (!caseless && sameIgnoringCase(p.name.bytes(), key))
                caseless = &p;
        }
    return caseless;
}

using RecordValue = std::variant<std::int32_t, bool, Color, String>;

struct Assignment {
    const PropertyEntry* property;
    RecordValue value;
};

// Reads one record from its first byte to its last, then sets what it read.
class RecordApplier {
public:
    RecordApplier(Object& target, std::string_view record) : target_(target), reader_(record) {}

    void apply() {
        if (reader_.atEnd())
            fail("an empty record sets nothing");
        std::vector<Assignment> assignments;
        while (!reader_.atEnd())
            assignments.push_back(readEntry());
        for (const Assignment& a : assignments)
            std::visit([&](const auto& value) { set(*a.property, value); }, a.value);
    }

private:
    Assignment readEntry() {
        const std::string_view key = readKey();
        const PropertyEntry* property = findProperty(target_.classRecord(), key);
        if (!property)
            fail(std::string(target_.classRecord()->name.bytes()) + " has no property " + quoted(key));
        if (!property->setter)
            fail("the property " + quoted(key) + " cannot be set");
        return {property, readValue(*property, key)};
    }

    // The ASCII letters up to the blank; the blank is read too.
    std::string_view readKey() {
        const std::size_t start = reader_.offset();
        const char* first = nullptr;
        std::size_t length = 0;
        for (;;) {
            const std::optional<std::string_view> byte = reader_.read(1);
            if (!byte)
                fail("the record ends inside the key that starts at byte " + std::to_string(start));
            if ((*byte)[0] == property_record::kKeyEnd)
                break;
            if (!property_record::isKeyLetter((*byte)[0]))
                fail("the key that starts at byte " + std::to_string(start) +
                     " holds a byte that is no letter");
            if (!first)
                first = byte->data();
            ++length;
        }
        if (length == 0)
            fail("no key before the blank at byte " + std::to_string(start));
        return {first, length};
    }

    std::string_view take(std::size_t n, std::string_view key) {
        const std::size_t at = reader_.offset();
        const std::size_t left = reader_.remaining();
        const std::optional<std::string_view> bytes = reader_.read(n);
        if (!bytes)
            fail("the value of " + quoted(key) + " at byte " + std::to_string(at) + " needs " +
                 std::to_string(n) + " bytes; " + std::to_string(left) + " remain");
        return *bytes;
    }

    std::uint32_t takeBigEndian32(std::string_view key) {
        const std::string_view b = take(4, key);
        std::uint32_t value = 0;
        for (char c : b)
            value = (value << 8) | static_cast<std::uint8_t>(c);
        return value;
    }

    RecordValue readValue(const PropertyEntry& property, std::string_view key) {
        const std::string_view type = property.type.bytes();
        if (type == property_type::kInt32)
            return static_cast<std::int32_t>(takeBigEndian32(key));
        if (type == property_type::kBoolean) {
            const auto b = static_cast<std::uint8_t>(take(1, key)[0]);
            if (b > 1)
                fail("the Boolean value of " + quoted(key) + " is " + std::to_string(b) + ", not 0 or 1");
            return b == 1;
        }
        if (type == property_type::kColor) {
            const std::string_view c = take(3, key);
            return Color{static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]),
                         static_cast<std::uint8_t>(c[2])};
        }
        if (type == property_type::kString) {
            const std::uint32_t count = takeBigEndian32(key);
            return String(take(count, key), Encoding::UTF8);
        }
        fail("the property " + quoted(key) + " is of type " + std::string(type) +
             ", which a record does not carry");
    }

    void set(const PropertyEntry& p, std::int32_t v) {
        p.setter.as<PropertySetter<std::int32_t>>()(&target_, p.selector, v);
    }
    void set(const PropertyEntry& p, bool v) { p.setter.as<PropertySetter<bool>>()(&target_, p.selector, v); }
    void set(const PropertyEntry& p, Color v) {
        p.setter.as<PropertySetter<Color>>()(&target_, p.selector, v);
    }
    void set(const PropertyEntry& p, const String& v) {
        p.setter.as<PropertySetter<const String&>>()(&target_, p.selector, v);
    }

    Object& target_;
    RecordReader reader_;
};

} // namespace

void RuntimeMassPropertySetter(Object* target, const String& record) {
    if (!target)
        RaiseNilObjectException();
    if (!target->classRecord())
        fail("the target has no class record");
    RecordApplier(*target, record.bytes()).apply();
}

} // namespace fw

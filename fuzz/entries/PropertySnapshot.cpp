#include "fuzz/entries/PropertySnapshot.h"

#include "framework/runtime/PropertySetter.h"

#include <optional>
#include <set>
#include <string_view>

namespace fuzz_entries {
namespace {

// The property's value through its own getter, for the types a record carries.
template <class Value>
std::optional<Value> read(fw::Object& object, const fw::PropertyEntry& p) {
    if (!p.getter)
        return std::nullopt;
    const std::string_view type = p.type.bytes();
    if (type == fw::property_type::kInt32)
        return p.getter.as<fw::PropertyGetter<std::int32_t>>()(&object, p.selector);
    if (type == fw::property_type::kBoolean)
        return p.getter.as<fw::PropertyGetter<bool>>()(&object, p.selector);
    if (type == fw::property_type::kColor)
        return p.getter.as<fw::PropertyGetter<fw::Color>>()(&object, p.selector);
    if (type == fw::property_type::kString)
        return p.getter.as<fw::PropertyGetter<fw::String>>()(&object, p.selector);
    return std::nullopt;
}

void write(fw::Object& object, const fw::PropertyEntry& p, std::int32_t v) {
    p.setter.as<fw::PropertySetter<std::int32_t>>()(&object, p.selector, v);
}
void write(fw::Object& object, const fw::PropertyEntry& p, bool v) {
    p.setter.as<fw::PropertySetter<bool>>()(&object, p.selector, v);
}
void write(fw::Object& object, const fw::PropertyEntry& p, fw::Color v) {
    p.setter.as<fw::PropertySetter<fw::Color>>()(&object, p.selector, v);
}
void write(fw::Object& object, const fw::PropertyEntry& p, const fw::String& v) {
    p.setter.as<fw::PropertySetter<const fw::String&>>()(&object, p.selector, v);
}

} // namespace

// A class record repeats what it inherits; the first entry of a name is the
// one a record key reaches.
PropertySnapshot::PropertySnapshot(fw::Object& object) {
    std::set<std::string_view> seen;
    for (const fw::ClassRecord* c = object.classRecord(); c; c = c->parent)
        for (const fw::PropertyEntry& p : c->properties)
            if (seen.insert(p.name.bytes()).second)
                if (std::optional<Value> value = read<Value>(object, p))
                    readings_.push_back({&p, std::move(*value)});
}

std::vector<std::string> PropertySnapshot::differencesFrom(const PropertySnapshot& other) const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < readings_.size() && i < other.readings_.size(); ++i)
        if (readings_[i].value != other.readings_[i].value)
            out.push_back(readings_[i].property->name.str());
    return out;
}

void PropertySnapshot::restore(fw::Object& object) const {
    for (const Reading& r : readings_) {
        if (!r.property->setter || read<Value>(object, *r.property) == std::optional<Value>(r.value))
            continue;
        std::visit([&](const auto& value) { write(object, *r.property, value); }, r.value);
    }
}

} // namespace fuzz_entries

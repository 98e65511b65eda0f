#pragma once
// The values of every property of an object that a record can set and that
// can be read back, through the object's class record: to tell whether a
// refused record changed any, and to give an object that is kept from one
// input to the next the values it started with.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Color.h"
#include "framework/runtime/String.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace fuzz_entries {

class PropertySnapshot {
public:
    explicit PropertySnapshot(fw::Object& object);

    // The properties whose values differ from `other`'s, by name.
    std::vector<std::string> differencesFrom(const PropertySnapshot& other) const;
    // Sets each property that now reads otherwise back to its value here.
    void restore(fw::Object& object) const;

private:
    using Value = std::variant<std::int32_t, bool, fw::Color, fw::String>;
    struct Reading {
        const fw::PropertyEntry* property;
        Value value;
    };

    std::vector<Reading> readings_;
};

} // namespace fuzz_entries

#pragma once
// Class registration: the calls with which a class's builder makes its class
// record. A record comes from RuntimeNewClass already holding what it takes
// over from its parent; the builder then writes the class's own entries.

#include "framework/runtime/ClassRecord.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

// A new class record derived from `parent`: its instance size, allocation,
// events (in the parent's order) and properties come from the parent; it has
// no name, operations or members yet (inherited members stay the parent's).
// The numbers are the builder's own description of the class; the framework
// takes the interface mark from them and uses the others as room to reserve.
// The record lives for the run.
ClassRecord* RuntimeNewClass(const ClassRecord* parent, std::int32_t memberPlaces, std::int32_t interfaceMark,
                             std::int32_t eventPlaces, std::int32_t reserved, std::int32_t propertyPlaces,
                             std::int32_t classAttributePlaces);

// Gives the record a table of `operations` empty entries for the builder to fill.
void RuntimeNewVtable(ClassRecord& record, std::size_t operations);
// Writes one entry of the record's table; a place past its end is refused.
void WriteOperation(ClassRecord& record, std::size_t index, const String& name, CodeRef code);

// The attribute table of the member (or property) at `position`, emptied,
// with room for `attributes` entries.
AttributeTable& RuntimeAllocateAttributeTable(std::vector<MemberEntry>& members, std::size_t position,
                                              std::int32_t attributes);
AttributeTable& RuntimeAllocateAttributeTable(std::vector<PropertyEntry>& properties, std::size_t position,
                                              std::int32_t attributes);

// Sets the class's hook for the event at `position` of its event table.
void SetEventHandler(ClassRecord& record, std::size_t position, CodeRef handler);

// The attributes builders write.
inline constexpr char kScopeAttribute[] = "__Scope";
inline constexpr char kHiddenAttribute[] = "Hidden";
inline Attribute ValuedAttribute(String name, String value) {
    return {std::move(name), std::move(value), 1};
}
inline Attribute MarkAttribute(String name) {
    return {std::move(name), std::nullopt, 0};
}

// Every class record the framework knows, in the order it learnt of them:
// those RuntimeNewClass made and the framework classes set up at start-up.
void RegisterClass(const ClassRecord* record);
const std::vector<const ClassRecord*>& RegisteredClasses();

} // namespace fw

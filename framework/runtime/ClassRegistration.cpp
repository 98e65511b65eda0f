#include "framework/runtime/ClassRegistration.h"

#include <algorithm>
#include <deque>

namespace fw {
namespace {

// Records never move once made: others keep pointers to them for the run.
std::deque<ClassRecord>& madeRecords() {
    static std::deque<ClassRecord> records;
    return records;
}

std::vector<const ClassRecord*>& known() {
    static std::vector<const ClassRecord*> records;
    return records;
}

std::size_t room(std::int32_t places) {
    return places > 0 ? static_cast<std::size_t>(places) : 0;
}

template <class Entry>
AttributeTable& attributesAt(std::vector<Entry>& table, std::size_t position, std::int32_t attributes) {
    if (position >= table.size())
        RaiseOutOfBoundsException("no entry at that place");
    AttributeTable& t = table[position].attributes;
    t.clear();
    t.reserve(room(attributes));
    return t;
}

} // namespace

// The member table holds the class's own members only: inherited ones are
// reached through the parent, so the member places need no room here.
ClassRecord* RuntimeNewClass(const ClassRecord* parent, std::int32_t /*memberPlaces*/,
                             std::int32_t interfaceMark, std::int32_t eventPlaces, std::int32_t /*reserved*/,
                             std::int32_t propertyPlaces, std::int32_t classAttributePlaces) {
    ClassRecord& r = madeRecords().emplace_back();
    r.parent = parent;
    r.isInterface = interfaceMark != 0;
    r.events.reserve(room(eventPlaces));
    r.properties.reserve(room(propertyPlaces));
    r.classAttributes.reserve(room(classAttributePlaces));
    if (parent) {
        r.instanceSize = parent->instanceSize;
        r.allocate = parent->allocate;
        r.events = parent->events;
        r.properties = parent->properties;
    }
    RegisterClass(&r);
    return &r;
}

void RuntimeNewVtable(ClassRecord& record, std::size_t operations) {
    record.vtable.assign(operations, CodeRef());
    record.operationNames.assign(operations, String());
}

void WriteOperation(ClassRecord& record, std::size_t index, const String& name, CodeRef code) {
    if (index >= record.vtable.size())
        RaiseOutOfBoundsException("no such operation");
    record.vtable[index] = code;
    record.operationNames[index] = name;
}

AttributeTable& RuntimeAllocateAttributeTable(std::vector<MemberEntry>& members, std::size_t position,
                                              std::int32_t attributes) {
    return attributesAt(members, position, attributes);
}

AttributeTable& RuntimeAllocateAttributeTable(std::vector<PropertyEntry>& properties, std::size_t position,
                                              std::int32_t attributes) {
    return attributesAt(properties, position, attributes);
}

void SetEventHandler(ClassRecord& record, std::size_t position, CodeRef handler) {
    if (position >= record.events.size())
        RaiseOutOfBoundsException("no event at that place");
    record.events[position].handler = handler;
}

void RegisterClass(const ClassRecord* record) {
    auto& all = known();
    if (record && std::find(all.begin(), all.end(), record) == all.end())
        all.push_back(record);
}

const std::vector<const ClassRecord*>& RegisteredClasses() {
    return known();
}

} // namespace fw

#include "framework/runtime/ClassRecord.h"

#include "framework/runtime/Trace.h"

namespace fw {

Ref<Object> RuntimeNewObject(const ClassRecord* record) {
    if (!record || !record->allocate)
        return Ref<Object>();
    Trace("RuntimeNewObject", {record->name.bytes()});
    return Ref<Object>::adopt(record->allocate(record));
}

} // namespace fw

namespace fw {

ClassRecord BuildFrameworkClass(const char* name, const ClassRecord* parent,
                                Object* (*allocate)(const ClassRecord*),
                                std::initializer_list<OperationSpec> ownOperations,
                                std::initializer_list<const char*> ownEvents,
                                std::initializer_list<PropertyEntry> ownProperties) {
    ClassRecord r;
    r.name = String(std::string_view(name));
    r.parent = parent;
    r.allocate = allocate;
    if (parent) {
        r.instanceSize = parent->instanceSize;
        r.vtable = parent->vtable;
        r.operationNames = parent->operationNames;
        r.events = parent->events;
        r.properties = parent->properties;
        if (!allocate)
            r.allocate = parent->allocate;
    }
    for (const OperationSpec& op : ownOperations) {
        r.vtable.push_back(op.code);
        r.operationNames.push_back(String(std::string_view(op.name)));
    }
    for (const char* e : ownEvents)
        r.events.push_back(EventEntry{String(std::string_view(e)), CodeRef()});
    for (const PropertyEntry& p : ownProperties)
        r.properties.push_back(p);
    return r;
}

} // namespace fw

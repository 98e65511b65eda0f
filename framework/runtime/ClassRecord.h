#pragma once
// Class records: plain data, built once per class, that describe a class to
// the framework: its name, its parent, its table of operations, its published
// members, events, properties and attributes.

#include "framework/runtime/Exception.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <typeinfo>
#include <vector>

namespace fw {

class Array;
class Variant;

// A code address together with the type it was stored as; reading it back
// as another type is refused rather than called.
struct CodeRef {
    using Code = void (*)();
    Code code = nullptr;
    const std::type_info* type = nullptr;

    template <class F>
    static CodeRef of(F* f) noexcept {
        return {reinterpret_cast<Code>(f), &typeid(F)};
    }
    explicit operator bool() const noexcept { return code != nullptr; }
    template <class F>
    bool is() const noexcept {
        return code && *type == typeid(F);
    }
    template <class F>
    F* as() const {
        if (!code)
            RaiseNilObjectException();
        if (*type != typeid(F))
            RaiseException(make<IllegalCastException>(String("operation called with the wrong signature")));
        return reinterpret_cast<F*>(code);
    }
};

struct Attribute {
    String name;
    std::optional<String> value; // none: the attribute has no value
    std::uint8_t flag = 0;       // 1 when a value is given
};
using AttributeTable = std::vector<Attribute>;

// Flag words of members and properties.
enum : std::uint32_t {
    kPublicInstanceMethod = 1,
    kPublicProperty = 5,
};

// An introspection invoker: (member code, target, arguments after Self).
// Its result is a Variant boxing a value, an object the member returned
// (objects need no boxing), or nil for a member without result.
using Invoker = Ref<Object> (*)(CodeRef code, const Ref<Object>& target, const Ref<Array>& args);

struct MemberEntry {
    String name;
    std::uint32_t flags = 0;
    String signature;
    CodeRef code;
    Invoker invoker = nullptr;
    AttributeTable attributes;
};

struct EventEntry {
    String name;
    CodeRef handler; // the class's hook, called directly by the framework
};

struct PropertyEntry {
    String name;
    std::uint32_t flags = 0;
    String type;
    std::int32_t selector = 0;
    CodeRef getter, setter, introspectionGetter, introspectionSetter;
    AttributeTable attributes;
};

// The forms of a property's introspection getter and setter: they reach the
// field through the entry's own getter or setter and its selector.
using PropertyValueGetter = Ref<Variant>(const Ref<Object>& target, const PropertyEntry& property);
using PropertyValueSetter = void(const Ref<Object>& target, const PropertyEntry& property,
                                 const Ref<Variant>& value);

struct ClassRecord {
    String name;
    const ClassRecord* parent = nullptr;
    bool isInterface = false;
    std::size_t instanceSize = 0;
    // How the framework makes a bare object of this class (inherited from
    // the nearest framework class); runs no constructor.
    Object* (*allocate)(const ClassRecord*) = nullptr;
    std::vector<CodeRef> vtable;
    std::vector<String> operationNames; // one per vtable entry, for introspection and tests
    std::vector<MemberEntry> members;
    std::vector<EventEntry> events;
    std::vector<PropertyEntry> properties;
    AttributeTable classAttributes;

    bool isA(const ClassRecord* other) const noexcept {
        for (const ClassRecord* c = this; c; c = c->parent)
            if (c == other)
                return true;
        return false;
    }
};

// A new object of the record's class, with one reference for the caller.
// No constructor runs.
Ref<Object> RuntimeNewObject(const ClassRecord* record);

[[noreturn]] inline void RaiseIllegalCastException() {
    RaiseException(make<IllegalCastException>(String("object is not of the expected class")));
}

// Whether the object is of the class, or of a class derived from it.
inline bool IsOfClass(const Object& o, const ClassRecord* record) noexcept {
    return o.classRecord() && o.classRecord()->isA(record);
}

// The object itself when it is of the class (or nil when it is nil);
// IllegalCastException otherwise.
template <class T>
Ref<T> RuntimeCheckCast(const Ref<Object>& o, const ClassRecord* record) {
    if (!o)
        return Ref<T>();
    T* typed = dynamic_cast<T*>(o.get());
    if (!typed || !IsOfClass(*o, record))
        RaiseIllegalCastException();
    return Ref<T>::retain(typed);
}

// The operation at `index` of the object's table, read as type F.
template <class F>
F* Operation(const Object& self, std::size_t index) {
    const ClassRecord* record = self.classRecord();
    if (!record || index >= record->vtable.size())
        RaiseOutOfBoundsException("no such operation");
    return record->vtable[index].as<F>();
}

// The same for an object that may be nil: a nil object raises
// NilObjectException before anything is read.
template <class F>
F* Operation(const Object* self, std::size_t index) {
    if (!self)
        RaiseNilObjectException();
    return Operation<F>(*self, index);
}

// One operation of a framework class's table: its name and its code.
struct OperationSpec {
    const char* name;
    CodeRef code;
};

// Builds the record of one of the framework's own classes from its table:
// the parent's operations, events and properties first, in the parent's
// order, then the class's own.
ClassRecord BuildFrameworkClass(const char* name, const ClassRecord* parent,
                                Object* (*allocate)(const ClassRecord*),
                                std::initializer_list<OperationSpec> ownOperations,
                                std::initializer_list<const char*> ownEvents = {},
                                std::initializer_list<PropertyEntry> ownProperties = {});

// A record for one of the framework's own classes whose objects are the C++
// type T, made by T's default constructor.
template <class T>
Object* AllocateAs(const ClassRecord* record) {
    T* o = new T();
    o->setClassRecord(record);
    return o;
}

} // namespace fw

#pragma once
// Property entries of the framework's own classes. An entry's getter and
// setter have the forms of PropertySetter.h; they are made here from either
// a field of the class's state (reading gives the field, writing stores the
// value and tells the object) or a pair of accessor member functions.
//
// A class whose state fields are published declares
//     template <auto> friend struct property_table::Stored;
// keeps its fields in a member `state_` of a struct that names the class as
// `Owner`, and offers `void stateChanged()`.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Color.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/PropertySetter.h"
#include "framework/runtime/String.h"

#include <cstdint>
#include <type_traits>

namespace fw::property_table {

// The type text of a value type; object properties name theirs ("o<Picture>").
template <class T>
struct TypeText;
template <>
struct TypeText<std::int32_t> {
    static constexpr const char* value = property_type::kInt32;
};
template <>
struct TypeText<bool> {
    static constexpr const char* value = property_type::kBoolean;
};
template <>
struct TypeText<Color> {
    static constexpr const char* value = property_type::kColor;
};
template <>
struct TypeText<String> {
    static constexpr const char* value = property_type::kString;
};
template <>
struct TypeText<float> {
    static constexpr const char* value = property_type::kSingle;
};

// How a setter takes a value of type T: small values by value, others by
// reference.
template <class T>
using SetterParameter = std::conditional_t<std::is_trivially_copyable_v<T> && sizeof(T) <= 8, T, const T&>;

// The object as the class whose accessor runs.
template <class C>
C& As(Object* o) {
    if (!o)
        RaiseNilObjectException();
    C* c = dynamic_cast<C*>(o);
    if (!c)
        RaiseException(make<IllegalCastException>(String("the property belongs to another class")));
    return *c;
}

template <auto Field>
struct Stored;
template <class S, class T, T S::*Field>
struct Stored<Field> {
    using Owner = typename S::Owner;
    using Value = T;
    static T get(Object* o, std::int32_t) { return As<Owner>(o).Owner::state_.*Field; }
    static void set(Object* o, std::int32_t, SetterParameter<T> value) {
        Owner& owner = As<Owner>(o);
        owner.Owner::state_.*Field = value;
        owner.stateChanged();
    }
};

template <auto Get>
struct Getter;
template <class C, class T, T (C::*Get)() const>
struct Getter<Get> {
    using Value = std::remove_cvref_t<T>;
    static Value get(Object* o, std::int32_t) { return (As<C>(o).*Get)(); }
};

template <auto Set>
struct Setter;
template <class C, class T, void (C::*Set)(T)>
struct Setter<Set> {
    using Value = std::remove_cvref_t<T>;
    static void set(Object* o, std::int32_t, SetterParameter<Value> value) { (As<C>(o).*Set)(value); }
};

inline PropertyEntry Entry(const char* name, const char* type, CodeRef getter, CodeRef setter) {
    PropertyEntry e;
    e.name = String(std::string_view(name));
    e.flags = kPublicProperty;
    e.type = String(std::string_view(type));
    e.getter = getter;
    e.setter = setter;
    return e;
}

// A property held in a state field.
template <auto Field>
PropertyEntry State(const char* name, const char* type = TypeText<typename Stored<Field>::Value>::value) {
    return Entry(name, type, CodeRef::of(&Stored<Field>::get), CodeRef::of(&Stored<Field>::set));
}

// A property read and written through accessor member functions.
template <auto Get, auto Set>
PropertyEntry Accessors(const char* name, const char* type = TypeText<typename Getter<Get>::Value>::value) {
    return Entry(name, type, CodeRef::of(&Getter<Get>::get), CodeRef::of(&Setter<Set>::set));
}

template <auto Get>
PropertyEntry ReadOnly(const char* name, const char* type = TypeText<typename Getter<Get>::Value>::value) {
    return Entry(name, type, CodeRef::of(&Getter<Get>::get), CodeRef());
}

template <auto Set>
PropertyEntry WriteOnly(const char* name, const char* type = TypeText<typename Setter<Set>::Value>::value) {
    return Entry(name, type, CodeRef(), CodeRef::of(&Setter<Set>::set));
}

} // namespace fw::property_table

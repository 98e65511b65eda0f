#pragma once
// The mass property setter: applies a property record (PropertyRecord.h) to
// an object, each key to the property of that name in the object's class
// record, each value read by that property's type.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Color.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"
#include "framework/runtime/StringConstant.h"

#include <cstdint>

namespace fw {

// The forms of the accessors that a property entry holds: the object, the
// entry's selector, and for a setter the value.
template <class T>
using PropertyGetter = T(Object* target, std::int32_t selector);
template <class T>
using PropertySetter = void(Object* target, std::int32_t selector, T value);

// The type texts of the properties a record can set, and the C++ type that
// each one's setter takes.
namespace property_type {
inline constexpr char kInt32[] = "i4";
inline constexpr char kBoolean[] = "b";
inline constexpr char kColor[] = "c";
inline constexpr char kString[] = "s";
inline constexpr char kSingle[] = "f4";
} // namespace property_type

// Sets each property that a key of the record names to the entry's value,
// in record order. Keys match the property names of the target's class and
// its parents, exactly or else without regard to letter case.
//
// The whole record is read before anything is set, so a record that cannot
// be applied changes nothing: a record that is empty, ends inside a key or a
// value, names a property the target lacks or one a record cannot set (no
// setter, or a type a record does not carry), or holds a Boolean other than
// 0 or 1, raises PropertyRecordException. A nil target raises
// NilObjectException.
void RuntimeMassPropertySetter(Object* target, const String& record);

// _SetProperties: what the program calls.
inline void SetProperties(const Ref<Object>& target, const String& record) {
    RuntimeMassPropertySetter(target.get(), record);
}
template <std::size_t N>
void SetProperties(const Ref<Object>& target, const StringConstant<N>& record) {
    RuntimeMassPropertySetter(target.get(), record.text());
}

} // namespace fw

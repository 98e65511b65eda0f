#pragma once
// The field accessors of an Int32 property: the field is found by its
// position in the object, which the property entry gives as its selector.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Variant.h"

#include <cstdint>

namespace fw::Int32 {

// The Int32 stored at `position` bytes into the object. An object whose
// class declares no Int32 property at that position (one not of the
// property's class) raises IllegalCastException, a position whose field would
// not lie wholly inside the instance size of the object's class
// OutOfBoundsException, a nil object NilObjectException; nothing is read or
// written then.
std::int32_t Get(Object* object, std::int32_t position);
void Set(Object* object, std::int32_t position, std::int32_t value);

namespace Introspection {
// Through the entry's getter, boxed with Int32ToVariant.
Ref<Variant> GetValue(const Ref<Object>& target, const PropertyEntry& property);
// Unboxed with VariantToInt32, through the entry's setter.
void SetValue(const Ref<Object>& target, const PropertyEntry& property, const Ref<Variant>& value);
} // namespace Introspection

} // namespace fw::Int32

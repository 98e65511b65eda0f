#include "framework/runtime/Int32Field.h"

#include "framework/runtime/Exception.h"

#include <cstring>

namespace fw::Int32 {
namespace {

// Whether the class declares, itself or through a class it derives from, an
// Int32 field at `position`. A record holds its parents' properties before
// its own, so a class declares the field exactly when it is of the class
// whose property the field is.
bool declaresField(const ClassRecord& record, std::int32_t position) {
    const CodeRef::Code get = CodeRef::of(&Get).code;
    const CodeRef::Code set = CodeRef::of(&Set).code;
    for (const PropertyEntry& p : record.properties)
        if (p.selector == position && (p.getter.code == get || p.setter.code == set))
            return true;
    return false;
}

// The field's bytes, once the object is known to be of the class that
// declares the field and the whole field to lie inside the object.
std::byte* field(Object* object, std::int32_t position) {
    if (!object)
        RaiseNilObjectException();
    const ClassRecord* record = object->classRecord();
    if (!record || !declaresField(*record, position))
        RaiseIllegalCastException();
    if (position < 0 || static_cast<std::size_t>(position) > record->instanceSize ||
        record->instanceSize - static_cast<std::size_t>(position) < sizeof(std::int32_t))
        RaiseOutOfBoundsException("no Int32 field at that position");
    return reinterpret_cast<std::byte*>(object) + position;
}

} // namespace

std::int32_t Get(Object* object, std::int32_t position) {
    std::int32_t value;
    std::memcpy(&value, field(object, position), sizeof value);
    return value;
}

void Set(Object* object, std::int32_t position, std::int32_t value) {
    std::memcpy(field(object, position), &value, sizeof value);
}

namespace Introspection {

Ref<Variant> GetValue(const Ref<Object>& target, const PropertyEntry& property) {
    return Int32ToVariant(property.getter.as<decltype(Get)>()(target.get(), property.selector));
}

void SetValue(const Ref<Object>& target, const PropertyEntry& property, const Ref<Variant>& value) {
    property.setter.as<decltype(Set)>()(target.get(), property.selector, VariantToInt32(value));
}

} // namespace Introspection
} // namespace fw::Int32

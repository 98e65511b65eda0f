#include "framework/runtime/Array.h"

#include "framework/runtime/Exception.h"

namespace fw {

Array::Array(ElementType type, std::int32_t ubound) : type_(type) {
    if (ubound < -1)
        RaiseOutOfBoundsException("negative list size");
    items_.resize(static_cast<std::size_t>(ubound + 1),
                  type == ElementType::String ? Value(String()) : Value());
}

std::int32_t Array::Ubound(std::int32_t dimension) const {
    if (dimension != 1)
        RaiseOutOfBoundsException("lists have one dimension");
    return static_cast<std::int32_t>(items_.size()) - 1;
}

void Array::Insert(std::int32_t index, Value v) {
    if (index < 0 || index > Ubound(1) + 1)
        RaiseOutOfBoundsException("insert index outside the list");
    if (type_ == ElementType::String && !std::holds_alternative<String>(v))
        RaiseTypeMismatchException("a String list holds texts only");
    items_.insert(items_.begin() + index, std::move(v));
}

const Value& Array::At(std::int32_t index) const {
    if (index < 0 || index > Ubound(1))
        RaiseOutOfBoundsException("index outside the list");
    return items_[static_cast<std::size_t>(index)];
}

const String& Array::StringAt(std::int32_t index) const {
    const Value& v = At(index);
    if (const String* s = std::get_if<String>(&v))
        return *s;
    RaiseTypeMismatchException("element is not a text");
}

Ref<Array> CreateArray(std::int32_t dimensions, std::int32_t elementType, std::int32_t ubound) {
    if (dimensions != 1)
        RaiseOutOfBoundsException("lists have one dimension");
    if (elementType != static_cast<std::int32_t>(ElementType::String) &&
        elementType != static_cast<std::int32_t>(ElementType::Variant))
        RaiseTypeMismatchException("unknown element type");
    return make<Array>(static_cast<ElementType>(elementType), ubound);
}

} // namespace fw

#include "framework/runtime/Variant.h"

#include "framework/runtime/Exception.h"

#include <cmath>
#include <limits>

namespace fw {
namespace {

// A Variant object stored as a list element stands for the value it boxes.
const Value& unboxed(const Value& v) {
    if (const Ref<Object>* o = std::get_if<Ref<Object>>(&v))
        if (const auto* boxed = dynamic_cast<const Variant*>(o->get()))
            return boxed->value();
    return v;
}

} // namespace

Ref<Variant> Int32ToVariant(std::int32_t value) {
    return make<Variant>(Value(value));
}
Ref<Variant> BooleanToVariant(bool value) {
    return make<Variant>(Value(value));
}

std::int32_t VariantToInt32(const Ref<Variant>& v) {
    if (!v)
        RaiseTypeMismatchException("a nil Variant holds no number");
    return VariantToInt32(v->value());
}

std::int32_t VariantToInt32(const Value& v) {
    const Value& value = unboxed(v);
    if (const std::int32_t* i = std::get_if<std::int32_t>(&value))
        return *i;
    if (const double* d = std::get_if<double>(&value)) {
        const double whole = std::trunc(*d);
        if (whole >= std::numeric_limits<std::int32_t>::min() &&
            whole <= std::numeric_limits<std::int32_t>::max())
            return static_cast<std::int32_t>(whole);
        RaiseTypeMismatchException("the number does not fit an Int32");
    }
    RaiseTypeMismatchException("the Variant holds no number");
}

Ref<Object> VariantToObject(const Value& v) {
    if (std::holds_alternative<std::monostate>(v))
        return Ref<Object>();
    if (const Ref<Object>* o = std::get_if<Ref<Object>>(&v))
        return *o;
    RaiseTypeMismatchException("the Variant holds no object");
}

} // namespace fw

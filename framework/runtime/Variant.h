#pragma once
// Variants: a framework object that boxes one value, the form in which
// introspection passes arguments and results.

#include "framework/runtime/Object.h"
#include "framework/runtime/Value.h"

#include <cstdint>

namespace fw {

class Variant : public Object {
public:
    explicit Variant(Value v) : value_(std::move(v)) {}
    const Value& value() const noexcept { return value_; }

private:
    Value value_;
};

// A new Variant holding the value, with one reference for the caller.
Ref<Variant> Int32ToVariant(std::int32_t value);
Ref<Variant> BooleanToVariant(bool value);

// The Int32 a Variant holds: an Int32 as it is, a Double in range without its
// fraction. Anything else, nil included, raises TypeMismatchException.
std::int32_t VariantToInt32(const Ref<Variant>& v);
// The same for an element of a Variant list; an element that is itself a
// Variant object is read through it.
std::int32_t VariantToInt32(const Value& v);

// An element of a Variant list read as an object: nil when it holds nothing;
// a value that is no object raises TypeMismatchException.
Ref<Object> VariantToObject(const Value& v);

} // namespace fw

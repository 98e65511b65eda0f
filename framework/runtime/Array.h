#pragma once
// The framework's one-dimensional lists, made by CreateArray.

#include "framework/runtime/Object.h"
#include "framework/runtime/Value.h"

#include <cstdint>
#include <vector>

namespace fw {

// Element-type codes that CreateArray understands.
enum class ElementType : std::int32_t {
    Variant = 0,
    String = 3,
};

class Array : public Object {
public:
    Array(ElementType type, std::int32_t ubound);

    ElementType elementType() const noexcept { return type_; }
    // The upper bound of a dimension; this framework's lists have one.
    std::int32_t Ubound(std::int32_t dimension = 1) const;
    // Inserts before the element at `index`; index Ubound + 1 appends.
    void Insert(std::int32_t index, Value v);
    void Append(Value v) { Insert(Ubound(1) + 1, std::move(v)); }
    const Value& At(std::int32_t index) const;
    // The text at `index` of a String list.
    const String& StringAt(std::int32_t index) const;

private:
    ElementType type_;
    std::vector<Value> items_;
};

// A new empty list: `dimensions` must be 1; `ubound` -1 makes it empty.
Ref<Array> CreateArray(std::int32_t dimensions, std::int32_t elementType, std::int32_t ubound);

} // namespace fw

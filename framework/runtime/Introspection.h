#pragma once
// Introspection: a class's published members and properties as its class
// record describes them, and calls through their invokers. "__Scope" is read
// as the scope and kept out of the attributes shown; a member marked
// "Hidden" cannot be accessed.

#include "framework/runtime/Array.h"
#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Variant.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace fw::Introspection {

struct AttributeInfo {
    String name;
    std::optional<String> value;
};

// What members and properties share: a name and an attribute table.
class MemberInfo : public Object {
public:
    const String& Name() const noexcept { return name_; }
    // The "__Scope" attribute's value; "Public" when there is none.
    String Scope() const;
    bool IsPublic() const { return Scope() == String("Public"); }
    // False for a member marked "Hidden" or not public.
    bool CanAccess() const;
    // The attributes in table order, without "__Scope".
    std::vector<AttributeInfo> GetAttributes() const;

protected:
    MemberInfo(String name, const AttributeTable& attributes)
        : name_(std::move(name)), attributes_(attributes) {}

private:
    String name_;
    const AttributeTable& attributes_; // inside a class record, which lives for the run
};

class MethodInfo : public MemberInfo {
public:
    explicit MethodInfo(const MemberEntry& entry);
    const String& Signature() const noexcept { return entry_.signature; }
    // The signature split at its "%" signs, each type code by name: "Boolean",
    // "Int32", a class name for "o<...>"; an empty result for none.
    String ReturnType() const;
    std::vector<String> ParameterTypes() const;
    // Calls the member's invoker with its code, the target and the arguments.
    Ref<Object> Invoke(const Ref<Object>& target, const Ref<Array>& arguments) const;

private:
    const MemberEntry& entry_;
};

class PropertyInfo : public MemberInfo {
public:
    // `entry`, declared by the class of `owner`.
    PropertyInfo(const PropertyEntry& entry, const ClassRecord* owner);
    // The type text by name ("Int32" for "i4").
    String PropertyType() const;
    // A target that is not of the declaring class is refused with
    // IllegalCastException before anything is read or written.
    Ref<Variant> Value(const Ref<Object>& target) const;
    void SetValue(const Ref<Object>& target, const Ref<Variant>& value) const;

private:
    void checkTarget(const Ref<Object>& target) const;

    const PropertyEntry& entry_;
    const ClassRecord* owner_;
};

class TypeInfo : public Object {
public:
    explicit TypeInfo(const ClassRecord* record) : record_(record) {}
    const ClassRecord* record() const noexcept { return record_; }
    const String& FullName() const noexcept { return record_->name; }
    // The last component of the full name: "Window1" for "Window1.Window1".
    String Name() const;
    // The class attribute "__Scope"; "Public" when there is none.
    String Scope() const;
    bool IsPublic() const { return Scope() == String("Public"); }
    // The class attributes without "__Scope".
    std::vector<AttributeInfo> GetAttributes() const;
    // The members and properties the class itself publishes, in table order;
    // inherited ones belong to the parent's TypeInfo.
    std::vector<Ref<MethodInfo>> GetMethods() const;
    std::vector<Ref<PropertyInfo>> GetProperties() const;
    Ref<TypeInfo> BaseType() const;

private:
    const ClassRecord* record_;
};

// The TypeInfo of a class, the same object at every call while the maps live.
Ref<TypeInfo> GetTypeInfo(const ClassRecord* record);
Ref<TypeInfo> GetType(const Ref<Object>& object);
// The class of that full name among the classes the framework knows; nil if none.
Ref<TypeInfo> FindType(const String& fullName);

// What introspection knows of a list's type.
class ArrayInfo : public Object {
public:
    explicit ArrayInfo(ElementType type) : type_(type) {}
    ElementType elementType() const noexcept { return type_; }
    std::int32_t Rank() const noexcept { return 1; }

private:
    ElementType type_;
};
Ref<ArrayInfo> GetArrayInfo(const Ref<Array>& array);

// The generic invoker of members without parameters or result (signature
// "%%"), for methods whose code takes a Self of type S: it holds the target
// and the arguments for the call, raises NilObjectException for a nil target
// before anything runs, never reads the arguments, and returns nil.
template <class S>
Ref<Object> Invoke__(CodeRef code, const Ref<Object>& target, const Ref<Array>& arguments) {
    const Ref<Object> heldTarget = target;
    const Ref<Array> heldArguments = arguments;
    S* self = dynamic_cast<S*>(&NotNil(heldTarget));
    if (!self)
        RaiseException(make<IllegalCastException>(String("the target is not of the member's class")));
    code.as<void(S*)>()(self);
    return Ref<Object>();
}

// The module-level maps of introspection and their finalisers.
void ArrayInfoArrayMapExit();         // Introspection.ArrayInfo.mArrayMap
void ClassInfoClassFQNToRefMapExit(); // Introspection.ClassInfo.sClassFQNToRefMap
void ClassInfoClassRefMapExit();      // Introspection.ClassInfo.sClassRefMap

} // namespace fw::Introspection

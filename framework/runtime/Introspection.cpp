#include "framework/runtime/Introspection.h"

#include "framework/runtime/ClassRegistration.h"
#include "framework/runtime/ModuleGlobal.h"

#include <cctype>
#include <map>
#include <string>
#include <string_view>

namespace fw::Introspection {
namespace {

template <class Key, class Info>
class InfoMap : public Object {
public:
    std::map<Key, Ref<Info>> entries;
};
using ClassRefMap = InfoMap<const ClassRecord*, TypeInfo>;
using ClassNameMap = InfoMap<std::string, TypeInfo>;
using ArrayMap = InfoMap<ElementType, ArrayInfo>;

ModuleGlobal<ArrayMap> arrayMap("Introspection.ArrayInfo.mArrayMap.__Exit");
ModuleGlobal<ClassNameMap> classFQNToRefMap("Introspection.ClassInfo.sClassFQNToRefMap.__Exit");
ModuleGlobal<ClassRefMap> classRefMap("Introspection.ClassInfo.sClassRefMap.__Exit");

// A map is made again on first use after its finaliser has run.
template <class Map>
Map& mapOf(ModuleGlobal<Map>& global) {
    if (!global)
        global.set(make<Map>());
    return *global.get();
}

const Attribute* find(const AttributeTable& table, std::string_view name) {
    for (const Attribute& a : table)
        if (a.name.bytes() == name)
            return &a;
    return nullptr;
}

String scopeOf(const AttributeTable& table) {
    const Attribute* scope = find(table, kScopeAttribute);
    return scope && scope->value ? *scope->value : String("Public");
}

std::vector<AttributeInfo> shown(const AttributeTable& table) {
    std::vector<AttributeInfo> out;
    for (const Attribute& a : table)
        if (a.name.bytes() != kScopeAttribute)
            out.push_back({a.name, a.value});
    return out;
}

String typeName(std::string_view code) {
    if (code.starts_with("o<"))
        return String(code.substr(2, code.size() - 3));
    static const std::map<std::string_view, const char*> names = {
        {"b", "Boolean"}, {"i1", "Int8"},  {"i2", "Int16"}, {"i4", "Int32"},
        {"i8", "Int64"},  {"s", "String"}, {"d", "Double"}, {"v", "Variant"}};
    const auto it = names.find(code);
    return String(it == names.end() ? code : std::string_view(it->second));
}

// The type codes of a parameter list, read one after another: "o<...>", or a
// letter with the digits that follow it.
std::vector<std::string_view> typeCodes(std::string_view list) {
    std::vector<std::string_view> codes;
    while (!list.empty()) {
        std::size_t length = 1;
        if (list.starts_with("o<")) {
            const std::size_t close = list.find('>');
            if (close == std::string_view::npos)
                RaiseTypeMismatchException("an object type code without its closing '>'");
            length = close + 1;
        } else {
            while (length < list.size() && std::isdigit(static_cast<unsigned char>(list[length])))
                ++length;
        }
        codes.push_back(list.substr(0, length));
        list.remove_prefix(length);
    }
    return codes;
}

struct SplitSignature {
    std::string_view result;
    std::string_view parameters;
};

SplitSignature split(const String& signature) {
    const std::string_view s = signature.bytes();
    const std::size_t second = s.empty() || s[0] != '%' ? std::string_view::npos : s.find('%', 1);
    if (second == std::string_view::npos)
        RaiseTypeMismatchException("a signature text is \"%\", the result, \"%\", the parameters");
    return {s.substr(1, second - 1), s.substr(second + 1)};
}

} // namespace

String MemberInfo::Scope() const {
    return scopeOf(attributes_);
}
bool MemberInfo::CanAccess() const {
    return IsPublic() && !find(attributes_, kHiddenAttribute);
}
std::vector<AttributeInfo> MemberInfo::GetAttributes() const {
    return shown(attributes_);
}

MethodInfo::MethodInfo(const MemberEntry& entry) : MemberInfo(entry.name, entry.attributes), entry_(entry) {}

String MethodInfo::ReturnType() const {
    const std::string_view result = split(entry_.signature).result;
    if (result.empty())
        return String();
    // The result is one type code, read as a parameter's would be.
    const std::vector<std::string_view> codes = typeCodes(result);
    if (codes.size() != 1)
        RaiseTypeMismatchException("a result of more than one type code");
    return typeName(codes.front());
}

std::vector<String> MethodInfo::ParameterTypes() const {
    std::vector<String> types;
    for (std::string_view code : typeCodes(split(entry_.signature).parameters))
        types.push_back(typeName(code));
    return types;
}

Ref<Object> MethodInfo::Invoke(const Ref<Object>& target, const Ref<Array>& arguments) const {
    if (!entry_.invoker)
        RaiseNilObjectException();
    return entry_.invoker(entry_.code, target, arguments);
}

PropertyInfo::PropertyInfo(const PropertyEntry& entry, const ClassRecord* owner)
    : MemberInfo(entry.name, entry.attributes), entry_(entry), owner_(owner) {}

void PropertyInfo::checkTarget(const Ref<Object>& target) const {
    if (!IsOfClass(NotNil(target), owner_))
        RaiseIllegalCastException();
}

String PropertyInfo::PropertyType() const {
    return typeName(entry_.type.bytes());
}

Ref<Variant> PropertyInfo::Value(const Ref<Object>& target) const {
    checkTarget(target);
    return entry_.introspectionGetter.as<PropertyValueGetter>()(target, entry_);
}

void PropertyInfo::SetValue(const Ref<Object>& target, const Ref<Variant>& value) const {
    checkTarget(target);
    entry_.introspectionSetter.as<PropertyValueSetter>()(target, entry_, value);
}

String TypeInfo::Name() const {
    const std::string_view full = record_->name.bytes();
    const std::size_t dot = full.rfind('.');
    return dot == std::string_view::npos ? record_->name : String(full.substr(dot + 1));
}

String TypeInfo::Scope() const {
    return scopeOf(record_->classAttributes);
}
std::vector<AttributeInfo> TypeInfo::GetAttributes() const {
    return shown(record_->classAttributes);
}

std::vector<Ref<MethodInfo>> TypeInfo::GetMethods() const {
    std::vector<Ref<MethodInfo>> methods;
    for (const MemberEntry& m : record_->members)
        methods.push_back(make<MethodInfo>(m));
    return methods;
}

std::vector<Ref<PropertyInfo>> TypeInfo::GetProperties() const {
    // The table starts with the parent's properties.
    const std::size_t inherited = record_->parent ? record_->parent->properties.size() : 0;
    std::vector<Ref<PropertyInfo>> properties;
    for (std::size_t i = inherited; i < record_->properties.size(); ++i)
        properties.push_back(make<PropertyInfo>(record_->properties[i], record_));
    return properties;
}

Ref<TypeInfo> TypeInfo::BaseType() const {
    return record_->parent ? GetTypeInfo(record_->parent) : nullptr;
}

Ref<TypeInfo> GetTypeInfo(const ClassRecord* record) {
    if (!record)
        return nullptr;
    Ref<TypeInfo>& info = mapOf(classRefMap).entries[record];
    if (!info)
        info = make<TypeInfo>(record);
    return info;
}

Ref<TypeInfo> GetType(const Ref<Object>& object) {
    return GetTypeInfo(NotNil(object).classRecord());
}

Ref<TypeInfo> FindType(const String& fullName) {
    Ref<TypeInfo>& info = mapOf(classFQNToRefMap).entries[fullName.str()];
    if (!info)
        for (const ClassRecord* r : RegisteredClasses())
            if (r->name == fullName)
                info = GetTypeInfo(r);
    return info;
}

Ref<ArrayInfo> GetArrayInfo(const Ref<Array>& array) {
    const ElementType type = NotNil(array).elementType();
    Ref<ArrayInfo>& info = mapOf(arrayMap).entries[type];
    if (!info)
        info = make<ArrayInfo>(type);
    return info;
}

void ArrayInfoArrayMapExit() {
    arrayMap.exit();
}
void ClassInfoClassFQNToRefMapExit() {
    classFQNToRefMap.exit();
}
void ClassInfoClassRefMapExit() {
    classRefMap.exit();
}

} // namespace fw::Introspection

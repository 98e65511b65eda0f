#include "window/Window1Invokers.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/Variant.h"
#include "framework/ui/Label.h"
#include "framework/ui/RoundRectangle.h"
#include "window/Window1.h"

namespace Window1::Introspection {
namespace {

// What every invoker holds for the length of its call, and the target tested
// before anything of the member runs.
struct Call {
    Call(const fw::Ref<fw::Object>& target, const fw::Ref<fw::Array>& arguments)
        : target(target), arguments(arguments) {
        fw::NotNil(this->target);
        self = fw::RuntimeCheckCast<fw::Window>(this->target, fw::Window::Lookup());
    }

    // Element `index` of the arguments; the list is tested before each read.
    const fw::Value& argument(std::int32_t index) const { return fw::NotNil(arguments).At(index); }
    fw::Ref<fw::RoundRectangle> button() const {
        const fw::ClassRecord* record = fw::RoundRectangle::Lookup();
        return fw::RuntimeCheckCast<fw::RoundRectangle>(fw::VariantToObject(argument(0)), record);
    }

    const fw::Ref<fw::Object> target;
    const fw::Ref<fw::Array> arguments;
    fw::Ref<fw::Window> self;
};

// One routine under two names: the returned control is not cast to the
// class the signature names.
template <class Control>
fw::Ref<fw::Object> invokeControlAccessor(fw::CodeRef code, const fw::Ref<fw::Object>& target,
                                          const fw::Ref<fw::Array>& arguments) {
    const Call call(target, arguments);
    return code.as<fw::Ref<Control>(fw::Window*)>()(call.self.get());
}

} // namespace

fw::Ref<fw::Object> Invoke_o_RoundRectangle_(fw::CodeRef code, const fw::Ref<fw::Object>& target,
                                             const fw::Ref<fw::Array>& arguments) {
    return invokeControlAccessor<fw::RoundRectangle>(code, target, arguments);
}

fw::Ref<fw::Object> Invoke_o_Label_(fw::CodeRef code, const fw::Ref<fw::Object>& target,
                                    const fw::Ref<fw::Array>& arguments) {
    return invokeControlAccessor<fw::Label>(code, target, arguments);
}

fw::Ref<fw::Object> Invoke_b_o_RoundRectangle_i4i4(fw::CodeRef code, const fw::Ref<fw::Object>& target,
                                                   const fw::Ref<fw::Array>& arguments) {
    const Call call(target, arguments);
    const fw::Ref<fw::RoundRectangle> button = call.button();
    const std::int32_t x = fw::VariantToInt32(call.argument(1));
    const std::int32_t y = fw::VariantToInt32(call.argument(2));
    using MouseDown = bool(fw::Window*, fw::RoundRectangle*, std::int32_t, std::int32_t);
    return fw::BooleanToVariant(code.as<MouseDown>()(call.self.get(), button.get(), x, y));
}

fw::Ref<fw::Object> Invoke__o_RoundRectangle_(fw::CodeRef code, const fw::Ref<fw::Object>& target,
                                              const fw::Ref<fw::Array>& arguments) {
    const Call call(target, arguments);
    const fw::Ref<fw::RoundRectangle> button = call.button();
    code.as<void(fw::Window*, fw::RoundRectangle*)>()(call.self.get(), button.get());
    return nullptr;
}

} // namespace Window1::Introspection

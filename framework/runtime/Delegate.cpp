#include "framework/runtime/Delegate.h"

namespace fw {

void Delegate::setTarget(const Ref<Object>& t, std::int32_t weakFlag) {
    weak = weakFlag;
    if (weakFlag) {
        strongTarget_.reset();
        weakTarget_ = WeakRef<Object>(t.get());
    } else {
        strongTarget_ = t;
        weakTarget_ = WeakRef<Object>();
    }
}

Ref<Delegate> RuntimeCreateDelegate(CodeRef invoker, CodeRef method, const Ref<Object>& target,
                                    const String& signature, std::int32_t weakFlag) {
    auto d = make<Delegate>();
    d->invoker = invoker;
    d->method = method;
    d->signature = signature;
    d->setTarget(target, weakFlag);
    return d;
}

void DelegateInvoke(Delegate* d) {
    if (!d)
        RaiseNilObjectException();
    d->method.as<void()>()();
}

} // namespace fw

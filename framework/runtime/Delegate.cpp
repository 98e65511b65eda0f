#include "framework/runtime/Delegate.h"

#include "framework/runtime/Trace.h"

namespace fw {

Delegate::~Delegate() {
    Trace("Delegate released", {signature.bytes()});
}

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
    Trace("RuntimeCreateDelegate", {signature.bytes()});
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

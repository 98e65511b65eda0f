#pragma once
// Delegates: a method bound to a target, called through an invoker that
// knows the method's signature. A weak delegate's target reads as nil once
// its object is gone.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"

#include <cstdint>

namespace fw {

class Delegate : public Object {
public:
    Delegate() = default;
    ~Delegate() override;

    CodeRef invoker;       // the invoker entry, called with the delegate first
    CodeRef method;        // the method entry
    std::int32_t weak = 0; // 1: the target is held through a weak link
    String signature;

    // The target: the object itself, or what the weak link still reaches.
    Ref<Object> target() const { return weak ? weakTarget_.strong() : strongTarget_; }
    void setTarget(const Ref<Object>& t, std::int32_t weakFlag);

private:
    Ref<Object> strongTarget_;
    WeakRef<Object> weakTarget_;
};

// A new delegate with one reference for the caller.
Ref<Delegate> RuntimeCreateDelegate(CodeRef invoker, CodeRef method, const Ref<Object>& target,
                                    const String& signature, std::int32_t weakFlag);

// The generic invoker of a delegate to a routine without parameters or result.
void DelegateInvoke(Delegate* d);

} // namespace fw

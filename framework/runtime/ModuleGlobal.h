#pragma once
// A module-level object: a global that owns one reference while it is set,
// and its finaliser, which releases the object and leaves the global nil.

#include "framework/runtime/Ref.h"
#include "framework/runtime/Trace.h"

namespace fw {

template <class T>
class ModuleGlobal {
public:
    // `finalizerName` is how the finaliser shows in a trace.
    explicit constexpr ModuleGlobal(const char* finalizerName) noexcept : finalizerName_(finalizerName) {}
    ModuleGlobal(const ModuleGlobal&) = delete;
    ModuleGlobal& operator=(const ModuleGlobal&) = delete;

    const Ref<T>& get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return static_cast<bool>(value_); }
    // Takes a reference to the new value, then releases the old one.
    void set(Ref<T> value) noexcept { value_ = std::move(value); }

    // The finaliser. Releasing nil does nothing.
    void exit() noexcept {
        Trace(finalizerName_);
        value_.reset();
    }

private:
    const char* finalizerName_;
    Ref<T> value_;
};

} // namespace fw

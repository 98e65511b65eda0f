#pragma once
// Reference handles. A framework object starts with one reference, owned by
// whoever made it; the first handle adopts that reference. Every handle
// releases what it holds when it goes away, on every path.

#include <cstddef>
#include <type_traits>
#include <utility>

namespace fw {

template <class T>
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}

    // Takes over the one reference that `p` already carries.
    static Ref adopt(T* p) noexcept {
        Ref r;
        r.p_ = p;
        return r;
    }
    // Takes a new reference of its own to `p`.
    static Ref retain(T* p) noexcept {
        if (p)
            p->ref();
        return adopt(p);
    }

    Ref(const Ref& o) noexcept : p_(o.p_) {
        if (p_)
            p_->ref();
    }
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& o) noexcept : p_(o.get()) {
        if (p_)
            p_->ref();
    }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(Ref<U>&& o) noexcept : p_(o.leak()) {}

    // Assignment takes the new reference before it drops the old one, so that
    // assigning an object to the handle that holds its last reference is safe.
    Ref& operator=(Ref o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~Ref() {
        if (p_)
            p_->unref();
    }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    bool operator==(const Ref& o) const noexcept { return p_ == o.p_; }
    bool operator==(std::nullptr_t) const noexcept { return p_ == nullptr; }

    // Gives up the handle's reference without releasing it.
    [[nodiscard]] T* leak() noexcept { return std::exchange(p_, nullptr); }
    void reset() noexcept { Ref().swap(*this); }
    void swap(Ref& o) noexcept { std::swap(p_, o.p_); }

private:
    T* p_ = nullptr;
};

template <class T, class... Args>
Ref<T> make(Args&&... args) {
    return Ref<T>::adopt(new T(std::forward<Args>(args)...));
}

// The object typed as T when it is one, nil otherwise.
template <class T, class U>
Ref<T> dynamicRef(const Ref<U>& r) noexcept {
    return Ref<T>::retain(dynamic_cast<T*>(r.get()));
}

} // namespace fw

#include "framework/runtime/Object.h"

#include <atomic>
#include <cassert>

namespace fw {
namespace {
std::atomic<std::int64_t> live{0};
}

Object::Object() noexcept { ++live; }

Object::~Object() {
    assert(refs_ == 0 || refs_ == 1); // 1 when destroyed on a construction failure
    if (weak_) {
        weak_->target_ = nullptr;
        weak_->unref();
    }
    --live;
}

Ref<WeakLink> Object::weakLink() const {
    if (!weak_)
        weak_ = new WeakLink(const_cast<Object*>(this));
    return Ref<WeakLink>::retain(weak_);
}

std::int64_t Object::liveCount() noexcept { return live; }

} // namespace fw

#include "framework/runtime/Object.h"

#include "framework/runtime/ClassRecord.h"

#include <atomic>
#include <cassert>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <mutex>
#include <typeinfo>
#include <unordered_set>

namespace fw {
namespace {

std::atomic<std::int64_t> live{0};

// The test-only table of live objects. Made once and never destroyed, since
// objects may still die during static destruction.
struct Tracked {
    std::mutex mutex;
    std::unordered_set<const Object*> objects;
};
std::atomic<bool> tracking{false};
Tracked& tracked() {
    static Tracked* t = new Tracked;
    return *t;
}

void track(const Object* o) noexcept {
    Tracked& t = tracked();
    const std::lock_guard lock(t.mutex);
    try {
        t.objects.insert(o);
    } catch (...) {
        // Out of memory: the object goes unlisted; liveCount still counts it.
    }
}

void untrack(const Object* o) noexcept {
    Tracked& t = tracked();
    const std::lock_guard lock(t.mutex);
    t.objects.erase(o);
}

std::string typeName(const Object& o) {
    const char* mangled = typeid(o).name();
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> plain(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return status == 0 && plain ? plain.get() : mangled;
}

} // namespace

Object::Object() noexcept {
    ++live;
    if (tracking.load(std::memory_order_relaxed))
        track(this);
}

Object::~Object() {
    assert(refs_ == 0 || refs_ == 1); // 1 when destroyed on a construction failure
    if (weak_) {
        weak_->target_ = nullptr;
        weak_->unref();
    }
    if (tracking.load(std::memory_order_relaxed))
        untrack(this);
    --live;
}

Ref<WeakLink> Object::weakLink() const {
    if (!weak_)
        weak_ = new WeakLink(const_cast<Object*>(this));
    return Ref<WeakLink>::retain(weak_);
}

std::int64_t Object::liveCount() noexcept {
    return live;
}

void TrackLiveObjectsForTesting(bool on) {
    Tracked& t = tracked();
    const std::lock_guard lock(t.mutex);
    tracking = on;
    t.objects.clear();
}

std::map<std::string, int> LiveObjectsForTesting() {
    Tracked& t = tracked();
    const std::lock_guard lock(t.mutex);
    std::map<std::string, int> byClass;
    for (const Object* o : t.objects) {
        const ClassRecord* record = o->classRecord();
        ++byClass[record && !record->name.empty() ? record->name.str() : typeName(*o)];
    }
    return byClass;
}

} // namespace fw

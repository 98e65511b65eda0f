#pragma once
// The root of every framework object: a reference count that starts at one,
// the object's class record, and a weak link that is cut when it dies.

#include "framework/runtime/Ref.h"

#include <cstdint>
#include <map>
#include <string>

namespace fw {

struct ClassRecord;
class Object;

// What a weak reference holds: a link that reads as nil once its object has gone.
class WeakLink {
public:
    Object* get() const noexcept { return target_; }
    void ref() const noexcept { ++refs_; }
    void unref() const noexcept {
        if (--refs_ == 0)
            delete this;
    }

private:
    friend class Object;
    explicit WeakLink(Object* t) : target_(t) {}
    Object* target_;
    mutable int refs_ = 1;
};

class Object {
public:
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    void ref() const noexcept { ++refs_; }
    void unref() const noexcept {
        if (--refs_ == 0)
            delete this;
    }
    int refCount() const noexcept { return refs_; }

    // The class record whose operations this object carries; set when the
    // object is allocated from a record.
    const ClassRecord* classRecord() const noexcept { return class_; }
    void setClassRecord(const ClassRecord* c) noexcept { class_ = c; }

    Ref<WeakLink> weakLink() const;

    // Framework objects alive right now, for leak accounting.
    static std::int64_t liveCount() noexcept;

protected:
    Object() noexcept;

private:
    mutable int refs_ = 1;
    const ClassRecord* class_ = nullptr;
    mutable WeakLink* weak_ = nullptr;
};

// A handle that may be read as nil, for the targets of weak delegates.
template <class T>
class WeakRef {
public:
    WeakRef() = default;
    explicit WeakRef(const T* t) : link_(t ? t->weakLink() : Ref<WeakLink>()) {}
    Ref<T> strong() const { return link_ ? Ref<T>::retain(static_cast<T*>(link_->get())) : Ref<T>(); }

private:
    Ref<WeakLink> link_;
};

// Test-only: while tracking is on, the objects made since it was turned on
// are also kept in a table, so that a test can tell which ones are still
// alive. Off, it costs one flag test per object made or destroyed; turning it
// off forgets the table.
void TrackLiveObjectsForTesting(bool on);
// The tracked objects alive now, counted by class: the class record's name,
// or the C++ type's name for an object made without a record.
std::map<std::string, int> LiveObjectsForTesting();

} // namespace fw

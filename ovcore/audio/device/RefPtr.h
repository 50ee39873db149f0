// A counted reference to a RefCounted object: copying adds a reference,
// destruction or reset drops it.
#pragma once

#include <cstddef>
#include <utility>

namespace OvAudio {

template <class T>
// The counted reference; see the file description.
class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) {}  // null
    // Takes over the caller's reference (a fresh object's first one).
    static RefPtr Adopt(T* object) {
        RefPtr ref;
        ref.object_ = object;
        return ref;
    }
    // Adds a reference of its own.
    static RefPtr Share(T* object) {
        if (object) object->AddRef();
        return Adopt(object);
    }

    // Copying adds a reference; moving, and converting from a reference to a derived
    // type, takes the other's over:
    RefPtr(const RefPtr& other) : object_(other.object_) {
        if (object_) object_->AddRef();
    }
    RefPtr(RefPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U>
    RefPtr(RefPtr<U> other) : object_(other.Detach()) {}
    RefPtr& operator=(RefPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~RefPtr() { reset(); }

    void reset() {  // drops the reference; the pointer becomes null
        if (T* object = std::exchange(object_, nullptr)) object->Release();
    }
    // Hands the reference to the caller, who must Release it.
    T* Detach() { return std::exchange(object_, nullptr); }

    // The object (null when empty), and whether there is one:
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

}  // namespace OvAudio

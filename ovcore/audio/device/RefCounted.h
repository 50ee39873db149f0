// Intrusive reference counting for the objects of the audio-device layer.
// An object starts with one reference, which belongs to whoever made it;
// Release drops one and deletes the object with the last.
#pragma once

#include <atomic>

namespace OvAudio {

// The base of the layer's objects; see the file description.
class RefCounted {
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    // Add / drop one reference; dropping the last deletes the object:
    void AddRef() const { count_.fetch_add(1, std::memory_order_relaxed); }
    void Release() const {
        if (count_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
    }
    int RefCount() const { return count_.load(std::memory_order_acquire); }  // the references held now

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

private:
    mutable std::atomic<int> count_{1};
};

}  // namespace OvAudio

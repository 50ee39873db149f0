// OV_SLOT_QUEUE: a fixed-capacity queue of slot numbers.
#pragma once

#include <cstdint>
#include <vector>

namespace OvCore {

// A first-in, first-out queue of slot numbers with a fixed capacity, set by
// Reset: taking from the front and giving back at the end never allocate.
class OV_SLOT_QUEUE {
public:
    // Empties the queue and makes room for capacity numbers.
    void Reset(uint32_t capacity) {
        ring_.assign(capacity, 0);
        head_ = count_ = 0;
    }
    void Release() {  // frees the storage; capacity 0
        std::vector<uint32_t>().swap(ring_);
        head_ = count_ = 0;
    }
    // Numbers queued, and whether there are none:
    uint32_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    // False when the queue is full.
    bool PushBack(uint32_t slot) {
        if (count_ == ring_.size()) return false;
        ring_[(head_ + count_) % ring_.size()] = slot;
        ++count_;
        return true;
    }
    // The front number; the queue must not be empty.
    uint32_t PopFront() {
        const uint32_t slot = ring_[head_];
        head_ = (head_ + 1) % ring_.size();
        --count_;
        return slot;
    }
    // The number at position from the front; position must be below Count().
    uint32_t At(uint32_t position) const { return ring_[(head_ + position) % ring_.size()]; }

private:
    std::vector<uint32_t> ring_;
    uint32_t head_ = 0;
    uint32_t count_ = 0;
};

}  // namespace OvCore

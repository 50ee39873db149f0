#include "ovcore/data/SlotPool.h"

#include <cstdlib>

namespace OvCore {

namespace {

constexpr size_t kFirstBlockSlots = 32;
constexpr size_t kLargestBlockSlots = 16384;
constexpr size_t kAlignment = alignof(std::max_align_t);

size_t RoundUp(size_t n) { return (n + kAlignment - 1) / kAlignment * kAlignment; }

}  // namespace

OV_SLOT_POOL::OV_SLOT_POOL(size_t slotSize)
    : slotSize_(RoundUp(slotSize < sizeof(FreeSlot) ? sizeof(FreeSlot) : slotSize)),
      nextBlockSlots_(kFirstBlockSlots) {}

void* OV_SLOT_POOL::Take() {
    if (free_) {
        FreeSlot* slot = free_;
        free_ = slot->next;
        return slot;
    }
    if (bump_ == bumpEnd_ && !Grow()) return nullptr;
    void* slot = bump_;
    bump_ += slotSize_;
    return slot;
}

void OV_SLOT_POOL::Give(void* slot) {
    if (!slot) return;
    auto* freed = static_cast<FreeSlot*>(slot);
    freed->next = free_;
    free_ = freed;
}

bool OV_SLOT_POOL::Grow() {
    const size_t header = RoundUp(sizeof(Block));
    auto* block = static_cast<Block*>(std::malloc(header + slotSize_ * nextBlockSlots_));
    if (!block) return false;
    block->next = blocks_;
    blocks_ = block;
    bump_ = reinterpret_cast<char*>(block) + header;
    bumpEnd_ = bump_ + slotSize_ * nextBlockSlots_;
    if (nextBlockSlots_ < kLargestBlockSlots) nextBlockSlots_ *= 2;
    return true;
}

void OV_SLOT_POOL::Release() {
    while (blocks_) {
        Block* next = blocks_->next;
        std::free(blocks_);
        blocks_ = next;
    }
    bump_ = bumpEnd_ = nullptr;
    free_ = nullptr;
    nextBlockSlots_ = kFirstBlockSlots;
}

}  // namespace OvCore

#include "ovcore/data/SlotPool.h"

#include <cstdlib>

namespace OvCore {

namespace {

constexpr size_t kFirstBlockSlots = 32;
constexpr size_t kLargestBlockSlots = 16384;
// Slots hold pointers and strings, never anything aligned more strictly.
constexpr size_t kAlignment = alignof(void*);

size_t RoundUp(size_t n) { return (n + kAlignment - 1) / kAlignment * kAlignment; }

}  // namespace

OV_SLOT_POOL::OV_SLOT_POOL(size_t slotSize)
    : slotSize_(RoundUp(slotSize < sizeof(FreeSlot) ? sizeof(FreeSlot) : slotSize)),
      nextBlockSlots_(kFirstBlockSlots) {}

void OV_SLOT_POOL::Give(void* slot) {
    if (!slot) return;
    given_ = true;
    auto* freed = static_cast<FreeSlot*>(slot);
    freed->next = free_;
    free_ = freed;
}

bool OV_SLOT_POOL::Grow() {
    auto* block = static_cast<Block*>(std::malloc(kHeader + slotSize_ * nextBlockSlots_));
    if (!block) return false;
    block->next = blocks_;
    block->slots = nextBlockSlots_;
    blocks_ = block;
    bump_ = reinterpret_cast<char*>(block) + kHeader;
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
    given_ = false;
    nextBlockSlots_ = kFirstBlockSlots;
}

}  // namespace OvCore

// OV_SLOT_POOL: memory for many objects of one size.
#pragma once

#include <cstddef>

namespace OvCore {

// Memory for many objects of one size: slots cut from ever larger blocks,
// freed slots reused first. A document takes its nodes and attributes from
// two of these, so reading a file costs a few block allocations rather than
// one per node. Release frees every block at once (the objects in them must
// have been destroyed). Slots are aligned for pointers, no more strictly.
class OV_SLOT_POOL {
public:
    explicit OV_SLOT_POOL(size_t slotSize);  // slots of slotSize bytes
    ~OV_SLOT_POOL() { Release(); }
    OV_SLOT_POOL(const OV_SLOT_POOL&) = delete;
    OV_SLOT_POOL& operator=(const OV_SLOT_POOL&) = delete;

    // Null when memory runs out.
    void* Take() {
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
    void Give(void* slot);  // hands a slot back for reuse
    void Release();  // frees every block

    // Calls visit(slot) for every slot taken since the last Release, when
    // none has been given back since then; false (nothing visited) when one
    // has, as their memory then no longer holds the objects.
    template <class Visit>
    bool ForEachTaken(Visit visit) const {
        if (given_) return false;
        for (const Block* block = blocks_; block; block = block->next) {
            char* slot = reinterpret_cast<char*>(const_cast<Block*>(block)) + kHeader;
            char* const end = block == blocks_ ? bump_ : slot + slotSize_ * block->slots;
            for (; slot != end; slot += slotSize_) visit(static_cast<void*>(slot));
        }
        return true;
    }

private:
    struct Block {
        Block* next;
        size_t slots;
    };
    static constexpr size_t kHeader = (sizeof(Block) + alignof(void*) - 1) / alignof(void*) * alignof(void*);
    struct FreeSlot {
        FreeSlot* next;
    };

    size_t slotSize_;
    size_t nextBlockSlots_;
    Block* blocks_ = nullptr;
    char* bump_ = nullptr;
    char* bumpEnd_ = nullptr;
    FreeSlot* free_ = nullptr;
    bool given_ = false;

    bool Grow();
};

}  // namespace OvCore

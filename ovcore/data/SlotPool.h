#pragma once

#include <cstddef>

namespace OvCore {

// Memory for many objects of one size: slots cut from ever larger blocks,
// freed slots reused first. A document takes its nodes and attributes from
// two of these, so reading a file costs a few block allocations rather than
// one per node. Release frees every block at once (the objects in them must
// have been destroyed).
class OV_SLOT_POOL {
public:
    explicit OV_SLOT_POOL(size_t slotSize);
    ~OV_SLOT_POOL() { Release(); }
    OV_SLOT_POOL(const OV_SLOT_POOL&) = delete;
    OV_SLOT_POOL& operator=(const OV_SLOT_POOL&) = delete;

    // Null when memory runs out.
    void* Take();
    void Give(void* slot);
    void Release();

private:
    struct Block {
        Block* next;
    };
    struct FreeSlot {
        FreeSlot* next;
    };

    size_t slotSize_;
    size_t nextBlockSlots_;
    Block* blocks_ = nullptr;
    char* bump_ = nullptr;
    char* bumpEnd_ = nullptr;
    FreeSlot* free_ = nullptr;

    bool Grow();
};

}  // namespace OvCore

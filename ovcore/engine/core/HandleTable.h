// The engine's objects of one kind by handle: the one place where handles
// are made, looked up and retired.
//
// The objects live in a vector of slots. A live object's handle is
//   word0 = 0,  word1 = generation << 20 | slot number,
// with slot numbers from 1 to 2^20 - 1 (so word1 is never 0) and a 12-bit
// generation that goes up by one each time the slot is given back. Find is
// a bounds check and one comparison of word1 with the slot's own, no
// hashing. A slot whose generation has reached its last value is retired
// instead of reused, so no word1 is ever handed out twice while the table
// lives: two handles name the same object exactly when their word1 match,
// and a handle kept after its object went finds nothing, whatever the slot
// holds now. Handles are made only here; a handle with a non-zero low byte
// in word0, a slot never used or a generation not the slot's finds nothing.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Diagnostics.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace ov {

template <class T>
class HandleTable {
public:
    // Bits of word1 that number the slot; the rest count its generations.
    static constexpr unsigned kSlotBits = 20;
    // The most objects alive at once.
    static constexpr uint32_t kMaxSlots = (1u << kSlotBits) - 1;

    // kind names the objects in failure reports ("texture").
    explicit HandleTable(const char* kind) : kind_(kind) {}

    // Takes the object and names it; OV_NULL_HANDLE for a null object or
    // when every slot is taken or retired (reported; the object is then
    // destroyed).
    OvHandle Add(std::unique_ptr<T> object) {
        if (!object) return OV_NULL_HANDLE;
        uint32_t index = freeHead_;
        if (index != kNoSlot) {
            freeHead_ = slots_[index].nextFree;
        } else {
            if (slots_.size() >= kMaxSlots) {
                PlatformReportFailure("engine: cannot name object: %s: all %u slots are used", kind_, kMaxSlots);
                return OV_NULL_HANDLE;
            }
            index = static_cast<uint32_t>(slots_.size());
            slots_.push_back(Slot{nullptr, index + 1, kNoSlot});
            slotsUsed_ = index + 1;
        }
        Slot& slot = slots_[index];
        slot.object = std::move(object);
        ++live_;
        return OvHandle{0, slot.word1};
    }

    // Adds a default-made object and sets its `id` member to its handle's
    // word1 (the handle is then OvHandle{0, id}); null when the table is full.
    T* AddWithId() {
        auto object = std::make_unique<T>();
        T* added = object.get();
        const OvHandle handle = Add(std::move(object));
        if (OvHandleIsEmpty(handle)) return nullptr;
        added->id = handle.word1;
        return added;
    }

    // The object the handle names; null for an empty or retired handle.
    T* Find(OvHandle handle) const {
        const uint32_t index = (handle.word1 & kSlotMask) - 1;  // slot number 0 wraps past the end
        if (index >= slotsUsed_ || (handle.word0 & 0xFFu) != 0) return nullptr;
        const Slot& slot = slots_[index];
        return slot.word1 == handle.word1 ? slot.object.get() : nullptr;
    }

    // Destroys the object; false when the handle names none.
    bool Destroy(OvHandle handle) { return Take(handle) != nullptr; }

    // Gives the object up to the caller, retiring its handle; null when the
    // handle names none.
    std::unique_ptr<T> Take(OvHandle handle) {
        if (!Find(handle)) return nullptr;
        const uint32_t index = (handle.word1 & kSlotMask) - 1;
        std::unique_ptr<T> object = std::move(slots_[index].object);
        Free(index);
        return object;
    }

    // Destroys every object, in slot order; their handles stay retired. An
    // object's destructor may use the table.
    void Clear() {
        for (uint32_t index = 0; index < slots_.size(); ++index) {
            if (!slots_[index].object) continue;
            std::unique_ptr<T> object = std::move(slots_[index].object);
            Free(index);
        }
    }

    // The live objects.
    size_t Size() const { return live_; }

    // Calls visit(handle, object) for every live object, in slot order (not
    // the order of adding once slots are reused). visit must not add or
    // remove objects.
    template <class Visit>
    void ForEach(Visit visit) const {
        for (const Slot& slot : slots_) {
            if (slot.object) visit(OvHandle{0, slot.word1}, *slot.object);
        }
    }

private:
    static constexpr uint32_t kSlotMask = (1u << kSlotBits) - 1;
    static constexpr uint32_t kLastGeneration = (~0u) >> kSlotBits;
    static constexpr uint32_t kNoSlot = ~0u;

    // word1 is the live object's, or for a free slot the one its next
    // object gets (the object pointer then being null).
    struct Slot {
        std::unique_ptr<T> object;
        uint32_t word1;
        uint32_t nextFree;
    };

    // The slot's object is gone: the next generation, or retirement.
    void Free(uint32_t index) {
        Slot& slot = slots_[index];
        --live_;
        if ((slot.word1 >> kSlotBits) == kLastGeneration) return;
        slot.word1 += 1u << kSlotBits;
        slot.nextFree = freeHead_;
        freeHead_ = index;
    }

    const char* kind_;
    std::vector<Slot> slots_;
    uint32_t slotsUsed_ = 0;  // slots_.size(), kept at hand for Find
    uint32_t freeHead_ = kNoSlot;
    size_t live_ = 0;
};

}  // namespace ov

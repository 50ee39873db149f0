// OV_BUFFER: a heap byte array with a cursor.
#pragma once

#include <cstddef>
#include <cstdint>

namespace OvCore {

// A heap byte array with a cursor. The engine's socket functions read and fill
// the first three fields, so their order and types are fixed. Invariant:
// data <= cursor <= data + capacity; data is null exactly when capacity is 0.
//
// Copies are deep: a copy gets its own array with the same bytes and the
// cursor at the same position. Moving hands the array over and leaves the
// source empty.
class OV_BUFFER {
public:
    uint32_t capacity = 0;  // bytes in the array
    uint8_t* data = nullptr;  // the array (malloc), null when capacity is 0
    uint8_t* cursor = nullptr;  // the read and write position, data <= cursor <= data + capacity

    OV_BUFFER() = default;
    // Deep copies (a copy that cannot get memory is empty); a move leaves the source empty:
    OV_BUFFER(const OV_BUFFER& other);
    OV_BUFFER(OV_BUFFER&& other) noexcept;
    OV_BUFFER& operator=(const OV_BUFFER& other);
    OV_BUFFER& operator=(OV_BUFFER&& other) noexcept;
    ~OV_BUFFER();

    // A new zeroed array of n bytes, cursor at the start; 0 frees everything.
    // False (buffer unchanged) when the memory cannot be had.
    bool Allocate(uint32_t n);
    // Keeps the first min(capacity, n) bytes, zeroes the rest; the cursor
    // keeps its position, clamped to the new capacity.
    bool Reallocate(uint32_t n);
    void Free();  // frees the array; capacity 0, data and cursor null
    bool IsEmpty() const { return !data || capacity == 0; }  // true without an array

    // The cursor, or the start of the array.
    uint8_t* Pointer(bool atCursor) const { return atCursor ? cursor : data; }
    // The cursor's offset from the start.
    uint32_t Position() const { return static_cast<uint32_t>(cursor - data); }

    // How Move counts n: from the start, back from the end, forward, back, to (as from the start).
    enum MoveMode : int { FROM_START = 0, FROM_END = 1, FORWARD = 2, BACK = 3, TO = 4 };
    // Moves the cursor, always ending inside the array. False without an
    // array or for an unknown mode.
    bool Move(uint32_t n, int how);

    // Copy min(n, bytes from the cursor to the end of the array) bytes and
    // advance the cursor; return the count.
    uint32_t ReadBytes(void* dest, uint32_t n);
    uint32_t WriteBytes(const void* src, uint32_t n);  // the same, copying from src into the array

protected:
    // Bytes from the cursor to the end of the array.
    uint32_t BytesAfterCursor() const { return capacity - Position(); }
    // Puts the cursor at that offset (not checked).
    void SetPosition(uint32_t position) { cursor = data + position; }
    // Takes over another array (which must come from malloc) as this one.
    void Adopt(uint8_t* array, uint32_t size);
    // Take another buffer's array over (it is left empty), or copy it (false
    // without memory, this buffer then empty):
    void MoveFrom(OV_BUFFER& other);
    bool CopyFrom(const OV_BUFFER& other);
};

static_assert(offsetof(OV_BUFFER, capacity) == 0);
static_assert(offsetof(OV_BUFFER, data) == 8);
static_assert(offsetof(OV_BUFFER, cursor) == 16);
static_assert(sizeof(OV_BUFFER) == 24);

}  // namespace OvCore

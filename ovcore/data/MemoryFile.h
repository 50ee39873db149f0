// OV_MEMORY_FILE: a whole file in memory, loaded, saved and appended whole.
#pragma once

#include "ovcore/data/Buffer.h"
#include "ovcore/foundation/String.h"

#include <cstdint>

namespace OvCore {

// A whole file in memory: size bytes of content in the buffer's array, read
// and written at the cursor. Failed operations leave the file as it was.
class OV_MEMORY_FILE : public OV_BUFFER {
public:
    uint32_t size = 0;  // bytes of content, at most capacity
    uint32_t growStep = 0;  // 0: the array is kept exactly as large as the content

    OV_MEMORY_FILE() = default;
    // Deep copies of the array, content and cursor; a move leaves the source empty:
    OV_MEMORY_FILE(const OV_MEMORY_FILE& other);
    OV_MEMORY_FILE(OV_MEMORY_FILE&& other) noexcept;
    OV_MEMORY_FILE& operator=(const OV_MEMORY_FILE& other);
    OV_MEMORY_FILE& operator=(OV_MEMORY_FILE&& other) noexcept;

    // Allocate discards the content (size 0), Reallocate cuts it to n: the
    // buffer's array operations, keeping size within the array:
    bool Allocate(uint32_t n);
    bool Reallocate(uint32_t n);
    void Free();  // frees the array; size 0

    void Clear() { Free(); }  // the same as Free

    // Length 0 reads to the end of the file (the array still gets the whole
    // file's size). False when the file cannot be read, is 4 GiB or larger
    // with length 0, or offset lies beyond its end.
    bool LoadFromFile(const char* path, uint32_t offset = 0, uint32_t length = 0);
    // Writes min(size, length) bytes (size when length is 0) at offset, with
    // zeros before it. The file is replaced only once it is written whole.
    bool SaveToFile(const char* path, uint32_t offset = 0, uint32_t length = 0) const;
    // Appends all size bytes; a failed append leaves the file as it was.
    bool AppendToFile(const char* path) const;

    // Writes n bytes at the cursor and makes them the end of the content.
    bool Write(const void* bytes, uint32_t n);
    // Writes text's bytes, with its zero when withZero; false for null text.
    bool WriteText(const char* text, bool withZero);
    // Copies up to n content bytes from the cursor and advances it; the count.
    uint32_t Read(void* dest, uint32_t n);
    // Returns the bytes consumed, including the terminating zero.
    uint32_t ReadText(OV_STRING& out, bool zeroTerminated);

    // Moves the cursor n bytes from the start, back from the end (fromEnd),
    // forward (relative) or back (both), kept within the content:
    void Seek(uint32_t n, bool fromEnd, bool relative);
    bool AtEnd() const;  // true when the cursor is at or past the end of the content
    uint32_t Tell() const { return Position(); }  // the cursor's offset
    uint8_t* Data() const { return data; }  // the array; null when there is none
    // With a path, that file's size (0 when it cannot be opened or does not
    // fit 32 bits); with null, the content's size.
    uint32_t Size(const char* path = nullptr) const;

private:
    // size, trusted only as far as the array reaches: the fields are public.
    uint32_t ContentSize() const { return size < capacity ? size : capacity; }
    uint32_t CapacityFor(uint32_t needed) const;
};

static_assert(sizeof(OV_MEMORY_FILE) == 32);

}  // namespace OvCore

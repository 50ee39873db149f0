#include "ovcore/data/Buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace OvCore {

OV_BUFFER::OV_BUFFER(const OV_BUFFER& other) { CopyFrom(other); }

OV_BUFFER::OV_BUFFER(OV_BUFFER&& other) noexcept { MoveFrom(other); }

OV_BUFFER& OV_BUFFER::operator=(const OV_BUFFER& other) {
    if (this != &other) CopyFrom(other);
    return *this;
}

OV_BUFFER& OV_BUFFER::operator=(OV_BUFFER&& other) noexcept {
    if (this != &other) {
        Free();
        MoveFrom(other);
    }
    return *this;
}

OV_BUFFER::~OV_BUFFER() { Free(); }

bool OV_BUFFER::Allocate(uint32_t n) {
    if (n == 0) {
        Free();
        return true;
    }
    auto* fresh = static_cast<uint8_t*>(std::calloc(n, 1));
    if (!fresh) return false;
    Adopt(fresh, n);
    return true;
}

bool OV_BUFFER::Reallocate(uint32_t n) {
    if (n == 0) {
        Free();
        return true;
    }
    const uint32_t position = std::min(Position(), n);
    auto* grown = static_cast<uint8_t*>(std::realloc(data, n));
    if (!grown) return false;
    if (n > capacity) std::memset(grown + capacity, 0, n - capacity);
    data = grown;
    capacity = n;
    SetPosition(position);
    return true;
}

void OV_BUFFER::Free() {
    std::free(data);
    data = nullptr;
    cursor = nullptr;
    capacity = 0;
}

bool OV_BUFFER::Move(uint32_t n, int how) {
    if (IsEmpty()) return false;
    const uint32_t position = Position();
    switch (how) {
    case FROM_START:
    case TO: SetPosition(std::min(n, capacity)); return true;
    case FROM_END: SetPosition(capacity - std::min(n, capacity)); return true;
    case FORWARD: SetPosition(std::min(n, capacity - position) + position); return true;
    case BACK: SetPosition(position - std::min(n, position)); return true;
    default: return false;
    }
}

uint32_t OV_BUFFER::ReadBytes(void* dest, uint32_t n) {
    if (IsEmpty() || !dest) return 0;
    const uint32_t count = std::min(n, BytesAfterCursor());
    if (count > 0) std::memcpy(dest, cursor, count);
    cursor += count;
    return count;
}

uint32_t OV_BUFFER::WriteBytes(const void* src, uint32_t n) {
    if (IsEmpty() || !src) return 0;
    const uint32_t count = std::min(n, BytesAfterCursor());
    if (count > 0) std::memmove(cursor, src, count);
    cursor += count;
    return count;
}

void OV_BUFFER::Adopt(uint8_t* array, uint32_t size) {
    std::free(data);
    data = array;
    capacity = array ? size : 0;
    cursor = data;
}

void OV_BUFFER::MoveFrom(OV_BUFFER& other) {
    capacity = other.capacity;
    data = other.data;
    cursor = other.cursor;
    other.capacity = 0;
    other.data = nullptr;
    other.cursor = nullptr;
}

bool OV_BUFFER::CopyFrom(const OV_BUFFER& other) {
    if (other.IsEmpty()) {
        Free();
        return true;
    }
    auto* copy = static_cast<uint8_t*>(std::malloc(other.capacity));
    if (!copy) {
        Free();
        return false;
    }
    std::memcpy(copy, other.data, other.capacity);
    Adopt(copy, other.capacity);
    SetPosition(other.Position());
    return true;
}

}  // namespace OvCore

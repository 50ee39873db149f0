#include "ovcore/data/MemoryFile.h"

#include "ovcore/data/DiskFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace OvCore {

OV_MEMORY_FILE::OV_MEMORY_FILE(const OV_MEMORY_FILE& other)
    : OV_BUFFER(other),
      size(std::min(other.size, capacity)),
      growStep(other.growStep) {}

OV_MEMORY_FILE::OV_MEMORY_FILE(OV_MEMORY_FILE&& other) noexcept
    : OV_BUFFER(std::move(other)),
      size(other.size),
      growStep(other.growStep) {
    other.size = 0;
}

OV_MEMORY_FILE& OV_MEMORY_FILE::operator=(const OV_MEMORY_FILE& other) {
    if (this != &other) {
        OV_BUFFER::operator=(other);
        size = std::min(other.size, capacity);
        growStep = other.growStep;
    }
    return *this;
}

OV_MEMORY_FILE& OV_MEMORY_FILE::operator=(OV_MEMORY_FILE&& other) noexcept {
    if (this != &other) {
        OV_BUFFER::operator=(std::move(other));
        size = other.size;
        growStep = other.growStep;
        other.size = 0;
    }
    return *this;
}

bool OV_MEMORY_FILE::Allocate(uint32_t n) {
    if (!OV_BUFFER::Allocate(n)) return false;
    size = 0;
    return true;
}

bool OV_MEMORY_FILE::Reallocate(uint32_t n) {
    if (!OV_BUFFER::Reallocate(n)) return false;
    size = std::min(size, n);
    return true;
}

void OV_MEMORY_FILE::Free() {
    OV_BUFFER::Free();
    size = 0;
}

bool OV_MEMORY_FILE::LoadFromFile(const char* path, uint32_t offset, uint32_t length) {
    DiskFile::ReadResult result;
    if (!DiskFile::ReadRange(path, offset, length, result)) return false;
    Adopt(result.array, result.arraySize);
    size = result.bytesRead;
    return true;
}

bool OV_MEMORY_FILE::SaveToFile(const char* path, uint32_t offset, uint32_t length) const {
    const uint32_t content = ContentSize();
    const uint32_t n = length ? std::min(content, length) : content;
    return DiskFile::Replace(path, offset, data, n);
}

bool OV_MEMORY_FILE::AppendToFile(const char* path) const { return DiskFile::Append(path, data, ContentSize()); }

uint32_t OV_MEMORY_FILE::CapacityFor(uint32_t needed) const {
    if (growStep == 0) return needed;
    if (capacity >= needed) return capacity;
    const uint64_t steps = (uint64_t{needed} - capacity + growStep - 1) / growStep;
    return static_cast<uint32_t>(std::min<uint64_t>(capacity + steps * growStep, UINT32_MAX));
}

bool OV_MEMORY_FILE::Write(const void* bytes, uint32_t n) {
    if (!bytes && n > 0) return false;
    const auto* source = static_cast<const uint8_t*>(bytes);
    if (n > 0 && source >= data && source < data + capacity) {
        const std::vector<uint8_t> copy(source, source + std::min(n, capacity - uint32_t(source - data)));
        if (copy.size() != n) return false;
        return Write(copy.data(), n);
    }
    const uint32_t position = Position();
    const uint64_t needed = uint64_t{position} + n;
    if (needed > UINT32_MAX) return false;
    const uint32_t newCapacity = CapacityFor(static_cast<uint32_t>(needed));
    if (newCapacity != capacity && !OV_BUFFER::Reallocate(newCapacity)) return false;
    if (n > 0) std::memcpy(data + position, source, n);
    size = static_cast<uint32_t>(needed);
    SetPosition(size);
    return true;
}

bool OV_MEMORY_FILE::WriteText(const char* text, bool withZero) {
    if (!text) return false;
    const size_t length = std::strlen(text) + (withZero ? 1 : 0);
    if (length > UINT32_MAX) return false;
    return Write(text, static_cast<uint32_t>(length));
}

uint32_t OV_MEMORY_FILE::Read(void* dest, uint32_t n) {
    if (AtEnd() || !dest) return 0;
    const uint32_t count = std::min(n, ContentSize() - Position());
    std::memcpy(dest, cursor, count);
    cursor += count;
    return count;
}

uint32_t OV_MEMORY_FILE::ReadText(OV_STRING& out, bool zeroTerminated) {
    out.Clear();
    if (AtEnd()) return 0;
    const uint32_t available = ContentSize() - Position();
    uint32_t textLength = available;
    uint32_t consumed = available;
    if (zeroTerminated) {
        const void* zero = std::memchr(cursor, 0, available);
        if (zero) {
            textLength = static_cast<uint32_t>(static_cast<const uint8_t*>(zero) - cursor);
            consumed = textLength + 1;
        }
    }
    out.Assign(reinterpret_cast<const char*>(cursor), textLength);
    cursor += consumed;
    return consumed;
}

void OV_MEMORY_FILE::Seek(uint32_t n, bool fromEnd, bool relative) {
    const uint32_t content = ContentSize();
    const uint32_t position = Position();
    uint64_t target = n;
    if (fromEnd && relative)
        target = position - std::min(n, position);
    else if (fromEnd)
        target = content - std::min(n, content);
    else if (relative)
        target = uint64_t{position} + n;
    SetPosition(static_cast<uint32_t>(std::min<uint64_t>(target, content)));
}

bool OV_MEMORY_FILE::AtEnd() const { return Position() >= ContentSize(); }

uint32_t OV_MEMORY_FILE::Size(const char* path) const { return path ? DiskFile::SizeOf(path) : ContentSize(); }

}  // namespace OvCore

// One engine texture: its GL name (0 until pixels arrive), its size, and the
// pixel copy handed out while it is locked.
#pragma once

#include <cstdint>
#include <memory>

namespace ov {

struct Texture {
    uint32_t id = 0;
    unsigned glName = 0;
    // Read through OvTextureGet as 32-bit integers.
    int32_t width = 0;
    int32_t height = 0;
    int32_t byteSize = 0;
    std::unique_ptr<uint8_t[]> lockCopy;

    bool HasPixels() const { return glName != 0; }
    bool Locked() const { return lockCopy != nullptr; }
};

}  // namespace ov

#include "engine/render/BatchBuffer.h"

#include <algorithm>
#include <new>

namespace ov {

bool BatchBuffer::Reserve(uint32_t vertices) {
    if (!Empty()) return false;
    vertices = std::clamp(vertices, kMinimumVertices, kMaximumVertices) & ~3u;
    if (vertices == vertices_.size()) return true;
    try {
        std::vector<BatchVertex> newVertices(vertices);
        vertices_.swap(newVertices);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace ov

#include "engine/BatchBuffer.h"

#include <algorithm>
#include <new>

namespace ov {

bool BatchBuffer::Reserve(uint32_t vertices) {
    if (!Empty()) return false;
    vertices = std::clamp(vertices, kMinimumVertices, kMaximumVertices);
    if (vertices == vertices_.size()) return true;
    try {
        // A quad takes 4 vertices and 6 indices; fans and outlines need fewer.
        std::vector<BatchVertex> newVertices(vertices);
        std::vector<uint32_t> newIndices(static_cast<size_t>(vertices) * 3 / 2);
        vertices_.swap(newVertices);
        indices_.swap(newIndices);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace ov

#include "ovcore/engine/render/BatchBuffer.h"

#include <algorithm>
#include <new>

namespace ov {

bool BatchBuffer::Reserve(uint32_t vertices) {
    if (!Empty()) return false;
    vertices = std::clamp(vertices, kMinimumVertices, kMaximumVertices) & ~3u;
    if (vertices != own_.size()) {
        try {
            std::vector<BatchVertex> newVertices(vertices);
            own_.swap(newVertices);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    Clear();
    return true;
}

void BatchBuffer::UseWindow(BatchVertex* window, uint32_t vertices) {
    if (!Empty() || !window) return;
    vertices_ = window;
    room_ = vertices & ~3u;
}

}  // namespace ov

// The CPU side of the batch: one vertex array, sized once and reused for
// every flush. Triangles are kept as quads of four vertices, so the capacity
// is a multiple of four.
#pragma once

#include "engine/render/BatchVertex.h"

#include <cstdint>
#include <vector>

namespace ov {

class BatchBuffer {
public:
    static constexpr uint32_t kDefaultVertices = 1u << 19;
    static constexpr uint32_t kMinimumVertices = 64;
    static constexpr uint32_t kMaximumVertices = 1u << 22;

    // Sizes the array for `vertices` (clamped to the bounds above, rounded
    // down to a multiple of four); only while empty. False when the memory
    // cannot be had.
    bool Reserve(uint32_t vertices);
    bool Reserved() const { return !vertices_.empty(); }

    bool HasRoom(uint32_t vertices) const { return vertexCount_ + vertices <= vertices_.size(); }
    uint32_t Push(const BatchVertex& vertex) {
        vertices_[vertexCount_] = vertex;
        return vertexCount_++;
    }
    // Room for four vertices, to be filled by the caller.
    BatchVertex* PushQuad() {
        BatchVertex* quad = &vertices_[vertexCount_];
        vertexCount_ += 4;
        return quad;
    }
    BatchVertex& At(uint32_t index) { return vertices_[index]; }
    // Drops vertices from `count` on (an unfinished primitive).
    void TruncateVertices(uint32_t count) {
        if (count < vertexCount_) vertexCount_ = count;
    }
    void Clear() { vertexCount_ = 0; }

    bool Empty() const { return vertexCount_ == 0; }
    uint32_t VertexCount() const { return vertexCount_; }
    uint32_t Capacity() const { return static_cast<uint32_t>(vertices_.size()); }
    const BatchVertex* Vertices() const { return vertices_.data(); }

    PrimitiveClass Class() const { return class_; }
    void SetClass(PrimitiveClass primitiveClass) { class_ = primitiveClass; }

private:
    std::vector<BatchVertex> vertices_;
    uint32_t vertexCount_ = 0;
    PrimitiveClass class_ = PrimitiveClass::None;
};

}  // namespace ov

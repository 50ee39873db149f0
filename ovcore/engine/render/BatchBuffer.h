// The CPU side of the batch: where its vertices are written. That is an
// array of the buffer's own, sized once and reused for every flush, or a
// window of GL's vertex memory lent until the next flush, so that vertices
// reach GL without a copy. Triangles are kept as quads of four vertices, so
// the capacity is a multiple of four. The styles and depths of the vertices
// are noted as they are written.
#pragma once

#include "ovcore/engine/render/BatchVertex.h"

#include <cstdint>
#include <vector>

namespace ov {

class BatchBuffer {
public:
    static constexpr uint32_t kDefaultVertices = 1u << 19;
    static constexpr uint32_t kMinimumVertices = 64;
    static constexpr uint32_t kMaximumVertices = 1u << 22;

    // Sizes the own array for `vertices` (clamped to the bounds above,
    // rounded down to a multiple of four); only while empty. False when the
    // memory cannot be had.
    bool Reserve(uint32_t vertices);
    bool Reserved() const { return !own_.empty(); }
    // Writes go to `window` (room for `vertices`, a multiple of four) until
    // the next Clear; only while empty.
    void UseWindow(BatchVertex* window, uint32_t vertices);
    bool InWindow() const { return vertices_ != own_.data(); }

    bool HasRoom(uint32_t vertices) const { return vertexCount_ + vertices <= room_; }
    uint32_t Push(const BatchVertex& vertex) {
        summary_.Note(StyleWordAt(vertex), vertex.z);
        vertices_[vertexCount_] = vertex;
        return vertexCount_++;
    }
    void PushQuad(const BatchVertex* four) {
        for (int i = 0; i < 4; ++i) Push(four[i]);
    }
    // Room for four vertices of one style and depth, to be filled by the
    // caller.
    BatchVertex* PushQuadSlots(uint64_t styleWord, float depth) {
        summary_.Note(styleWord, depth);
        BatchVertex* quad = &vertices_[vertexCount_];
        vertexCount_ += 4;
        return quad;
    }
    void Replace(uint32_t index, const BatchVertex& vertex) {
        summary_.Note(StyleWordAt(vertex), vertex.z);
        vertices_[index] = vertex;
    }
    // Drops vertices from `count` on (an unfinished primitive); their styles
    // and depths stay noted, which at worst picks a more general program.
    void TruncateVertices(uint32_t count) {
        if (count < vertexCount_) vertexCount_ = count;
    }
    // Empties the buffer and returns any lent window.
    void Clear() {
        vertexCount_ = 0;
        vertices_ = own_.data();
        room_ = static_cast<uint32_t>(own_.size());
        summary_ = VertexSummary{};
    }

    bool Empty() const { return vertexCount_ == 0; }
    uint32_t VertexCount() const { return vertexCount_; }
    // The own array's size: what a window is asked for and GL's buffers are
    // sized by.
    uint32_t Capacity() const { return static_cast<uint32_t>(own_.size()); }
    const BatchVertex* Vertices() const { return vertices_; }
    const VertexSummary& Summary() const { return summary_; }

    PrimitiveClass Class() const { return class_; }
    void SetClass(PrimitiveClass primitiveClass) { class_ = primitiveClass; }

private:
    std::vector<BatchVertex> own_;
    BatchVertex* vertices_ = nullptr;
    uint32_t room_ = 0;
    uint32_t vertexCount_ = 0;
    VertexSummary summary_;
    PrimitiveClass class_ = PrimitiveClass::None;
};

}  // namespace ov

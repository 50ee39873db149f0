// Turns the vertices of one primitive into batch vertices and indices:
// quads, triangles and fans become triangles, outlines become line pairs,
// points stay points. A flush in the middle of a primitive (the batch is
// full, or a state changed) carries over what the rest of it still needs.
#pragma once

#include "engine/BatchBuffer.h"

namespace ov {

enum PrimitiveKind {
    kPrimitivePoints = 4,
    kPrimitiveOutline = 6,
    kPrimitiveTriangles = 8,
    kPrimitiveFan = 10,
    kPrimitiveQuads = 11,
};

// The class a kind draws as; None for an unknown kind.
PrimitiveClass ClassOfKind(int kind);

class BatchAssembler {
public:
    // `flush` draws and empties the buffer, then calls Resume.
    BatchAssembler(BatchBuffer& buffer, void (*flush)()) : buffer_(buffer), flush_(flush) {}

    // False (nothing open) for an unknown kind.
    bool Begin(int kind);
    void Add(const BatchVertex& vertex);
    // Closes the primitive; an unfinished quad, triangle, fan or outline
    // leaves nothing behind.
    void End();
    bool Open() const { return kind_ != 0; }
    // Re-pushes the carried vertices into the freshly emptied buffer.
    void Resume();

private:
    void EnsureRoom(uint32_t vertices, uint32_t indices);
    void AddToGroup(const BatchVertex& vertex, int groupSize);
    void AddToFan(const BatchVertex& vertex);
    void AddToOutline(const BatchVertex& vertex);
    void CloseOutline();

    static constexpr uint32_t kNoIndex = 0xFFFFFFFFu;

    BatchBuffer& buffer_;
    void (*flush_)();
    int kind_ = 0;
    uint32_t count_ = 0;
    uint32_t startVertex_ = 0;
    uint32_t groupStart_ = 0;
    // Quads and triangles: the vertices of the group in progress. Fans: the
    // centre and the previous point. Outlines: the first and previous point.
    BatchVertex carry_[4] = {};
    uint32_t firstIndex_ = kNoIndex;
    uint32_t previousIndex_ = kNoIndex;
};

}  // namespace ov

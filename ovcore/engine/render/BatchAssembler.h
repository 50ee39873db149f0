// Turns the vertices of one primitive into batch vertices: triangles are
// kept as quads of four vertices (drawn through the shared quad indices), so
// a quad is its four corners, a triangle repeats its last corner and a fan
// packs two of its triangles into each quad; outlines become line pairs,
// points stay points. A flush in the middle of a primitive (the batch is
// full, or a state changed) carries over what the rest of it still needs.
#pragma once

#include "ovcore/engine/render/BatchBuffer.h"

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
    // Adds the next whole quad of an open quad primitive; false (nothing
    // added) when no quad primitive is open at a quad boundary.
    bool AddQuad(const BatchVertex* four);
    // Four slots for a quad of one style and depth outside any primitive
    // (none may be open), to be filled at once.
    BatchVertex* LoneQuad(uint64_t styleWord, float depth) {
        if (buffer_.Class() != PrimitiveClass::Triangles || !buffer_.HasRoom(4)) MakeRoomForLoneQuad();
        return buffer_.PushQuadSlots(styleWord, depth);
    }
    // Adds a whole quad outside any primitive (none may be open).
    void AddLoneQuad(const BatchVertex* four);
    // Closes the primitive; an unfinished quad, triangle, fan or outline
    // leaves nothing behind.
    void End();
    bool Open() const { return kind_ != 0; }
    // Re-pushes the carried vertices into the freshly emptied buffer.
    void Resume();

private:
    void EnsureRoom(uint32_t vertices);
    void MakeRoomForLoneQuad();
    void AddToGroup(const BatchVertex& vertex);
    void AddToFan(const BatchVertex& vertex);
    void AddToOutline(const BatchVertex& vertex);
    void PushSegment(const BatchVertex& from, const BatchVertex& to);

    static constexpr uint32_t kNoIndex = 0xFFFFFFFFu;

    BatchBuffer& buffer_;
    void (*flush_)();
    int kind_ = 0;
    uint32_t groupSize_ = 0;
    uint32_t count_ = 0;
    uint32_t groupStart_ = 0;
    // Quads and triangles: the vertices of the group in progress. Fans: the
    // centre and the previous point. Outlines: the first and previous point.
    BatchVertex carry_[4] = {};
    // Fans: the last slot of the latest quad while it holds one triangle.
    uint32_t openSlot_ = kNoIndex;
};

}  // namespace ov

#include "ovcore/engine/render/BatchAssembler.h"

namespace ov {

PrimitiveClass ClassOfKind(int kind) {
    switch (kind) {
    case kPrimitivePoints: return PrimitiveClass::Points;
    case kPrimitiveOutline: return PrimitiveClass::Lines;
    case kPrimitiveTriangles:
    case kPrimitiveFan:
    case kPrimitiveQuads: return PrimitiveClass::Triangles;
    default: return PrimitiveClass::None;
    }
}

bool BatchAssembler::Begin(int kind) {
    if (Open()) End();
    PrimitiveClass primitiveClass = ClassOfKind(kind);
    if (primitiveClass == PrimitiveClass::None) return false;
    if (!buffer_.Empty() && buffer_.Class() != primitiveClass) flush_();
    buffer_.SetClass(primitiveClass);
    kind_ = kind;
    groupSize_ = kind == kPrimitiveQuads ? 4 : kind == kPrimitiveTriangles ? 3 : 0;
    count_ = 0;
    groupStart_ = buffer_.VertexCount();
    openSlot_ = kNoIndex;
    return true;
}

void BatchAssembler::EnsureRoom(uint32_t vertices) {
    if (!buffer_.HasRoom(vertices)) flush_();
}

void BatchAssembler::Add(const BatchVertex& vertex) {
    switch (kind_) {
    case kPrimitivePoints:
        EnsureRoom(1);
        buffer_.Push(vertex);
        break;
    case kPrimitiveTriangles:
    case kPrimitiveQuads: AddToGroup(vertex); break;
    case kPrimitiveFan: AddToFan(vertex); break;
    case kPrimitiveOutline: AddToOutline(vertex); break;
    default: return;
    }
    ++count_;
}

bool BatchAssembler::AddQuad(const BatchVertex* four) {
    if (kind_ != kPrimitiveQuads || count_ % 4 != 0) return false;
    EnsureRoom(4);
    groupStart_ = buffer_.VertexCount();
    count_ += 4;
    buffer_.PushQuad(four);
    return true;
}

void BatchAssembler::MakeRoomForLoneQuad() {
    if (buffer_.Class() != PrimitiveClass::Triangles) {
        if (!buffer_.Empty()) flush_();
        buffer_.SetClass(PrimitiveClass::Triangles);
    }
    EnsureRoom(4);
}

void BatchAssembler::AddLoneQuad(const BatchVertex* four) {
    MakeRoomForLoneQuad();
    buffer_.PushQuad(four);
}

// Every group takes four slots, so quads stay aligned in the buffer.
void BatchAssembler::AddToGroup(const BatchVertex& vertex) {
    uint32_t position = count_ % groupSize_;
    if (position == 0) {
        EnsureRoom(4);
        groupStart_ = buffer_.VertexCount();
    }
    carry_[position] = vertex;
    buffer_.Push(vertex);
    if (groupSize_ == 3 && position == 2) buffer_.Push(vertex);
}

// Triangle k of the fan is (centre, point k, point k + 1); a quad
// (centre, a, b, c) draws (centre, a, b) and (centre, b, c).
void BatchAssembler::AddToFan(const BatchVertex& vertex) {
    if (count_ < 2) {
        carry_[count_] = vertex;
        return;
    }
    if (openSlot_ != kNoIndex) {
        buffer_.Replace(openSlot_, vertex);
        openSlot_ = kNoIndex;
    } else {
        EnsureRoom(4);
        const BatchVertex quad[4] = {carry_[0], carry_[1], vertex, vertex};
        buffer_.PushQuad(quad);
        openSlot_ = buffer_.VertexCount() - 1;
    }
    carry_[1] = vertex;
}

void BatchAssembler::PushSegment(const BatchVertex& from, const BatchVertex& to) {
    EnsureRoom(2);
    buffer_.Push(from);
    buffer_.Push(to);
}

void BatchAssembler::AddToOutline(const BatchVertex& vertex) {
    if (count_ == 0) {
        carry_[0] = carry_[1] = vertex;
        return;
    }
    PushSegment(carry_[1], vertex);
    carry_[1] = vertex;
}

void BatchAssembler::End() {
    if (groupSize_ != 0 && count_ % groupSize_ != 0) buffer_.TruncateVertices(groupStart_);
    // Two points make one segment; closing would draw it twice.
    if (kind_ == kPrimitiveOutline && count_ >= 3) PushSegment(carry_[1], carry_[0]);
    kind_ = 0;
    groupSize_ = 0;
}

void BatchAssembler::Resume() {
    openSlot_ = kNoIndex;
    groupStart_ = buffer_.VertexCount();
    if (groupSize_ == 0) return;
    uint32_t pending = count_ % groupSize_;
    for (uint32_t i = 0; i < pending; ++i) buffer_.Push(carry_[i]);
}

}  // namespace ov

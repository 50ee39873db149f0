#include "engine/BatchAssembler.h"

namespace ov {

namespace {

int GroupSize(int kind) {
    return kind == kPrimitiveQuads ? 4 : kind == kPrimitiveTriangles ? 3 : 0;
}

uint32_t GroupIndices(int groupSize) {
    return groupSize == 4 ? 6 : 3;
}

}  // namespace

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
    count_ = 0;
    startVertex_ = buffer_.VertexCount();
    firstIndex_ = kNoIndex;
    previousIndex_ = kNoIndex;
    return true;
}

void BatchAssembler::EnsureRoom(uint32_t vertices, uint32_t indices) {
    if (!buffer_.HasRoom(vertices, indices)) flush_();
}

void BatchAssembler::Add(const BatchVertex& vertex) {
    switch (kind_) {
        case kPrimitivePoints:
            EnsureRoom(1, 0);
            buffer_.Push(vertex);
            break;
        case kPrimitiveTriangles:
        case kPrimitiveQuads:
            AddToGroup(vertex, GroupSize(kind_));
            break;
        case kPrimitiveFan:
            AddToFan(vertex);
            break;
        case kPrimitiveOutline:
            AddToOutline(vertex);
            break;
        default:
            return;
    }
    ++count_;
}

void BatchAssembler::AddToGroup(const BatchVertex& vertex, int groupSize) {
    uint32_t position = count_ % groupSize;
    if (position == 0) {
        EnsureRoom(groupSize, GroupIndices(groupSize));
        groupStart_ = buffer_.VertexCount();
    }
    carry_[position] = vertex;
    buffer_.Push(vertex);
    if (position + 1 != static_cast<uint32_t>(groupSize)) return;
    uint32_t s = groupStart_;
    buffer_.PushIndex(s);
    buffer_.PushIndex(s + 1);
    buffer_.PushIndex(s + 2);
    if (groupSize == 4) {
        buffer_.PushIndex(s);
        buffer_.PushIndex(s + 2);
        buffer_.PushIndex(s + 3);
    }
}

void BatchAssembler::AddToFan(const BatchVertex& vertex) {
    if (count_ == 0) {
        EnsureRoom(3, 3);
        firstIndex_ = buffer_.Push(vertex);
        carry_[0] = vertex;
        return;
    }
    if (count_ >= 2) EnsureRoom(1, 3);
    uint32_t current = buffer_.Push(vertex);
    if (count_ >= 2) {
        buffer_.PushIndex(firstIndex_);
        buffer_.PushIndex(previousIndex_);
        buffer_.PushIndex(current);
    }
    previousIndex_ = current;
    carry_[1] = vertex;
}

void BatchAssembler::AddToOutline(const BatchVertex& vertex) {
    if (count_ == 0) {
        EnsureRoom(2, 2);
        firstIndex_ = previousIndex_ = buffer_.Push(vertex);
        carry_[0] = carry_[1] = vertex;
        return;
    }
    EnsureRoom(1, 2);
    uint32_t current = buffer_.Push(vertex);
    buffer_.PushIndex(previousIndex_);
    buffer_.PushIndex(current);
    previousIndex_ = current;
    carry_[1] = vertex;
}

void BatchAssembler::CloseOutline() {
    if (firstIndex_ == kNoIndex) {
        EnsureRoom(1, 2);
        firstIndex_ = buffer_.Push(carry_[0]);
    } else {
        EnsureRoom(0, 2);
    }
    buffer_.PushIndex(previousIndex_);
    buffer_.PushIndex(firstIndex_);
}

void BatchAssembler::End() {
    switch (kind_) {
        case kPrimitiveTriangles:
        case kPrimitiveQuads:
            if (count_ % GroupSize(kind_) != 0) buffer_.TruncateVertices(groupStart_);
            break;
        case kPrimitiveFan:
            if (count_ < 3) buffer_.TruncateVertices(startVertex_);
            break;
        case kPrimitiveOutline:
            if (count_ < 2) buffer_.TruncateVertices(startVertex_);
            // Two points make one segment; closing would draw it twice.
            if (count_ >= 3) CloseOutline();
            break;
        default:
            break;
    }
    kind_ = 0;
}

void BatchAssembler::Resume() {
    startVertex_ = 0;
    switch (kind_) {
        case kPrimitiveTriangles:
        case kPrimitiveQuads: {
            uint32_t pending = count_ % GroupSize(kind_);
            groupStart_ = buffer_.VertexCount();
            for (uint32_t i = 0; i < pending; ++i) buffer_.Push(carry_[i]);
            break;
        }
        case kPrimitiveFan:
            if (count_ >= 1) firstIndex_ = buffer_.Push(carry_[0]);
            if (count_ >= 2) previousIndex_ = buffer_.Push(carry_[1]);
            break;
        case kPrimitiveOutline:
            firstIndex_ = kNoIndex;
            if (count_ >= 1) previousIndex_ = buffer_.Push(carry_[1]);
            break;
        default:
            break;
    }
}

}  // namespace ov

// The GL buffers of the batch, allocated once: a vertex ring and an index
// buffer of quads (0, 1, 2, 0, 2, 3, then the same four vertices on), filled
// once. Where buffer storage exists the ring stays mapped and lends the
// batch a window to write its vertices straight into; otherwise each flush
// copies them in with glBufferSubData. Fences keep vertices GL may still
// read from being overwritten.
#pragma once

#include "ovcore/engine/render/BatchVertex.h"

#include <cstddef>
#include <cstdint>

namespace ov {

class BatchStream {
public:
    static constexpr size_t kNoOffset = static_cast<size_t>(-1);

    // Forgets every GL object (their namespace is gone).
    void Forget();
    // A window of the mapped ring for up to `wanted` vertices (a multiple of
    // four) that GL no longer reads, or null where the ring cannot stay
    // mapped. The ring holds two batches of `capacity` vertices. The window
    // is smaller than wanted rather than wait for vertices GL still reads.
    BatchVertex* Lend(uint32_t wanted, uint32_t capacity, uint32_t& lent);
    // Brings the vertices into the ring (vertices written into the window
    // lent last stay where they are); the byte offset of the first, or
    // kNoOffset when no room can be had.
    size_t Upload(const BatchVertex* vertices, uint32_t count, uint32_t capacity);
    // Marks the vertices of the last upload as in use by the draw just issued.
    void Fence();
    // Binds an index buffer that covers `quads` quads; false when it cannot.
    bool BindQuadIndices(uint32_t quads, uint32_t capacity);
    unsigned VertexBuffer() const { return vertexBuffer_; }
    bool Persistent() const { return mapped_ != nullptr; }

private:
    struct Fenced {
        void* sync;
        size_t begin;
        size_t end;
    };
    static constexpr int kFences = 64;

    bool EnsureRing(size_t bytes, uint32_t capacity);
    bool CreateRing(size_t bytes);
    void DropRing();
    void WaitFor(size_t begin, size_t end);
    void WaitOldest();
    bool OldestDone();

    unsigned vertexBuffer_ = 0;
    unsigned indexBuffer_ = 0;
    unsigned char* mapped_ = nullptr;
    size_t ringBytes_ = 0;
    size_t head_ = 0;
    size_t lastBegin_ = 0;
    size_t lastEnd_ = 0;
    const BatchVertex* lent_ = nullptr;
    size_t lentBegin_ = 0;
    uint32_t indexedQuads_ = 0;
    Fenced fences_[kFences] = {};
    int oldestFence_ = 0;
    int fenceCount_ = 0;
};

}  // namespace ov

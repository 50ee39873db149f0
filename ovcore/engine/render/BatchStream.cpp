#include "ovcore/engine/render/BatchStream.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace ov {

namespace {

constexpr GLuint64 kWaitNanoseconds = 1000000000;
// Small batches still rotate through enough room not to wait on every wrap.
constexpr size_t kMinimumRingBytes = size_t{1} << 20;

// OV_GL_NO_BUFFER_STORAGE=1 takes the glBufferSubData path even where
// buffer storage exists.
bool CanMapPersistently() {
    const char* off = std::getenv("OV_GL_NO_BUFFER_STORAGE");
    if (off && *off && std::strcmp(off, "0") != 0) return false;
    return epoxy_gl_version() >= 44 || epoxy_has_gl_extension("GL_ARB_buffer_storage");
}

bool Overlaps(size_t begin, size_t end, size_t otherBegin, size_t otherEnd) {
    return begin < otherEnd && otherBegin < end;
}

}  // namespace

void BatchStream::Forget() {
    vertexBuffer_ = indexBuffer_ = 0;
    mapped_ = nullptr;
    lent_ = nullptr;
    ringBytes_ = head_ = lastBegin_ = lastEnd_ = 0;
    indexedQuads_ = 0;
    oldestFence_ = fenceCount_ = 0;
}

void BatchStream::DropRing() {
    while (fenceCount_ > 0) WaitOldest();
    if (vertexBuffer_) glDeleteBuffers(1, &vertexBuffer_);
    vertexBuffer_ = 0;
    mapped_ = nullptr;
    lent_ = nullptr;
    ringBytes_ = head_ = 0;
}

bool BatchStream::CreateRing(size_t bytes) {
    DropRing();
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    if (CanMapPersistently()) {
        const GLbitfield flags = GL_MAP_WRITE_BIT | GL_MAP_PERSISTENT_BIT | GL_MAP_COHERENT_BIT;
        glBufferStorage(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, flags);
        mapped_ =
            static_cast<unsigned char*>(glMapBufferRange(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), flags));
    }
    if (!mapped_) glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STREAM_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (glGetError() != GL_NO_ERROR) {
        DropRing();
        return false;
    }
    ringBytes_ = bytes;
    return true;
}

void BatchStream::WaitOldest() {
    Fenced& fenced = fences_[oldestFence_];
    GLsync sync = static_cast<GLsync>(fenced.sync);
    GLenum result = GL_TIMEOUT_EXPIRED;
    while (result == GL_TIMEOUT_EXPIRED) result = glClientWaitSync(sync, GL_SYNC_FLUSH_COMMANDS_BIT, kWaitNanoseconds);
    glDeleteSync(sync);
    oldestFence_ = (oldestFence_ + 1) % kFences;
    --fenceCount_;
}

// Ranges are fenced in ring order, so the ones a new write reaches are the
// oldest.
void BatchStream::WaitFor(size_t begin, size_t end) {
    while (fenceCount_ > 0 && Overlaps(begin, end, fences_[oldestFence_].begin, fences_[oldestFence_].end)) {
        WaitOldest();
    }
}

bool BatchStream::EnsureRing(size_t bytes, uint32_t capacity) {
    if (vertexBuffer_ && ringBytes_ >= bytes) return true;
    const size_t wanted = std::max(kMinimumRingBytes, 2 * std::max(bytes, size_t{capacity} * sizeof(BatchVertex)));
    return CreateRing(wanted);
}

bool BatchStream::OldestDone() {
    Fenced& fenced = fences_[oldestFence_];
    if (glClientWaitSync(static_cast<GLsync>(fenced.sync), 0, 0) == GL_TIMEOUT_EXPIRED) return false;
    glDeleteSync(static_cast<GLsync>(fenced.sync));
    oldestFence_ = (oldestFence_ + 1) % kFences;
    --fenceCount_;
    return true;
}

BatchVertex* BatchStream::Lend(uint32_t wanted, uint32_t capacity, uint32_t& lent) {
    lent = 0;
    lent_ = nullptr;
    const size_t wantedBytes = size_t{wanted} * sizeof(BatchVertex);
    if (!EnsureRing(wantedBytes, capacity) || !mapped_) return nullptr;
    // A window smaller than this is not worth a draw call of its own.
    const size_t enough = std::min(wantedBytes, kMinimumRingBytes / 4);
    // The ring's end does not cut a window short: a batch split there would
    // change the size of every draw once a lap, and with it the driver's
    // scratch memory.
    size_t begin = head_;
    if (ringBytes_ - begin < wantedBytes) {
        WaitFor(begin, ringBytes_);
        begin = 0;
    }
    size_t end = std::min(ringBytes_, begin + wantedBytes);
    while (fenceCount_ > 0 && Overlaps(begin, end, fences_[oldestFence_].begin, fences_[oldestFence_].end)) {
        if (OldestDone()) continue;
        if (fences_[oldestFence_].begin >= begin + enough) {
            end = fences_[oldestFence_].begin;
            break;
        }
        WaitOldest();
    }
    lent = static_cast<uint32_t>((end - begin) / sizeof(BatchVertex)) & ~3u;
    lentBegin_ = begin;
    lent_ = reinterpret_cast<const BatchVertex*>(mapped_ + begin);
    return reinterpret_cast<BatchVertex*>(mapped_ + begin);
}

size_t BatchStream::Upload(const BatchVertex* vertices, uint32_t count, uint32_t capacity) {
    const size_t bytes = static_cast<size_t>(count) * sizeof(BatchVertex);
    size_t begin = lentBegin_;
    if (vertices != lent_ || !mapped_) {
        if (!EnsureRing(bytes, capacity)) return kNoOffset;
        begin = head_;
        if (begin + bytes > ringBytes_) {
            WaitFor(begin, ringBytes_);
            begin = 0;
        }
        WaitFor(begin, begin + bytes);
        if (mapped_) {
            std::memcpy(mapped_ + begin, vertices, bytes);
        } else {
            glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
            glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(begin), static_cast<GLsizeiptr>(bytes), vertices);
            glBindBuffer(GL_ARRAY_BUFFER, 0);
        }
    }
    lent_ = nullptr;
    lastBegin_ = begin;
    lastEnd_ = begin + bytes;
    head_ = lastEnd_;
    return begin;
}

void BatchStream::Fence() {
    if (!mapped_ || lastEnd_ == lastBegin_) return;
    if (fenceCount_ == kFences) WaitOldest();
    GLsync sync = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    if (!sync) {
        glFinish();
        return;
    }
    fences_[(oldestFence_ + fenceCount_) % kFences] = {sync, lastBegin_, lastEnd_};
    ++fenceCount_;
    lastBegin_ = lastEnd_;
}

bool BatchStream::BindQuadIndices(uint32_t quads, uint32_t capacity) {
    if (quads > indexedQuads_ || !indexBuffer_) {
        uint32_t covered = std::max(quads, capacity / 4);
        std::vector<uint32_t> indices;
        try {
            indices.resize(static_cast<size_t>(covered) * 6);
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (uint32_t quad = 0; quad < covered; ++quad) {
            const uint32_t first = quad * 4;
            const uint32_t pattern[6] = {first, first + 1, first + 2, first, first + 2, first + 3};
            std::copy(pattern, pattern + 6, indices.begin() + static_cast<ptrdiff_t>(quad) * 6);
        }
        if (!indexBuffer_) glGenBuffers(1, &indexBuffer_);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint32_t)),
                     indices.data(), GL_STATIC_DRAW);
        indexedQuads_ = glGetError() == GL_NO_ERROR ? covered : 0;
        return indexedQuads_ >= quads;
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    return true;
}

}  // namespace ov

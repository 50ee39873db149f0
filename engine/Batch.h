// The engine's batched renderer: vertices of every drawing call are
// transformed by the model view on the CPU and collected in one buffer that
// is drawn with one call when something that applies to the whole draw
// changes (primitive class, projection, blend, clip, point size, program,
// target), when a new texture finds every texture unit taken, when the
// buffer is full, and at the end of a frame.
#pragma once

#include "engine/BatchAssembler.h"
#include "engine/BatchBuffer.h"
#include "engine/BatchGl.h"
#include "engine/BatchTextures.h"

#include <cstdint>

namespace ov {

struct BatchStatistics {
    uint32_t drawCalls = 0;
    uint32_t vertices = 0;
};

// How the vertices of one drawing call look apart from their positions.
struct VertexStyle {
    uint8_t rgba[4];
    uint8_t unit;
};

class Batch {
public:
    static Batch& Instance();

    // Sizes the buffer (pending drawing is flushed first); false when the
    // memory cannot be had.
    bool Reserve(uint32_t vertices);
    void BindTexture(unsigned glName);
    void UseProgram(unsigned program);
    void Flush();

    // Opens a primitive; false (later vertices are ignored) for an unknown
    // kind or when no target is current.
    bool Begin(int kind);
    // Transforms (x, y, z, w) by the model view and adds it.
    void Add(double x, double y, double z, double w, float s, float t, const VertexStyle& style);
    void End();
    bool Open() const { return assembler_.Open(); }

    // The drawing colour and texture unit the state table gives now.
    VertexStyle CurrentStyle() const;
    static void ColourToBytes(double r, double g, double b, double a, uint8_t* rgba);

    // Numbers since the previous call, then counting starts anew.
    BatchStatistics TakeStatistics();

private:
    Batch();
    static void FlushInstance();
    bool Ready();

    BatchBuffer buffer_;
    BatchAssembler assembler_;
    BatchTextures textures_;
    BatchGl gl_;
    unsigned boundName_ = 0;
    int boundUnit_ = -1;
    unsigned program_ = 0;
    BatchStatistics statistics_;
};

}  // namespace ov

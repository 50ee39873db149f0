// The engine's batched renderer: vertices of every drawing call are
// transformed by the model view on the CPU and collected in one buffer that
// is drawn with one call when something that applies to the whole draw
// changes (primitive class, projection, blend, clip, point size, program,
// target), when a new texture finds every texture unit taken, when the
// buffer is full, and at the end of a frame.
#pragma once

#include "ovcore/engine/render/BatchAssembler.h"
#include "ovcore/engine/render/BatchBuffer.h"
#include "ovcore/engine/render/BatchGl.h"
#include "ovcore/engine/render/BatchTextures.h"
#include "ovcore/engine/render/Renderer.h"
#include "ovcore/engine/render/StateTable.h"

#include <cstdint>
#include <cstring>

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

// True when the column-major matrix has no perspective row to apply.
inline bool IsAffine(const double* m) { return m[3] == 0.0 && m[7] == 0.0 && m[11] == 0.0 && m[15] == 1.0; }

// The model view (column-major) as vertices are put through it; an affine
// one has no perspective row to apply.
struct ModelViewTransform {
    const double* m;
    bool affine;

    void Place(double x, double y, double z, double w, BatchVertex& out) const {
        double outX = m[0] * x + m[4] * y + m[8] * z + m[12] * w;
        double outY = m[1] * x + m[5] * y + m[9] * z + m[13] * w;
        double outZ = m[2] * x + m[6] * y + m[10] * z + m[14] * w;
        double outW = affine ? w : m[3] * x + m[7] * y + m[11] * z + m[15] * w;
        if (outW != 1.0 && outW != 0.0) {
            outX /= outW;
            outY /= outW;
            outZ /= outW;
        }
        out.x = static_cast<float>(outX);
        out.y = static_cast<float>(outY);
        out.z = static_cast<float>(outZ);
    }
};

class Batch {
public:
    // Defined here so that every drawing call reaches the batch without a
    // call of its own.
    static Batch& Instance() {
        static Batch batch;
        return batch;
    }

    // Sizes the buffer (pending drawing is flushed first); false when the
    // memory cannot be had.
    bool Reserve(uint32_t vertices);
    // Sprites drawn in turns from a few textures find each on its unit here.
    void BindTexture(unsigned glName) {
        if (glName != 0 && !programs_.Any()) {
            const int unit = glName == boundName_ && boundUnit_ >= 0 ? boundUnit_ : textures_.Holding(glName);
            if (unit >= 0) {
                boundName_ = glName;
                boundUnit_ = unit;
                return;
            }
        }
        RebindTexture(glName);
    }
    void UsePrograms(const UserPrograms& programs);
    void Flush();

    // Opens a primitive; false (later vertices are ignored) for an unknown
    // kind or when no target is current.
    bool Begin(int kind);
    // Transforms (x, y, z, w) by the model view and adds it.
    void Add(double x, double y, double z, double w, float s, float t, const VertexStyle& style);
    // Adds a vertex already put through the model view.
    void AddPlaced(const BatchVertex& vertex) { assembler_.Add(vertex); }
    // Adds the next quad of an open quad primitive, its vertices placed;
    // false when the primitive is not at a quad boundary.
    bool AddQuad(const BatchVertex* four) { return assembler_.AddQuad(four); }
    // Four slots for one quad drawn on its own, what Begin(quads), four
    // vertices and End give, to be filled at once in `style`, the current
    // one (given back), with every corner at `depth`; null (nothing drawn)
    // while a primitive is open or when no target is current.
    BatchVertex* LoneQuad(VertexStyle& style, float depth) {
        if (assembler_.Open() || !Ready()) return nullptr;
        style = CurrentStyle();
        return assembler_.LoneQuad(StyleWordOf(style.rgba, style.unit), depth);
    }
    // The same quad at depths of its own: write(four, style) places four
    // vertices in the current style, then they are added.
    template <class Write>
    void AddLoneQuad(Write write) {
        if (assembler_.Open() || !Ready()) return;
        BatchVertex four[4];
        write(four, CurrentStyle());
        assembler_.AddLoneQuad(four);
    }
    ModelViewTransform CurrentModelView() const;
    void End();
    bool Open() const { return assembler_.Open(); }

    // The drawing colour and texture unit the state table gives now.
    VertexStyle CurrentStyle() const {
        VertexStyle style{};
        const double* colour = States().DrawColour();
        if (std::memcmp(colour, styleColour_, sizeof(styleColour_)) != 0) NoteColour(colour);
        std::memcpy(style.rgba, styleBytes_, sizeof(styleBytes_));
        const bool textured = boundName_ != 0 && boundUnit_ >= 0 && States().Texturing();
        style.unit = textured ? static_cast<uint8_t>(boundUnit_) : kUntextured;
        return style;
    }
    static void ColourToBytes(double r, double g, double b, double a, uint8_t* rgba);

    // Numbers since the previous call, then counting starts anew.
    BatchStatistics TakeStatistics();

private:
    Batch();
    static void MakeRoomInstance();
    // Draws and empties the buffer, leaving an open primitive's carried
    // vertices to the caller.
    void Submit();
    // A live target and the means to draw on it. Vertices pending show
    // that the rest held when they were added, and any change since would
    // have flushed them.
    bool Ready() { return Render().Ready() && (!buffer_.Empty() || PrepareEmpty()); }
    bool PrepareEmpty();
    void RebindTexture(unsigned glName);
    // Converts a drawing colour that differs from the one converted last.
    void NoteColour(const double* colour) const;
    void BorrowWindow();

    BatchBuffer buffer_;
    BatchAssembler assembler_;
    BatchTextures textures_;
    BatchGl gl_;
    unsigned boundName_ = 0;
    int boundUnit_ = -1;
    UserPrograms programs_;
    BatchStatistics statistics_;
    // The bytes of the colour state last converted.
    mutable double styleColour_[4] = {1.0, 1.0, 1.0, 1.0};
    mutable uint8_t styleBytes_[4] = {255, 255, 255, 255};
};

}  // namespace ov

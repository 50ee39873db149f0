// The GL side of the batch: the program variants, the vertex ring and quad
// indices, and the one draw call per flush. Vertex attributes are set up at
// every draw, so any context of the shared namespace can draw.
#pragma once

#include "ovcore/engine/render/BatchPrograms.h"
#include "ovcore/engine/render/BatchStream.h"
#include "ovcore/engine/render/BatchTextures.h"
#include "ovcore/engine/render/BatchVertex.h"
#include "ovcore/engine/render/RenderContext.h"
#include "ovcore/engine/render/Renderer.h"

#include <cstddef>
#include <cstdint>

namespace ov {

// Triangles come as quads of four vertices (a triangle repeats its last
// vertex), lines as pairs, points one by one.
struct BatchDraw {
    PrimitiveClass primitiveClass = PrimitiveClass::None;
    const BatchVertex* vertices = nullptr;
    uint32_t vertexCount = 0;
    VertexSummary vertexSummary;
    // The vertices a batch holds at most; sizes the GL buffers.
    uint32_t capacity = 0;
    const double* projection = nullptr;
    const BatchTextures* textures = nullptr;
    bool pointSprites = false;
    bool smoothPoints = false;
    // None for the renderer's own programs.
    UserPrograms programs;
};

class BatchGl {
public:
    // The GL objects exist in the current context's object namespace; false
    // when GL cannot make them. Needs a current context.
    bool Ensure() { return (marker_ && checkedActivation_ == Render().Activations()) || EnsureSlow(); }
    int TextureUnits() const { return textureUnits_; }
    // A window of GL's vertex memory for the next batch to write into, or
    // null; see BatchStream::Lend. Needs Ensure().
    BatchVertex* LendVertices(uint32_t wanted, uint32_t capacity, uint32_t& lent) {
        return stream_.Lend(wanted, capacity, lent);
    }
    // Issues the draw call; false when nothing was drawn.
    bool Draw(const BatchDraw& draw);

private:
    bool EnsureSlow();
    bool StillOurs() const;
    bool Create();
    void Forget();
    BatchProgram* VariantFor(const BatchDraw& draw, bool levelFree);
    // Points the attributes the program reads at the vertices from offset
    // on; the planar variant reads x and y only.
    static void SetUpAttributes(size_t offset, const BatchProgram& program);
    // The compatibility profile's vertex, colour and texture-coordinate arrays.
    static void SetUpBuiltIns(size_t offset);
    static void TearDownBuiltIns();
    // Binds every unit's texture; true when each gives the same texel at any
    // level of detail.
    static bool BindTextures(const BatchTextures& textures);
    void SetUniforms(const BatchDraw& draw, const BatchProgram& own) const;
    // Draws with the program's attributes, or the built-in arrays when null.
    bool Issue(const BatchDraw& draw, const BatchProgram* own);
    bool DrawOwn(const BatchDraw& draw);
    bool DrawUser(const BatchDraw& draw);

    BatchPrograms programs_;
    BatchStream stream_;
    // Names the namespace the objects live in (an empty texture of ours).
    unsigned marker_ = 0;
    int textureUnits_ = 1;
    unsigned checkedActivation_ = 0;
    bool failed_ = false;
    char label_[32] = {};
};

}  // namespace ov

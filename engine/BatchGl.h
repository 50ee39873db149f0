// The GL side of the batch: the program, the streaming vertex and index
// buffers, and the one draw call per flush. Vertex attributes are set up at
// every draw, so any context of the shared namespace can draw.
#pragma once

#include "engine/BatchTextures.h"
#include "engine/BatchVertex.h"

#include <cstdint>

namespace ov {

struct BatchDraw {
    PrimitiveClass primitiveClass = PrimitiveClass::None;
    const BatchVertex* vertices = nullptr;
    uint32_t vertexCount = 0;
    const uint32_t* indices = nullptr;
    uint32_t indexCount = 0;
    const double* projection = nullptr;
    const BatchTextures* textures = nullptr;
    bool pointSprites = false;
    bool smoothPoints = false;
    // 0 for the renderer's own program.
    unsigned program = 0;
};

class BatchGl {
public:
    // The program and buffers exist in the current context's object
    // namespace; false when GL cannot make them. Needs a current context.
    bool Ensure();
    int TextureUnits() const { return textureUnits_; }
    // Issues the draw call; false when nothing was drawn.
    bool Draw(const BatchDraw& draw);

private:
    bool StillOurs() const;
    bool Create();
    void LabelProgram();
    void SetUpAttributes() const;
    void BindTextures(const BatchTextures& textures) const;
    void SetUniforms(const BatchDraw& draw) const;

    unsigned program_ = 0;
    unsigned vertexBuffer_ = 0;
    unsigned indexBuffer_ = 0;
    int textureUnits_ = 1;
    int projectionLocation_ = -1;
    int pointSpriteLocation_ = -1;
    int smoothPointsLocation_ = -1;
    unsigned checkedActivation_ = 0;
    bool failed_ = false;
    char label_[32] = {};
};

}  // namespace ov

// The script extension "TechniqueShader": keywords and ten commands that
// clear buffers, switch shader passes and canvases, draw textured
// rectangles, copy the screen, and set colours, blending, parameters and
// attributes.
#pragma once

#include "ovcore/engine/OrvoCore.h"

namespace OvCore {

// The header the extension is linked from, as the engine receives it.
extern const char TECHNIQUE_SHADER_HEADER[];

// Keyword numbers: positions in the header's keyword list.
enum OV_TECHNIQUE_KEYWORD : int {
    TK_FALSE,
    TK_TRUE,
    TK_COLOR,
    TK_DEPTH,
    TK_STENCIL,
    TK_ACCUM,
    TK_ENABLE,
    TK_DISABLE,
    TK_MODEL,
    TK_SCENE,
    TK_ZERO,
    TK_ONE,
    TK_SRC_COLOR,
    TK_ONE_MINUS_SRC_COLOR,
    TK_DST_COLOR,
    TK_ONE_MINUS_DST_COLOR,
    TK_SRC_ALPHA,
    TK_ONE_MINUS_SRC_ALPHA,
    TK_DST_ALPHA,
    TK_ONE_MINUS_DST_ALPHA,
    TK_SRC_ALPHA_SATURATE,
    TK_CONSTANT_COLOR,
    TK_ONE_MINUS_CONSTANT_COLOR,
    TK_CONSTANT_ALPHA,
    TK_ONE_MINUS_CONSTANT_ALPHA,
    TK_FLOAT,
    TK_VEC2,
    TK_VEC3,
    TK_VEC4,
    TK_INT,
    TK_IVEC2,
    TK_IVEC3,
    TK_IVEC4,
    TK_TEXTURE,
    TK_CANVAS
};

// Links the extension, builds the definition list (freeing the one of an
// earlier call) and registers the ten handlers.
void InitTechniqueShaders();
// The list every compile and execute of a technique script passes; null
// before InitTechniqueShaders.
const OvLumetDefinitionList* TechniqueDefinitions();
// The engine blend value of a blend keyword; 0 for any other keyword.
int TechniqueBlendValue(uintptr_t keyword);

}  // namespace OvCore

// The renderer's own GLSL programs: vertices already in model-view space, the
// projection as a uniform (or only its scales and shifts, for a batch at one
// depth). A batch is drawn by the variant that fits it: no
// sampler, one sampler (uTexture, set to the batch's one unit), or a power of
// two of samplers (uTexture0 ...) picked by the vertex's unit; the colour
// comes per vertex or, when every vertex of the batch has the same one, as
// the uniform uColour, or not at all when it is opaque white; points have variants of their own for sprites and
// round points.
#pragma once

#include <string>

namespace ov {

enum BatchAttribute { kAttributePosition = 0, kAttributeTexcoord = 1, kAttributeColour = 2, kAttributeUnit = 3 };

struct ShaderVariant {
    // 0, 1, or a power of two up to the unit limit.
    int samplers = 0;
    bool points = false;
    bool uniformColour = false;
    // The one colour is opaque white, so the texel stands as it is.
    bool white = false;
    // One sampler, but some vertices are untextured.
    bool someUntextured = false;
    // Several samplers, and every bound texture gives the same texel at any
    // level of detail (no mipmap filter, equal filters): sampled at level 0,
    // with no derivatives to compute.
    bool levelFree = false;
    // Every vertex at one depth under a projection that only scales and
    // shifts each axis: the vertex shader reads x and y alone and is given
    // the scales, the shifts and the one clip-space depth.
    bool planar = false;
};

std::string BatchVertexShaderSource(const ShaderVariant& variant);
std::string BatchFragmentShaderSource(const ShaderVariant& variant);

}  // namespace ov

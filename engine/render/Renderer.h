// What the rest of the engine needs from the batched renderer.
#pragma once

namespace ov {

// Makes glName (a GL_TEXTURE_2D, 0 for none) the texture of the vertices
// that follow. The texture is bound to a unit of its own at the next flush.
void BindTexture(unsigned glName, int width, int height);
// Draws pending vertices. Call it before changing a texture's pixels,
// deleting a texture, or changing the destination of drawing.
void FlushBatch();
// Draws later vertices with `program` (0 for the renderer's own). A program
// of its own gets the attributes 0 position (vec3), 1 texcoord (vec2),
// 2 colour (vec4), 3 texture unit (float, 255 untextured) and, where it
// declares them, the uniforms uProjection, uPointSprite and uSmoothPoints.
void UseBatchProgram(unsigned program);

}  // namespace ov

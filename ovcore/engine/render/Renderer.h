// What the rest of the engine needs from the batched renderer.
#pragma once

namespace ov {

// Makes glName (a GL_TEXTURE_2D, 0 for none) the texture of the vertices
// that follow. The texture is bound to a unit of its own at the next flush.
void BindTexture(unsigned glName, int width, int height);
// Draws pending vertices. Call it before changing a texture's pixels,
// deleting a texture, or changing the destination of drawing.
void FlushBatch();
// Programs of the user's that draw later vertices in place of the
// renderer's own: a GLSL program, or assembly vertex and fragment programs
// (either may be 0); all 0 for the renderer's own. They get the vertices as
// a compatibility-profile GL gives them: gl_Vertex (already through the
// model view, so the built-in model view is the identity), gl_Color,
// gl_MultiTexCoord0 and the projection as the built-in projection matrix;
// the texture of the batch's first textured vertex is bound to unit 0, and a
// texture change flushes. A change of programs flushes pending drawing.
struct UserPrograms {
    unsigned glsl = 0;
    unsigned assemblyVertex = 0;
    unsigned assemblyFragment = 0;

    bool Any() const { return glsl != 0 || assemblyVertex != 0 || assemblyFragment != 0; }
    bool operator==(const UserPrograms&) const = default;
};
void UseUserPrograms(const UserPrograms& programs);

}  // namespace ov

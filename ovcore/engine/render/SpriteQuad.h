// One textured quad placed by translate x turns x scale, written straight
// into the batch: the engine's one-call sprite.
#pragma once

namespace ov {

// Adds the quad the model view Translation(translate) x Rotation(turns[0]
// about x, turns[1] about y, turns[2] about z) x Scaling(scale) makes of the
// four corners (x, y, z, w each) with texture coordinates coords (s, t, r, q
// each), in the current colour and with the texture bound now. Draws nothing
// while a primitive is open or no target is current.
void AddSpriteQuad(const double* translate, const double* turns, const double* scale, const double* corners,
                   const double* coords);

}  // namespace ov

// What the texture and frame-buffer code needs from the batched renderer:
// binding a texture for drawing (0 = none) and drawing pending vertices.
#pragma once

namespace ov {

void BindTexture(unsigned glName, int width, int height);
void FlushBatch();

}  // namespace ov

// The GL side of textures: uploads, read-back and parameters, each leaving
// GL's own texture binding as it found it.
#pragma once

#include <cstdint>

namespace ov {

// Some GL context is current on this thread.
bool GlAvailable();
// Creates the name when there is none yet; RGBA8 pixels, rows top to
// bottom. False (and a new name deleted again) when GL refuses.
bool UploadTexture(unsigned& glName, int width, int height, const uint8_t* rgba);
// Replaces the pixels of an existing texture of the same size.
bool UpdateTexture(unsigned glName, int width, int height, const uint8_t* rgba);
// Replaces the width x height rectangle at (x, y) (texels, rows top to
// bottom) of an existing texture; rgba holds just that rectangle.
bool UpdateTextureRegion(unsigned glName, int x, int y, int width, int height, const uint8_t* rgba);
bool ReadTexture(unsigned glName, uint8_t* rgba);
void SetTextureParameter(unsigned glName, unsigned parameter, int value);
void GenerateMipmaps(unsigned glName);
void DeleteTexture(unsigned glName);
int MaxTextureSide();

}  // namespace ov

// Named setters of the engine's render state.
#pragma once

#include <cstdint>

namespace OvCore {

// Packed colours hold red in bits 0-7, green 8-15, blue 16-23, alpha 24-31.
// The channel named by 'R', 'G', 'B' or 'A' (either case) as 0..1; 0 for
// any other letter.
double ChannelOf(uint32_t color, char letter);

// The drawing colour, packed or as four channels 0..1:
void SetColor(uint32_t packed);
void SetColor(double r, double g, double b, double a);
// Clears the current render target with the colour, packed or as four channels 0..1:
void ClearScreen(uint32_t packed);
void ClearScreen(double r, double g, double b, double a);

// The blend factors (OV_BLEND_...) of source and destination.
void SetBlend(int source, int destination);
// Source alpha over one minus source alpha.
void DefaultBlend();

}  // namespace OvCore

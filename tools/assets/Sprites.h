// The game's sprites, drawn pixel by pixel with fixed seeds.
#pragma once

#include "tools/assets/Canvas.h"

Canvas PaintWall();  // 16 x 16 brick tile, opaque, tiles seamlessly
Canvas PaintGrass();  // 16 x 16 earth tile with a grass top
Canvas PaintPlayer();  // 16 x 32 standing figure
Canvas PaintSpikeBall();  // 16 x 16 spiked iron ball
Canvas PaintGib();  // 8 x 8 bloody chunk

// The game's desktop icon, painted from its own sprites.
#pragma once

#include "tools/assets/Canvas.h"

// 64 x 64: a player beside a spike ball and a gib over a row of wall tiles,
// on a night-blue ground.
Canvas PaintIcon();

-- Glow: the bright parts of the scene blurred across into a canvas, then
-- blurred down and added onto the scene on screen.
local shaders, blurSlot, scene, across, corners, texcoords, black,
      stepLocation, thresholdLocation, stepAcross, stepDown, bright, everything = ...

-- Pass 1: what is brighter than the threshold, blurred across.
CANVAS(ENABLE, across, TRUE)
COLOR(SCENE, black)
CLEAR(COLOR)
PASS(ENABLE, shaders, blurSlot)
PARAM(VEC2, shaders, stepLocation, stepAcross)
PARAM(FLOAT, shaders, thresholdLocation, bright)
RECT(CANVAS, scene, corners, texcoords, FALSE)
PASS(DISABLE, shaders, blurSlot)
CANVAS(DISABLE, across, FALSE)

-- Pass 2: the scene as it is, then the first pass blurred down on top.
BLEND(ONE, ZERO)
RECT(CANVAS, scene, corners, texcoords, FALSE)
BLEND(ONE, ONE)
PASS(ENABLE, shaders, blurSlot)
PARAM(VEC2, shaders, stepLocation, stepDown)
PARAM(FLOAT, shaders, thresholdLocation, everything)
RECT(CANVAS, across, corners, texcoords, FALSE)
PASS(DISABLE, shaders, blurSlot)
BLEND(SRC_ALPHA, ONE_MINUS_SRC_ALPHA)

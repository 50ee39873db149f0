#pragma once

#include "game/BouncingActor.h"

namespace OvCore {

// A spike ball thrown by a player: keeps half its speed in a bounce, trails
// three copies at a third of full alpha.
class Ball : public BouncingActor {
public:
    Ball(const OV_VECTOR& position, const OV_VECTOR& velocity);
};

}  // namespace OvCore

#pragma once

#include "game/BouncingActor.h"

namespace OvCore {

// A gib dropped by a player: keeps 30 % of its speed in a bounce, trails four
// copies at a quarter of full alpha, and a hard impact plays one of the gib
// sounds.
class Gib : public BouncingActor {
public:
    // A bounced speed above this plays a sound.
    static constexpr double kLoudImpact = 90.0;

    Gib(const OV_VECTOR& position, const OV_VECTOR& velocity);

protected:
    void OnBounce(double bouncedVelocity) override;
};

}  // namespace OvCore

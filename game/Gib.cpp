#include "game/Gib.h"

#include "game/GameSounds.h"

#include <cmath>
#include <cstdlib>

namespace OvCore {

namespace {

constexpr BOUNCE_STYLE kGibStyle{"Gib", "gib", -0.3, 4, 0.25};
constexpr const char* kImpactSounds[] = {"gib1", "gib2", "gib3", "gib4"};

}  // namespace

Gib::Gib(const OV_VECTOR& position, const OV_VECTOR& velocity) : BouncingActor(position, velocity, kGibStyle) {}

void Gib::OnBounce(double bouncedVelocity) {
    if (std::fabs(bouncedVelocity) > kLoudImpact) Sounds().Play(kImpactSounds[std::rand() % 4]);
}

}  // namespace OvCore

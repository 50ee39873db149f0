#include "game/Ball.h"

namespace OvCore {

namespace {

constexpr BOUNCE_STYLE kBallStyle{"Ball", "spikeball", -0.5, 3, 0.33};

}  // namespace

Ball::Ball(const OV_VECTOR& position, const OV_VECTOR& velocity) : BouncingActor(position, velocity, kBallStyle) {}

}  // namespace OvCore

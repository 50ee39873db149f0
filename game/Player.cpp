#include "game/Player.h"

#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/foundation/MathHelpers.h"
#include "game/Ball.h"
#include "game/GameSounds.h"
#include "game/Gib.h"
#include "game/Substeps.h"
#include "game/TileMap.h"
#include "ovcore/render/TextureCollection.h"
#include "ovcore/world/FrameStep.h"

#include <memory>

namespace OvCore {

namespace {

constexpr int kKeyLeft = 'A';
constexpr int kKeyRight = 'D';
constexpr int kKeyJump = 'G';
constexpr int kKeyThrow = 'F';
constexpr int kKeyGib = 'H';

constexpr double kTopRunSpeed = 180.0;
constexpr double kRunAcceleration = 1700.0;
constexpr double kRunDamping = 0.65;
constexpr double kGravity = 700.0;
constexpr double kJumpSpeed = -250.0;
constexpr double kLedgeBoost = 225.0;
constexpr double kLedgeReach = 6.0;
constexpr int kBallsPerThrow = 6;
constexpr double kThrowSpread = 160.0;

template <class Thrown>
void Spawn(const char* className, const OV_VECTOR& position, const OV_VECTOR& velocity) {
    auto actor = std::make_unique<Thrown>(position, velocity);
    if (World().SpawnActor(className, actor.get())) actor.release();
}

}  // namespace

Player::Player(const OV_VECTOR& position) : previousPosition(position) {
    this->position = position;
    SetName("Player");
    sprite = *Textures().Get("player", 0);
}

void Player::OnUpdate(int32_t) {
    const float dt = LoopState().delta;
    Run(dt);
    JumpOrFall(dt);
    MoveInSubsteps();
    previousPosition = position;
    if (KeyPressed(kKeyThrow)) ThrowBalls();
    if (KeyPressed(kKeyGib)) DropGib();
}

void Player::OnRender(int32_t) { Draw(true); }

void Player::Run(float dt) {
    if (KeyHeld(kKeyLeft) && velocity.x > -kTopRunSpeed)
        velocity.x -= kRunAcceleration * dt;
    else if (KeyHeld(kKeyRight) && velocity.x < kTopRunSpeed)
        velocity.x += kRunAcceleration * dt;
    else
        velocity.x *= kRunDamping;
}

// A jump starts only from the ground and only while not rising already.
void Player::JumpOrFall(float dt) {
    const bool grounded = IsSolid(position.x - 4, position.y + 16) || IsSolid(position.x + 4, position.y + 16);
    if (grounded) {
        if (KeyHeld(kKeyJump) && velocity.y >= 0) {
            velocity.y = kJumpSpeed;
            Sounds().Play("jump1");
        }
        return;
    }
    velocity.y += kGravity * dt;
    if (KeyPressed(kKeyJump) && velocity.y < 0) BoostPastLedge();
}

// Rising beside a ledge on the side the player pushes towards: solid at the
// feet there, free above the head.
void Player::BoostPastLedge() {
    const double reach = kLedgeReach * (KeyHeld(kKeyRight) ? 1 : 0) - kLedgeReach * (KeyHeld(kKeyLeft) ? 1 : 0);
    if (IsSolid(position.x + reach, position.y + 17) && !IsSolid(position.x + reach, position.y - 4)) {
        velocity.y -= kLedgeBoost;
        Sounds().Play("jump1");
    }
}

// floor(speed) + 1 substeps of dt pixels each; the frame time is read at
// each substep.
void Player::MoveInSubsteps() {
    const double steps = velocity.Length();
    const int64_t count = SubstepCount(steps);
    bool hitX = false, hitY = false;
    for (int64_t i = 0; i < count; ++i) {
        const float dt = LoopState().delta;
        position.x += dt * velocity.x / steps;
        position.y += dt * velocity.y / steps;
        if (!hitX) hitX = StopAtWall();
        if (!hitY) hitY = StopAtFloorOrCeiling();
    }
}

bool Player::StopAtWall() {
    const double x = position.x, y = position.y;
    if (velocity.x < 0 && (IsSolid(x - 4, y - 14) || IsSolid(x - 4, y) || IsSolid(x - 4, y + 14))) {
        velocity.x = 0;
        position.x += 1;
        return true;
    }
    if (velocity.x > 0 && (IsSolid(x + 4, y - 14) || IsSolid(x + 4, y) || IsSolid(x + 4, y + 14))) {
        velocity.x = 0;
        position.x -= 1;
        return true;
    }
    return false;
}

bool Player::StopAtFloorOrCeiling() {
    const double x = position.x, y = position.y;
    if (velocity.y > 0 && (IsSolid(x - 4, y + 15) || IsSolid(x + 4, y + 15))) {
        velocity.y = 0;
        position.y -= 1;
        return true;
    }
    if (velocity.y < 0 && (IsSolid(x - 4, y - 15) || IsSolid(x + 4, y - 15))) {
        velocity.y = 0;
        position.y += 1;
        return true;
    }
    return false;
}

// Each ball draws its vertical spread first, then its horizontal one.
void Player::ThrowBalls() const {
    for (int i = 0; i < kBallsPerThrow; ++i) {
        const double spreadY = Random(kThrowSpread);
        const double spreadX = Random(kThrowSpread);
        const OV_VECTOR thrown(velocity.x * 3 - 80 + spreadX, velocity.y * 3 - 50 + spreadY, 0, 1);
        Spawn<Ball>("Ball", position, thrown);
    }
}

void Player::DropGib() const { Spawn<Gib>("Gib", position, OV_VECTOR(velocity.x * 3, velocity.y * 3, 0, 1)); }

}  // namespace OvCore

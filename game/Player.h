#pragma once

#include "ovcore/foundation/Vector.h"
#include "ovcore/world/Actor2D.h"

#include <cstdint>

namespace OvCore {

// The figure the keyboard moves: 'A' and 'D' run, 'G' jumps (with a boost
// when rising past a ledge), 'F' throws six spike balls, 'H' drops a gib.
// Its collision box is 8 pixels wide and 30 high around its position; it
// moves in substeps of dt pixels, so that it never passes through a cell.
class Player : public OV_ACTOR2D {
public:
    OV_VECTOR previousPosition;
    OV_VECTOR velocity{0.0, 0.0, 0.0, 1.0};

    explicit Player(const OV_VECTOR& position);

    void OnUpdate(int32_t unused) override;
    void OnRender(int32_t unused) override;

private:
    void Run(float dt);
    void JumpOrFall(float dt);
    void BoostPastLedge();
    void MoveInSubsteps();
    bool StopAtWall();
    bool StopAtFloorOrCeiling();
    void ThrowBalls() const;
    void DropGib() const;
};

}  // namespace OvCore

// The engine's soft-body objects: substances (point masses), covalence
// forces (springs), surfaces (triangles) and the DNAs that link them.
#pragma once

#include "ovcore/engine/OrvoCore.h"

#include <cstdint>
#include <vector>

class b2Body;
class b2DistanceJoint;

namespace ov {

struct Substance {
    uint32_t id = 0;
    OvFour position{0, 0, 0, 1};  // pixels
    double mass = 0;
    double range = 0;
    int solid = 0;
    uint32_t dna = 0;  // the DNA it is linked to; 0 when unlinked
    b2Body* body = nullptr;  // only while linked
};

struct CovalenceForce {
    uint32_t id = 0;
    uint64_t made = 0;  // forces made before this one: the order of joining
    OvHandle ends[2] = {{1, 0}, {1, 0}};
    double length = 0;  // rest length, pixels
    double resilience = 0;
    uint32_t dna = 0;
    b2DistanceJoint* joint = nullptr;
};

struct Surface {
    uint32_t id = 0;
    OvHandle corners[3] = {{1, 0}, {1, 0}, {1, 0}};
    OvFour coords[3] = {{0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}};
    OvHandle texture{1, 0};
    uint32_t dna = 0;
};

struct Dna {
    uint32_t id = 0;
    std::vector<OvHandle> substances;
    std::vector<OvHandle> forces;
    std::vector<OvHandle> surfaces;
    OvHandle texture{1, 0};
};

}  // namespace ov

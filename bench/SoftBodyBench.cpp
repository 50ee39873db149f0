// Soft bodies: 100 models of 50 substances and 150 covalence forces each,
// in a 10 x 10 block, fall for one simulated second (60 fixed steps) and
// pile into one another; through the engine's DNA family and, in the same
// run, the same bodies and joints built directly in Box2D.
#include "engine/OrvoCore.h"

#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

#include <vector>

namespace {

constexpr int kModels = 100;
constexpr int kColumns = 10, kRows = 5;  // substances of a model
constexpr int kForces = 150;
constexpr double kCell = 12;
constexpr float kPixelsPerMetre = static_cast<float>(OV_PIXELS_PER_METRE);

struct Spring {
    int a, b;
};

// Rows, columns and both diagonals of the grid, the first 150 of them.
std::vector<Spring> Springs() {
    std::vector<Spring> springs;
    auto at = [](int row, int column) { return row * kColumns + column; };
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            if (c + 1 < kColumns) springs.push_back({at(r, c), at(r, c + 1)});
            if (r + 1 < kRows) springs.push_back({at(r, c), at(r + 1, c)});
            if (r + 1 < kRows && c + 1 < kColumns) {
                springs.push_back({at(r, c), at(r + 1, c + 1)});
                springs.push_back({at(r, c + 1), at(r + 1, c)});
            }
        }
    springs.resize(kForces);
    return springs;
}

double X(int model, int column) { return 150.0 * (model % 10) + kCell * column + (model / 10) * 3.0; }
double Y(int model, int row) { return 60.0 * (model / 10) + kCell * row; }

std::vector<OvHandle> BuildEngineModels(const std::vector<Spring>& springs) {
    std::vector<OvHandle> dnas(kModels);
    for (int m = 0; m < kModels; ++m) {
        OvDnaCreate(&dnas[m]);
        OvDnaBirth(dnas[m], kColumns * kRows, kForces, 0);
        std::vector<OvHandle> substances(kColumns * kRows);
        for (int i = 0; i < kColumns * kRows; ++i) {
            OvSubstanceCreate(&substances[i]);
            OvSubstanceSetPosition(substances[i], OvFour{X(m, i % kColumns), Y(m, i / kColumns), 0, 1}, 0);
            OvSubstanceSetMass(substances[i], 0.2);
            OvSubstanceSetRange(substances[i], 5);
            OvSubstanceSetSolid(substances[i], 1);
            OvDnaLink(dnas[m], OV_DNA_SUBSTANCES, i, &substances[i]);
        }
        for (int k = 0; k < kForces; ++k) {
            OvHandle force{1, 0};
            OvCovalenceForceCreate(&force);
            OvCovalenceForceSetSubstance(force, OV_FORCE_FIRST, substances[springs[k].a]);
            OvCovalenceForceSetSubstance(force, OV_FORCE_SECOND, substances[springs[k].b]);
            OvCovalenceForceSetResilience(force, 5);
            const bool diagonal = springs[k].a / kColumns != springs[k].b / kColumns &&
                                  springs[k].a % kColumns != springs[k].b % kColumns;
            OvCovalenceForceSetForce(force, diagonal ? kCell * 1.4142135623730951 : kCell);
            OvDnaLink(dnas[m], OV_DNA_FORCES, k, &force);
        }
    }
    return dnas;
}

void BM_EngineSoftBodies(benchmark::State& state) {
    OvInitiation();
    OvSetState(OV_STATE_PHYSICS_CLOCK, 1);
    const std::vector<Spring> springs = Springs();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<OvHandle> dnas = BuildEngineModels(springs);
        OvDnaAdvance(OV_PHYSICS_STEP);  // one step, unmeasured: the joints are made in it
        state.ResumeTiming();
        OvDnaAdvance(1.0);
        state.PauseTiming();
        for (OvHandle dna : dnas) {
            OvDnaDie(dna, 1);
            OvDnaDestroy(dna);
        }
        state.ResumeTiming();
    }
    OvClosure();
}
BENCHMARK(BM_EngineSoftBodies)->Unit(benchmark::kMillisecond)->MinTime(3.0);

b2Vec2 Metres(double x, double y) { return b2Vec2(static_cast<float>(x / kPixelsPerMetre), static_cast<float>(y / kPixelsPerMetre)); }

// The same bodies and joints, made directly: fixed rotation, the engine's
// drag, a circle with the mass set directly, soft distance joints; a
// model's own circles never meet (a negative group per model).
void BM_DirectBox2D(benchmark::State& state) {
    const std::vector<Spring> springs = Springs();
    std::vector<b2Vec2> positions(kModels * kColumns * kRows);
    for (auto _ : state) {
        state.PauseTiming();
        b2World world(b2Vec2(0.0f, static_cast<float>(OV_DEFAULT_GRAVITY / OV_PIXELS_PER_METRE)));
        std::vector<b2Body*> bodies;
        for (int m = 0; m < kModels; ++m) {
            const size_t first = bodies.size();
            for (int i = 0; i < kColumns * kRows; ++i) {
                b2BodyDef definition;
                definition.type = b2_dynamicBody;
                definition.position = Metres(X(m, i % kColumns), Y(m, i / kColumns));
                definition.fixedRotation = true;
                definition.linearDamping = static_cast<float>(OV_PHYSICS_DRAG);
                b2Body* body = world.CreateBody(&definition);
                b2CircleShape circle;
                circle.m_radius = 5.0f / kPixelsPerMetre;
                b2FixtureDef fixture;
                fixture.shape = &circle;
                fixture.density = 0.0f;
                fixture.friction = 0.4f;
                fixture.restitution = 0.1f;
                fixture.filter.groupIndex = static_cast<int16>(-(m + 1));
                body->CreateFixture(&fixture);
                b2MassData mass{0.2f, b2Vec2(0.0f, 0.0f), 0.0f};
                body->SetMassData(&mass);
                bodies.push_back(body);
            }
            for (const Spring& spring : springs) {
                b2DistanceJointDef joint;
                joint.bodyA = bodies[first + spring.a];
                joint.bodyB = bodies[first + spring.b];
                joint.length = (joint.bodyB->GetPosition() - joint.bodyA->GetPosition()).Length();
                joint.minLength = 0.0f;
                joint.maxLength = FLT_MAX;
                b2LinearStiffness(joint.stiffness, joint.damping, 5.0f, 0.5f, joint.bodyA, joint.bodyB);
                world.CreateJoint(&joint);
            }
        }
        state.ResumeTiming();
        for (int step = 0; step < 60; ++step) {
            world.Step(static_cast<float>(OV_PHYSICS_STEP), 8, 3);
            for (size_t i = 0; i < bodies.size(); ++i) positions[i] = bodies[i]->GetPosition();
        }
        benchmark::DoNotOptimize(positions.data());
    }
}
BENCHMARK(BM_DirectBox2D)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();

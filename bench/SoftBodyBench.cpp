// Soft bodies: 100 models of 50 substances and 150 covalence forces each,
// in a 10 x 10 block, fall for one simulated second (60 fixed steps), the
// models 2 pixels apart so that neighbours' circles are contact candidates;
// through the engine's DNA family and, in the same run, the same bodies and
// joints built directly in Box2D.
#include "ovcore/engine/OrvoCore.h"

#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <ctime>
#include <memory>
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

b2Vec2 Metres(double x, double y) {
    return b2Vec2(static_cast<float>(x / kPixelsPerMetre), static_cast<float>(y / kPixelsPerMetre));
}

// The same bodies and joints, made directly: fixed rotation, the engine's
// drag, a circle with the mass set directly, soft distance joints; a
// model's own circles never meet (a negative group per model).
struct DirectWorld {
    b2World world{b2Vec2(0.0f, static_cast<float>(OV_DEFAULT_GRAVITY / OV_PIXELS_PER_METRE))};
    std::vector<b2Body*> bodies;
    std::vector<b2Joint*> joints;
    std::vector<b2Vec2> positions;
};

b2Body* AddDirectBody(b2World& world, int model, int index) {
    b2BodyDef definition;
    definition.type = b2_dynamicBody;
    definition.position = Metres(X(model, index % kColumns), Y(model, index / kColumns));
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
    fixture.filter.groupIndex = static_cast<int16>(-(model + 1));
    body->CreateFixture(&fixture);
    b2MassData mass{0.2f, b2Vec2(0.0f, 0.0f), 0.0f};
    body->SetMassData(&mass);
    return body;
}

void BuildDirectModels(DirectWorld& direct, const std::vector<Spring>& springs) {
    for (int m = 0; m < kModels; ++m) {
        const size_t first = direct.bodies.size();
        for (int i = 0; i < kColumns * kRows; ++i) direct.bodies.push_back(AddDirectBody(direct.world, m, i));
        for (const Spring& spring : springs) {
            b2DistanceJointDef joint;
            joint.bodyA = direct.bodies[first + spring.a];
            joint.bodyB = direct.bodies[first + spring.b];
            joint.length = (joint.bodyB->GetPosition() - joint.bodyA->GetPosition()).Length();
            joint.minLength = 0.0f;
            joint.maxLength = FLT_MAX;
            b2LinearStiffness(joint.stiffness, joint.damping, 5.0f, 0.5f, joint.bodyA, joint.bodyB);
            direct.joints.push_back(direct.world.CreateJoint(&joint));
        }
    }
    direct.positions.resize(direct.bodies.size());
}

// One fixed step and the positions read back, as the engine does.
void StepDirect(DirectWorld& direct) {
    direct.world.Step(static_cast<float>(OV_PHYSICS_STEP), 8, 3);
    for (size_t i = 0; i < direct.bodies.size(); ++i) direct.positions[i] = direct.bodies[i]->GetPosition();
}

// The measured parts, kept out of line so that an instruction profile can
// name them: 60 steps each.
[[gnu::noinline]] void AdvanceEngineOneSecond() { OvDnaAdvance(1.0); }
[[gnu::noinline]] void AdvanceDirectOneSecond(DirectWorld& direct) {
    for (int step = 0; step < 60; ++step) StepDirect(direct);
    benchmark::DoNotOptimize(direct.positions.data());
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Where each side's substances ended, in pixels, model by model: the two
// simulate the same system when these agree.
std::vector<OvFour> engineEnds, directEnds;

void ReadEnginePositions(const std::vector<OvHandle>& dnas) {
    engineEnds.clear();
    for (OvHandle dna : dnas)
        for (int i = 0; i < kColumns * kRows; ++i) {
            const auto* substance = static_cast<const OvHandle*>(OvDnaGet(dna, OV_DNA_SUBSTANCES, i));
            engineEnds.push_back(*static_cast<const OvFour*>(OvSubstanceGet(*substance, OV_SUBSTANCE_POSITION)));
        }
}

void ReadDirectPositions(const DirectWorld& direct) {
    directEnds.clear();
    for (const b2Vec2& at : direct.positions)
        directEnds.push_back(OvFour{at.x * OV_PIXELS_PER_METRE, at.y * OV_PIXELS_PER_METRE, 0, 1});
}

double LargestGap() {
    double largest = engineEnds.size() == directEnds.size() ? 0 : INFINITY;
    for (size_t i = 0; i < engineEnds.size() && i < directEnds.size(); ++i)
        largest = std::max(
            {largest, std::fabs(engineEnds[i].x - directEnds[i].x), std::fabs(engineEnds[i].y - directEnds[i].y)});
    return largest;
}

// Both sides start from the same state: bodies built, one step taken (the
// engine makes its joints in it), then one simulated second is measured.
double EngineRound(const std::vector<Spring>& springs) {
    std::vector<OvHandle> dnas = BuildEngineModels(springs);
    OvDnaAdvance(OV_PHYSICS_STEP);
    const double start = ThreadCpuSeconds();
    AdvanceEngineOneSecond();
    const double seconds = ThreadCpuSeconds() - start;
    ReadEnginePositions(dnas);
    for (OvHandle dna : dnas) {
        OvDnaDie(dna, 1);
        OvDnaDestroy(dna);
    }
    return seconds;
}

double DirectRound(DirectWorld& direct, const std::vector<Spring>& springs) {
    BuildDirectModels(direct, springs);
    StepDirect(direct);
    const double start = ThreadCpuSeconds();
    AdvanceDirectOneSecond(direct);
    const double seconds = ThreadCpuSeconds() - start;
    ReadDirectPositions(direct);
    // Model by model, springs first, as the engine's DNAs die.
    for (int m = 0; m < kModels; ++m) {
        for (int k = 0; k < kForces; ++k) direct.world.DestroyJoint(direct.joints[m * kForces + k]);
        for (int i = 0; i < kColumns * kRows; ++i) direct.world.DestroyBody(direct.bodies[m * kColumns * kRows + i]);
    }
    direct.bodies.clear();
    direct.joints.clear();
    return seconds;
}

// With a world of its own each round, as a program that builds one per
// scene has (the engine starts a new one once the last substance has
// gone), or one world for the whole run that keeps a pinned point, so that
// both sides build every round on memory Box2D has handed out before.
struct Side {
    std::unique_ptr<DirectWorld> keptWorld;
    OvHandle keeper{1, 0};

    explicit Side(bool keep) {
        if (!keep) return;
        keptWorld = std::make_unique<DirectWorld>();
        b2BodyDef pinned;
        keptWorld->world.CreateBody(&pinned);
        OvHandle point{1, 0};
        OvDnaCreate(&keeper);
        OvDnaBirth(keeper, 1, 0, 0);
        OvSubstanceCreate(&point);
        OvDnaLink(keeper, OV_DNA_SUBSTANCES, 0, &point);
    }
    ~Side() {
        OvDnaDie(keeper, 1);
        OvDnaDestroy(keeper);
    }
    double Direct(const std::vector<Spring>& springs) {
        if (keptWorld) return DirectRound(*keptWorld, springs);
        auto world = std::make_unique<DirectWorld>();
        return DirectRound(*world, springs);
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Each iteration runs both sides, taking turns at going first; the time
// shown is their sum (thread CPU time), the counters each side's median,
// the median of the per-round ratios engine / direct, and the largest
// distance between where the two sides left a substance (both simulate the
// same system, so it stays a rounding error). Argument: 0 a new world each round, 1 one world kept for the whole run.
void BM_SoftBodies(benchmark::State& state) {
    OvInitiation();
    OvSetState(OV_STATE_PHYSICS_CLOCK, 1);
    const std::vector<Spring> springs = Springs();
    std::vector<double> engine, direct, ratios;
    double largestGap = 0;
    {
        Side side(state.range(0) == 1);
        for (auto _ : state) {
            const bool engineFirst = engine.size() % 2 == 0;
            const double first = engineFirst ? EngineRound(springs) : side.Direct(springs);
            const double second = engineFirst ? side.Direct(springs) : EngineRound(springs);
            engine.push_back(engineFirst ? first : second);
            direct.push_back(engineFirst ? second : first);
            ratios.push_back(engine.back() / direct.back());
            largestGap = std::max(largestGap, LargestGap());
            state.SetIterationTime(first + second);
        }
    }
    state.counters["engine_ms"] = Median(engine) * 1e3;
    state.counters["direct_ms"] = Median(direct) * 1e3;
    state.counters["engine_over_direct"] = Median(ratios);
    state.counters["largest_gap_px"] = largestGap;
    OvClosure();
}
BENCHMARK(BM_SoftBodies)
    ->ArgName("keptWorld")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// The soft-body family: DNAs linking substances, covalence forces and
// surfaces, simulated in fixed steps (the clock driven by OvDnaAdvance here).
#include "ovcore/engine/OrvoCore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr OvHandle kEmpty{1, 0};

OvFour At(double x, double y) { return OvFour{x, y, 0, 1}; }

class SoftBodyTest : public ::testing::Test {
public:
    std::vector<OvHandle> dnas_;

    void SetUp() override {
        OvSetState(OV_STATE_PHYSICS_CLOCK, 1);
        OvSetState(OV_STATE_GRAVITY, 0.0, OV_DEFAULT_GRAVITY);
    }
    void TearDown() override {
        for (OvHandle dna : dnas_) {
            OvDnaDie(dna, 1);
            OvDnaDestroy(dna);
        }
        OvSetState(OV_STATE_GRAVITY, 0.0, OV_DEFAULT_GRAVITY);
        OvSetState(OV_STATE_PHYSICS_CLOCK, 0);
    }

    OvHandle Dna(int substances, int forces, int surfaces) {
        OvHandle dna = kEmpty;
        EXPECT_EQ(OvDnaCreate(&dna), 1);
        EXPECT_EQ(OvDnaBirth(dna, substances, forces, surfaces), 1);
        dnas_.push_back(dna);
        return dna;
    }

    static OvHandle Substance(OvHandle dna, int index, double x, double y, double mass, double range = 0,
                              int solid = 0) {
        OvHandle s = kEmpty;
        EXPECT_EQ(OvSubstanceCreate(&s), 1);
        OvSubstanceSetPosition(s, At(x, y), 0);
        OvSubstanceSetMass(s, mass);
        OvSubstanceSetRange(s, range);
        OvSubstanceSetSolid(s, solid);
        EXPECT_EQ(OvDnaLink(dna, OV_DNA_SUBSTANCES, index, &s), 1);
        return s;
    }

    // A force whose rest length is the substances' distance now.
    static OvHandle Force(OvHandle dna, int index, OvHandle a, OvHandle b, double resilience) {
        OvHandle f = kEmpty;
        EXPECT_EQ(OvCovalenceForceCreate(&f), 1);
        OvCovalenceForceSetSubstance(f, OV_FORCE_FIRST, a);
        OvCovalenceForceSetSubstance(f, OV_FORCE_SECOND, b);
        OvCovalenceForceSetResilience(f, resilience);
        const OvFour pa = Position(a), pb = Position(b);
        OvCovalenceForceSetForce(f, std::hypot(pb.x - pa.x, pb.y - pa.y));
        EXPECT_EQ(OvDnaLink(dna, OV_DNA_FORCES, index, &f), 1);
        return f;
    }

    static OvFour Position(OvHandle s) {
        const auto* p = static_cast<const OvFour*>(OvSubstanceGet(s, OV_SUBSTANCE_POSITION));
        return p ? *p : At(NAN, NAN);
    }

    static void Advance(double seconds, int calls) {
        for (int i = 0; i < calls; ++i) OvDnaAdvance(seconds / calls);
    }
};

constexpr int kSide = 4;
constexpr double kCell = 20;
using JellyGrid = std::vector<std::vector<OvHandle>>;

// A 4 x 4 jelly of springs above a row of pinned solid points of another
// DNA.
JellyGrid JellyOverPins(SoftBodyTest& test) {
    constexpr int kPins = 30;
    OvHandle floor = test.Dna(kPins, 0, 0);
    for (int i = 0; i < kPins; ++i) test.Substance(floor, i, 100 + 10.0 * i, 300, 0, 6, 1);
    OvHandle jelly = test.Dna(kSide * kSide, 42, 0);
    JellyGrid grid(kSide, std::vector<OvHandle>(kSide));
    for (int row = 0; row < kSide; ++row)
        for (int column = 0; column < kSide; ++column)
            grid[row][column] =
                test.Substance(jelly, row * kSide + column, 220 + kCell * column, 100 + kCell * row, 0.3, 6, 1);
    int forces = 0;
    for (int row = 0; row < kSide; ++row)
        for (int column = 0; column < kSide; ++column) {
            if (column + 1 < kSide) test.Force(jelly, forces++, grid[row][column], grid[row][column + 1], 10);
            if (row + 1 < kSide) test.Force(jelly, forces++, grid[row][column], grid[row + 1][column], 10);
            if (row + 1 == kSide || column + 1 == kSide) continue;
            test.Force(jelly, forces++, grid[row][column], grid[row + 1][column + 1], 10);
            test.Force(jelly, forces++, grid[row][column + 1], grid[row + 1][column], 10);
        }
    EXPECT_EQ(forces, 42);
    return grid;
}

// A scene built again after everything has left the simulation runs
// exactly as it did the first time, whatever became of the objects' ids.
TEST_F(SoftBodyTest, SceneBuiltAgainAfterEverythingLeftRunsTheSame) {
    std::vector<OvFour> first, second;
    for (std::vector<OvFour>* landed : {&first, &second}) {
        const JellyGrid grid = JellyOverPins(*this);
        Advance(1.5, 90);
        for (const auto& row : grid)
            for (OvHandle substance : row) landed->push_back(Position(substance));
        TearDown();
        dnas_.clear();
        SetUp();
    }
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].x, second[i].x) << i;
        EXPECT_EQ(first[i].y, second[i].y) << i;
    }
}

TEST_F(SoftBodyTest, FreeFallFollowsFixedStepsWhateverTheFrameRate) {
    OvHandle dna = Dna(1, 0, 0);
    OvHandle body = Substance(dna, 0, 100, 0, 1);
    Advance(1.0, 30);
    const OvFour at30 = Position(body);
    // Sixty steps of 1/60 s under 490 px/s^2 and the engine's drag,
    // integrated as the engine does: speed first, then position.
    double speed = 0, fallen = 0;
    for (int step = 0; step < 60; ++step) {
        speed = (speed + OV_DEFAULT_GRAVITY * OV_PHYSICS_STEP) / (1 + OV_PHYSICS_STEP * OV_PHYSICS_DRAG);
        fallen += speed * OV_PHYSICS_STEP;
    }
    EXPECT_NEAR(at30.y, fallen, 0.05);
    EXPECT_GT(at30.y, 200) << "about half of g t^2, less the drag";
    EXPECT_DOUBLE_EQ(at30.x, 100);

    OvSubstanceSetPosition(body, At(100, 0), 1);
    Advance(1.0, 3000);
    const OvFour at3000 = Position(body);
    EXPECT_NEAR(at3000.y, at30.y, 1e-3) << "the same sixty steps at 3,000 calls a second";

    OvSubstanceSetPosition(body, At(100, 0), 1);
    Advance(1.0 / 120, 1);
    EXPECT_DOUBLE_EQ(Position(body).y, 0) << "half a step waits for the next call";
    Advance(1.0 / 120, 1);
    EXPECT_GT(Position(body).y, 0);
}

TEST_F(SoftBodyTest, GravityStateAndPinnedSubstances) {
    OvHandle dna = Dna(2, 0, 0);
    OvHandle pinned = Substance(dna, 0, 10, 20, 0);
    OvHandle loose = Substance(dna, 1, 50, 20, 1);
    OvSetState(OV_STATE_GRAVITY, -250.0, 0.0);
    Advance(1.0, 60);
    EXPECT_DOUBLE_EQ(Position(pinned).x, 10);
    EXPECT_DOUBLE_EQ(Position(pinned).y, 20);
    EXPECT_LT(Position(loose).x, 0) << "gravity to the left";
    EXPECT_NEAR(Position(loose).y, 20, 1e-3);

    OvSubstanceSetPosition(pinned, At(70, 80), 0);
    Advance(0.5, 5);
    EXPECT_DOUBLE_EQ(Position(pinned).x, 70) << "a pinned substance stays where it is put";
    EXPECT_DOUBLE_EQ(Position(pinned).y, 80);
}

TEST_F(SoftBodyTest, PinnedRopeComesToRestHangingBelowItsPin) {
    constexpr int kLinks = 8;
    constexpr double kSpacing = 15;
    OvHandle dna = Dna(kLinks + 1, kLinks, 0);
    std::vector<OvHandle> beads{Substance(dna, 0, 200, 50, 0)};
    for (int i = 1; i <= kLinks; ++i) {
        beads.push_back(Substance(dna, i, 200 + kSpacing * i, 50, 0.2));
        Force(dna, i - 1, beads[i - 1], beads[i], 0);
    }
    Advance(30.0, 1800);
    const OvFour end = Position(beads.back());
    Advance(1.0, 60);
    const OvFour later = Position(beads.back());
    EXPECT_NEAR(later.x, 200, 2.0) << "straight below the pin";
    EXPECT_NEAR(later.y, 50 + kLinks * kSpacing, 2.0) << "rods keep their length";
    EXPECT_NEAR(later.x, end.x, 0.5) << "at rest";
    EXPECT_NEAR(later.y, end.y, 0.5);
    EXPECT_DOUBLE_EQ(Position(beads[0]).y, 50);
    for (int i = 1; i <= kLinks; ++i) EXPECT_GT(Position(beads[i]).y, Position(beads[i - 1]).y);
}

// Dropped, the jelly lands, stays above the pins and keeps its area.
TEST_F(SoftBodyTest, DroppedJellyLandsOnPinnedPointsAndKeepsItsArea) {
    const JellyGrid grid = JellyOverPins(*this);
    Advance(6.0, 360);

    const OvFour corners[4] = {Position(grid[0][0]), Position(grid[0][kSide - 1]), Position(grid[kSide - 1][kSide - 1]),
                               Position(grid[kSide - 1][0])};
    double area = 0;
    for (int k = 0; k < 4; ++k) area += corners[k].x * corners[(k + 1) % 4].y - corners[(k + 1) % 4].x * corners[k].y;
    const double rest = (kCell * (kSide - 1)) * (kCell * (kSide - 1));
    EXPECT_NEAR(std::fabs(area) / 2, rest, rest * 0.25) << "the springs hold its shape";
    for (int column = 0; column < kSide; ++column) {
        const OvFour bottom = Position(grid[kSide - 1][column]);
        EXPECT_LT(bottom.y, 300 - 6) << "rests on the pins, not through them";
        EXPECT_GT(bottom.y, 300 - 16) << "has landed";
    }
}

TEST_F(SoftBodyTest, OnlySolidSubstancesOfDifferentDnasMeet) {
    OvHandle ground = Dna(1, 0, 0);
    Substance(ground, 0, 100, 200, 0, 20, 1);
    OvHandle falling = Dna(3, 0, 0);
    OvHandle solid = Substance(falling, 0, 100, 150, 1, 10, 1);
    OvHandle ghost = Substance(falling, 1, 100, 150, 1, 10, 0);
    OvHandle shapeless = Substance(falling, 2, 100, 150, 1, 0, 1);
    OvHandle own = Dna(2, 0, 0);
    Substance(own, 0, 300, 200, 0, 20, 1);
    OvHandle sibling = Substance(own, 1, 300, 150, 1, 10, 1);
    Advance(2.0, 120);
    EXPECT_NEAR(Position(solid).y, 170, 1.0) << "rests on the other DNA's solid point";
    EXPECT_GT(Position(ghost).y, 400);
    EXPECT_GT(Position(shapeless).y, 400);
    EXPECT_GT(Position(sibling).y, 400) << "its own DNA's points do not stop it";
}

TEST_F(SoftBodyTest, LinkingAndCountsRefuseWhatIsNotThere) {
    OvHandle dna = Dna(2, 1, 1);
    OvHandle s = kEmpty, f = kEmpty, u = kEmpty;
    OvSubstanceCreate(&s);
    OvCovalenceForceCreate(&f);
    OvSurfaceCreate(&u);
    EXPECT_EQ(OvDnaLink(dna, OV_DNA_SUBSTANCES, 2, &s), 0);
    EXPECT_EQ(OvDnaLink(dna, OV_DNA_SUBSTANCES, -1, &s), 0);
    EXPECT_EQ(OvDnaLink(dna, OV_DNA_SUBSTANCES, 0, &f), 0) << "a force is no substance";
    EXPECT_EQ(OvDnaLink(dna, OV_DNA_SUBSTANCES, 0, &kEmpty), 0);
    EXPECT_EQ(OvDnaLink(dna, 99, 0, &s), 0);
    EXPECT_EQ(OvDnaLink(dna, OV_DNA_SUBSTANCES, 1, &s), 1);
    EXPECT_EQ(OvDnaLink(dna, OV_DNA_FORCES, 0, &f), 1);
    EXPECT_EQ(OvDnaLink(dna, OV_DNA_SURFACES, 0, &u), 1);

    const auto* array = static_cast<const OvHandle*>(OvDnaGet(dna, OV_DNA_SUBSTANCES, 0));
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array[1].word1, s.word1);
    EXPECT_EQ(array[0].word1, 0u) << "unlinked slots are empty handles";
    EXPECT_EQ(OvDnaGet(dna, OV_DNA_SUBSTANCES, 2), nullptr);
    EXPECT_EQ(OvDnaGet(dna, OV_DNA_TEXTURE, 1), nullptr);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_SUBSTANCES), 2);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_TEXTURE), 0);
    OvHandle texture{0, 777};
    EXPECT_EQ(OvDnaLink(dna, OV_DNA_TEXTURE, 0, &texture), 1);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_TEXTURE), 1);
    EXPECT_EQ(static_cast<const OvHandle*>(OvDnaGet(dna, OV_DNA_TEXTURE, 0))->word1, 777u);

    EXPECT_EQ(OvDnaBirth(dna, -1, 0, 0), 0);
    EXPECT_EQ(OvDnaBirth(dna, 0, OV_DNA_MAX_LINKS + 1, 0), 0);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_SUBSTANCES), 2) << "a refused birth changes nothing";
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_FORCES), 1);
    EXPECT_EQ(OvDnaBirth(dna, 0, 3, 0), 1);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_SUBSTANCES), 2) << "a zero count keeps its array";
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_FORCES), 3);
    EXPECT_NE(OvCovalenceForceGet(f, OV_FORCE_LENGTH), nullptr) << "unlinked, still alive";
    OvCovalenceForceDestroy(f);

    OvDnaDie(dna, 1);
    EXPECT_EQ(OvSubstanceGet(s, OV_SUBSTANCE_POSITION), nullptr) << "died with its DNA";
    EXPECT_EQ(OvSurfaceGet(u, OV_SURFACE_TEXTURE), nullptr);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_SUBSTANCES), 0);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_TEXTURE), 0);

    OvHandle gone = dna;
    OvDnaDestroy(dna);
    dnas_.clear();
    EXPECT_EQ(OvDnaCount(gone, OV_DNA_SUBSTANCES), 0);
    EXPECT_EQ(OvDnaBirth(gone, 1, 1, 1), 0);
    EXPECT_EQ(OvDnaLink(gone, OV_DNA_SUBSTANCES, 0, &s), 0);
    EXPECT_EQ(OvDnaGet(gone, OV_DNA_SUBSTANCES, 0), nullptr);
    OvDnaDraw(gone);
    OvDnaDie(gone, 1);
}

TEST_F(SoftBodyTest, DestroyingADnaLeavesItsObjectsAliveAndStill) {
    OvHandle dna = kEmpty;
    OvDnaCreate(&dna);
    OvDnaBirth(dna, 1, 0, 0);
    OvHandle s = Substance(dna, 0, 5, 5, 1, 2, 1);
    OvDnaDestroy(dna);
    Advance(1.0, 60);
    EXPECT_DOUBLE_EQ(Position(s).y, 5) << "out of the simulation";
    EXPECT_EQ(*static_cast<const int*>(OvSubstanceGet(s, OV_SUBSTANCE_SOLID)), 1);
    EXPECT_DOUBLE_EQ(*static_cast<const double*>(OvSubstanceGet(s, OV_SUBSTANCE_RANGE)), 2);
    OvSubstanceSetRange(s, INFINITY);
    OvSubstanceSetMass(s, 1e300);
    OvSubstanceSetPosition(s, At(2e7, 0), 0);
    EXPECT_DOUBLE_EQ(*static_cast<const double*>(OvSubstanceGet(s, OV_SUBSTANCE_RANGE)), 2) << "beyond the bounds";
    EXPECT_DOUBLE_EQ(*static_cast<const double*>(OvSubstanceGet(s, OV_SUBSTANCE_MASS)), 1);
    EXPECT_DOUBLE_EQ(Position(s).x, 5);
    OvSubstanceDestroy(s);
    EXPECT_EQ(OvSubstanceGet(s, OV_SUBSTANCE_POSITION), nullptr);
    OvSubstanceSetMass(s, 1);
    OvSubstanceSetPosition(s, At(1, 1), 1);
}

TEST_F(SoftBodyTest, ForcesAndSurfacesKeepWhatTheyAreGiven) {
    OvHandle f = kEmpty, u = kEmpty, a{0, 41}, b{0, 42};
    OvCovalenceForceCreate(&f);
    OvCovalenceForceSetSubstance(f, OV_FORCE_SECOND, b);
    OvCovalenceForceSetSubstance(f, 318, a);
    OvCovalenceForceSetForce(f, 12.5);
    OvCovalenceForceSetForce(f, NAN);
    OvCovalenceForceSetForce(f, 1e300);
    OvCovalenceForceSetResilience(f, 3);
    OvCovalenceForceSetResilience(f, 1e9);
    EXPECT_DOUBLE_EQ(*static_cast<const double*>(OvCovalenceForceGet(f, OV_FORCE_RESILIENCE)), 3);
    EXPECT_EQ(static_cast<const OvHandle*>(OvCovalenceForceGet(f, OV_FORCE_SECOND))->word1, 42u);
    EXPECT_EQ(static_cast<const OvHandle*>(OvCovalenceForceGet(f, OV_FORCE_FIRST))->word1, 0u);
    EXPECT_DOUBLE_EQ(*static_cast<const double*>(OvCovalenceForceGet(f, OV_FORCE_LENGTH)), 12.5);
    EXPECT_EQ(OvCovalenceForceGet(f, 300), nullptr);
    OvCovalenceForceDestroy(f);

    OvSurfaceCreate(&u);
    OvSurfaceSetSubstance(u, OV_SURFACE_CORNER + 2, a);
    OvSurfaceSetSubstance(u, OV_SURFACE_CORNER + 3, b);
    OvSurfaceSetCoord(u, OV_SURFACE_COORD + 1, At(0.25, 0.75));
    OvSurfaceSetTexture(u, b, 57);
    EXPECT_EQ(static_cast<const OvHandle*>(OvSurfaceGet(u, OV_SURFACE_CORNER + 2))->word1, 41u);
    EXPECT_EQ(static_cast<const OvFour*>(OvSurfaceGet(u, OV_SURFACE_COORD + 1))->y, 0.75);
    EXPECT_EQ(static_cast<const OvHandle*>(OvSurfaceGet(u, OV_SURFACE_TEXTURE))->word1, 0u)
        << "only property 58 sets the texture";
    EXPECT_EQ(OvSurfaceGet(u, OV_SURFACE_CORNER + 3), nullptr);
    OvSurfaceDestroy(u);
}

}  // namespace

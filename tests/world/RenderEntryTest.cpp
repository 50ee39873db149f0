// The core's render entries in the frame step: updated once a frame after
// the actors with their callback, drawn before or after the actors in each
// view's layer passes (pixels), released when the core is cleared.
#include "WorldTestSupport.h"

#include "ovcore/world/RenderEntries.h"

using namespace OvCore;

namespace {

void JournalParticle(OV_PARTICLE* particle) { OvTest::Journal().push_back("P" + std::to_string(particle->index)); }

// Paints a green 20 x 20 square at (0, 0).
class SquareActor : public OV_ACTOR {
public:
    void OnRender(int32_t) override {
        const double corners[16] = {0, 0, 0, 1, 20, 0, 0, 1, 20, 20, 0, 1, 0, 20, 0, 1};
        OvTextureUnactivate();
        OvSetState(OV_STATE_DRAW_COLOR, 0.0, 1.0, 0.0, 1.0);
        OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, nullptr, 0, 0, OV_COMPONENTS_DOUBLE, 0, 0, 0, 0, 0, 0, 4,
                   0, 0, 0, 0, 0, 0, 0);
    }
};

OV_RENDER_ENTRY& Entry(const char* name, bool drawFirst, OV_VECTORF at, OV_VECTORF colour) {
    OV_RENDER_ENTRY& entry = *RenderEntries().Get(name, 0);
    entry.drawFirst = drawFirst;
    entry.pointSize = 6;
    entry.Resize(1);
    OV_PARTICLE record;
    record.lifetime = 100;
    entry.EmitParticle(record, at, colour);
    return entry;
}

class RenderEntryTest : public OvTest::GlWorldTest {
protected:
    void SetUp() override {
        GlWorldTest::SetUp();
        JoinRenderEntries();
    }
    void TearDown() override {
        ReleaseRenderEntries();
        GlWorldTest::TearDown();
    }
};

}  // namespace

TEST_F(RenderEntryTest, EntriesUpdateAfterTheActorsWithTheirCallback) {
    SpawnLive("a");
    OV_RENDER_ENTRY& entry = Entry("sparks", false, {40, 40}, {1, 1, 1, 1});
    entry.particleCallback = JournalParticle;
    LoopState().delta = 0.5f;
    world.FrameStep();
    world.FrameStep();
    EXPECT_EQ(OvTest::Journal(), (std::vector<std::string>{"U:a", "P0", "R:a", "U:a", "P0", "R:a"}));
    EXPECT_EQ(entry.particles[0].age, 1.0f);
}

TEST_F(RenderEntryTest, FirstEntriesDrawUnderTheActorsAndTheOthersOver) {
    Entry("under", true, {10, 10}, {1, 0, 0, 1});
    Entry("over", false, {30, 10}, {0, 0, 1, 1});
    Entry("beside", true, {40, 30}, {1, 0, 0, 1});
    world.SpawnActor("square", new SquareActor);
    world.MergePendingActors();
    world.FrameStep();
    EXPECT_EQ(Pixel(10, 10), 0x00FF00u) << "drawn first, covered by the actor";
    EXPECT_EQ(Pixel(30, 10), 0x0000FFu) << "drawn after the actor";
    EXPECT_EQ(Pixel(40, 30), 0xFF0000u);
}

TEST_F(RenderEntryTest, ClearingTheCoreReleasesEveryEntry) {
    Entry("sparks", false, {40, 40}, {1, 1, 1, 1});
    core.Clear();
    EXPECT_EQ(RenderEntries().Count(), 0u);
    RenderEntries().Get("fresh", 0)->Resize(2);
    EXPECT_EQ(RenderEntries().Get("fresh", 0)->Capacity(), 2u);
}

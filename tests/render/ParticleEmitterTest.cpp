// The particle emitter: timed and path emission, the pool's limits, motion
// and fading, death, and drawing of the whole pool as points (pixels).
#include "RenderTestSupport.h"

#include "ovcore/foundation/MathHelpers.h"
#include "ovcore/render/ParticleEmitter.h"

#include <cmath>
#include <vector>

using OvCore::OV_PARTICLE;
using OvCore::OV_PARTICLE_EMITTER;
using OvCore::OV_VECTORF;

namespace {

std::vector<OV_PARTICLE*> g_emitted;
void Record(OV_PARTICLE* particle) { g_emitted.push_back(particle); }

// Emits `burst` particles along its path once per second of timer.
OV_PARTICLE_EMITTER PathEmitter(bool inclusiveEnd, OV_VECTORF to) {
    OV_PARTICLE_EMITTER emitter;
    emitter.Resize(16);
    emitter.interval = 1;
    emitter.burst = 1;
    emitter.spacing = 5;
    emitter.inclusiveEnd = inclusiveEnd;
    emitter.position = to;
    return emitter;
}

std::vector<float> LiveXs(const OV_PARTICLE_EMITTER& emitter) {
    std::vector<float> xs;
    for (uint32_t slot : emitter.liveSlots) xs.push_back(emitter.positions[slot].x);
    return xs;
}

OV_PARTICLE Lived(float lifetime) {
    OV_PARTICLE record;
    record.lifetime = lifetime;
    return record;
}

}  // namespace

TEST(ParticleEmitter, ResizeParksEveryFreeSlotOutOfSight) {
    OV_PARTICLE_EMITTER emitter;
    emitter.Resize(3);
    EXPECT_FALSE(emitter.bufferFlag);
    EXPECT_EQ(emitter.freeSlots.Count(), 3u);
    EXPECT_TRUE(emitter.liveSlots.empty());
    for (uint32_t slot = 0; slot < 3; ++slot) {
        EXPECT_TRUE(std::isinf(emitter.positions[slot].y));
        EXPECT_EQ(emitter.colours[slot].w, 0.0f);
        EXPECT_EQ(emitter.particles[slot].index, slot);
        EXPECT_EQ(emitter.particles[slot].position, nullptr);
    }
}

TEST(ParticleEmitter, TimedEmissionRunsEveryPeriodOfALongFrame) {
    OV_PARTICLE_EMITTER emitter;
    emitter.Resize(100);
    emitter.interval = 0.1f;
    emitter.burst = 2;
    emitter.lifetimeMin = emitter.lifetimeMax = 10;
    emitter.Step(0.35f, nullptr, false);
    EXPECT_EQ(emitter.liveSlots.size(), 8u) << "four periods of two";
    EXPECT_NEAR(emitter.timer, 0.05f, 1e-5);
    emitter.paused = true;
    emitter.Step(1.0f, nullptr, false);
    EXPECT_EQ(emitter.liveSlots.size(), 8u) << "paused stops timed emission";
}

TEST(ParticleEmitter, PathEmissionWithAndWithoutItsEnd) {
    OV_PARTICLE_EMITTER inclusive = PathEmitter(true, {10, 0});
    inclusive.Step(0.5f, nullptr, false);
    EXPECT_EQ(LiveXs(inclusive), (std::vector<float>{0, 5, 10}));
    EXPECT_EQ(inclusive.previousPosition.x, 10.0f) << "the next path starts here";

    OV_PARTICLE_EMITTER exclusive = PathEmitter(false, {10, 0});
    exclusive.Step(0.5f, nullptr, false);
    EXPECT_EQ(LiveXs(exclusive), (std::vector<float>{0, 5}));

    OV_PARTICLE_EMITTER still = PathEmitter(false, {0, 0});
    still.Step(0.5f, nullptr, false);
    EXPECT_TRUE(still.liveSlots.empty()) << "no path, no particle";
    OV_PARTICLE_EMITTER stillInclusive = PathEmitter(true, {0, 0});
    stillInclusive.Step(0.5f, nullptr, false);
    EXPECT_EQ(LiveXs(stillInclusive), (std::vector<float>{0}));

    OV_PARTICLE_EMITTER far = PathEmitter(true, {1e30f, 0});
    far.Step(0.5f, nullptr, false);
    EXPECT_EQ(far.liveSlots.size(), 16u) << "a far jump fills the pool and stops";
}

TEST(ParticleEmitter, AFullPoolEmitsNothingAndCallsNoOne) {
    g_emitted.clear();
    OV_PARTICLE_EMITTER emitter;
    emitter.onEmit = Record;
    emitter.Emit({1, 1});
    EXPECT_TRUE(g_emitted.empty()) << "no pool";
    emitter.Resize(2);
    emitter.Emit({1, 1});
    emitter.EmitParticle(Lived(1), {2, 2}, {1, 0, 0, 1});
    emitter.Emit({3, 3});
    emitter.EmitParticle(Lived(1), {4, 4}, {1, 0, 0, 1});
    ASSERT_EQ(g_emitted.size(), 2u);
    EXPECT_EQ(g_emitted[1]->index, 1u);
    EXPECT_EQ(g_emitted[1]->position, &emitter.positions[1]);
    EXPECT_EQ(emitter.positions[1].x, 2.0f);
}

TEST(ParticleEmitter, EmissionDrawsFromTheRanges) {
    OV_PARTICLE_EMITTER emitter;
    emitter.Resize(1);
    emitter.directionMin = emitter.directionMax = OvCore::OV_ANGLES(90, 0, 0, 0);
    emitter.speedMin = emitter.speedMax = 10;
    emitter.offsetMin = emitter.offsetMax = {1, 2, 3, 1};
    emitter.accelerationMin = emitter.accelerationMax = {0, -4, 0, 1};
    emitter.colourMin = emitter.colourMax = {0.25f, 0.5f, 0.75f, 1};
    emitter.lifetimeMin = emitter.lifetimeMax = 3;
    emitter.fade = 0.5f;
    emitter.Emit({10, 20});
    const OV_PARTICLE& particle = emitter.particles[0];
    EXPECT_EQ(emitter.positions[0].x, 11.0f);
    EXPECT_EQ(emitter.positions[0].y, 22.0f);
    EXPECT_NEAR(particle.velocity.x, 0.0f, 1e-5);
    EXPECT_NEAR(particle.velocity.y, 10.0f, 1e-5);
    EXPECT_EQ(particle.acceleration.y, -4.0f);
    EXPECT_EQ(particle.lifetime, 3.0f);
    EXPECT_EQ(particle.fade, 0.5f);
    EXPECT_EQ(emitter.colours[0].z, 0.75f);
}

TEST(ParticleEmitter, MotionFadesToHalfAtHalfItsLifeThenTheSlotIsFreed) {
    OV_PARTICLE_EMITTER emitter;
    emitter.Resize(2);
    OV_PARTICLE record = Lived(2);
    record.velocity = {4, 0, 0, 1};
    record.acceleration = {0, 2, 0, 1};
    emitter.EmitParticle(record, {0, 0}, {1, 1, 1, 1});
    emitter.EmitParticle(Lived(0), {5, 5}, {1, 1, 1, 1});
    emitter.Step(1.0f, nullptr, false);
    EXPECT_EQ(emitter.colours[0].w, 0.5f);
    EXPECT_EQ(emitter.positions[0].x, 4.0f);
    EXPECT_EQ(emitter.particles[0].velocity.y, 2.0f);
    EXPECT_EQ(emitter.positions[1].x, 5.0f) << "an inert particle stays";
    emitter.Step(1.0f, nullptr, false);
    EXPECT_EQ(emitter.liveSlots, (std::vector<uint32_t>{1}));
    EXPECT_TRUE(std::isinf(emitter.positions[0].x));
    EXPECT_EQ(emitter.positions[0].y, 0.0f);
    EXPECT_EQ(emitter.colours[0].w, 0.0f);
    EXPECT_EQ(emitter.particles[0].position, nullptr);
    EXPECT_EQ(emitter.freeSlots.At(0), 0u);
}

TEST(ParticleEmitter, ACallbackReplacesTheMotionOrFollowsIt) {
    g_emitted.clear();
    OV_PARTICLE_EMITTER emitter;
    emitter.Resize(1);
    OV_PARTICLE record = Lived(10);
    record.velocity = {1, 0, 0, 1};
    emitter.EmitParticle(record, {0, 0}, {1, 1, 1, 1});
    emitter.Step(1.0f, Record, false);
    EXPECT_EQ(emitter.positions[0].x, 0.0f) << "the callback moves it instead";
    emitter.Step(1.0f, Record, true);
    EXPECT_EQ(emitter.positions[0].x, 1.0f);
    EXPECT_EQ(g_emitted.size(), 2u);
    emitter.enabled = false;
    emitter.Step(1.0f, Record, true);
    EXPECT_EQ(g_emitted.size(), 2u) << "a disabled emitter does nothing";
}

TEST(ParticleEmitter, RandomStaysBelowItsRange) {
    double largest = 0;
    for (int i = 0; i < 20000; ++i) largest = std::max(largest, OvCore::Random(1));
    EXPECT_LT(largest, 1.0);
    EXPECT_DOUBLE_EQ(largest, 0.999);
}

class ParticleDrawing : public OvTest::RenderWindowTest {};

TEST_F(ParticleDrawing, TheWholePoolIsOneDrawOfTheLivePointsOnly) {
    OV_PARTICLE_EMITTER emitter;
    emitter.Resize(4);
    emitter.pointSize = 4;
    emitter.EmitParticle(Lived(5), {10, 10}, {1, 0, 0, 1});
    emitter.EmitParticle(Lived(1), {40, 40}, {0, 1, 0, 1});
    emitter.EmitParticle(Lived(5), {20, 40}, {0, 0, 1, 1});
    emitter.Step(1.0f, nullptr, false);  // the green one dies
    OvRenderStatistics(nullptr, nullptr);
    emitter.Draw();
    int calls = 0;
    OvRenderStatistics(&calls, nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Pixel(9, 9), OvTest::Rgba(255, 0, 0, 204)) << "faded to 0.8 after a second of five";
    EXPECT_EQ(Pixel(19, 39), OvTest::Rgba(0, 0, 255, 204));
    EXPECT_EQ(Pixel(39, 39), OvTest::Rgba(0, 0, 0)) << "dead slots are not seen";
    EXPECT_EQ(*static_cast<double*>(OvGetState(OV_STATE_POINT_SIZE)), 1.0) << "restored";
    EXPECT_EQ(static_cast<double*>(OvGetState(OV_STATE_DRAW_COLOR))[1], 1.0);

    ClearFrame();
    emitter.bufferFlag = true;
    emitter.Draw();
    EXPECT_EQ(Pixel(9, 9), OvTest::Rgba(0, 0, 0)) << "no drawing while the buffer flag is set";
}

TEST_F(ParticleDrawing, SmoothPointsAreRoundAndTexturedPointsAreSprites) {
    OvCore::OV_TEXTURE texture;
    ASSERT_TRUE(MakePattern(texture, 2, 2));
    OV_PARTICLE_EMITTER emitter;
    emitter.Resize(2);
    emitter.pointSize = 16;
    emitter.smoothPoints = true;
    emitter.EmitParticle(Lived(5), {16, 16}, {1, 1, 1, 1});
    emitter.Draw();
    EXPECT_EQ(Pixel(16, 16), OvTest::Rgba(255, 255, 255));
    EXPECT_EQ(Pixel(9, 9), OvTest::Rgba(0, 0, 0)) << "the square's corner is cut";
    EXPECT_EQ(Pixel(9, 16), OvTest::Rgba(255, 255, 255));

    ClearFrame();
    emitter.smoothPoints = false;
    emitter.texture = texture.GetCurrentFrame();
    emitter.Draw();
    EXPECT_EQ(Pixel(10, 10), OvTest::TexelColour(0, 0));
    EXPECT_EQ(Pixel(21, 10), OvTest::TexelColour(1, 0));
    EXPECT_EQ(Pixel(21, 21), OvTest::TexelColour(1, 1));
    EXPECT_EQ(*static_cast<int*>(OvGetState(OV_STATE_POINT_SPRITES)), 0) << "restored";
    texture.Release(false);
}

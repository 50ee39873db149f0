#include "ovcore/app/Core.h"

#include <gtest/gtest.h>

#include <string>

using namespace OvCore;

namespace {

std::string g_steps;
OV_CORE* g_ownCore = nullptr;

void A() { g_steps += "a"; }
void B() { g_steps += "b"; }
void C() { g_steps += "c"; }
void Overlay() { g_steps += "o"; }
// Adds C after itself and removes B, in its own phase.
void Rearrange() {
    g_steps += "r";
    g_ownCore->SetFrameStep(OV_FRAME_PHASE::UPDATE, 50, C);
    g_ownCore->SetFrameStep(OV_FRAME_PHASE::UPDATE, 20, nullptr);
}
void TwoPasses(void (*pass)(void*), void* context) {
    g_steps += "[";
    pass(context);
    g_steps += "|";
    pass(context);
    g_steps += "]";
}

// A core of its own: the steps run by phase, then place, whoever set them
// first; the drawing passes repeat the DRAW phase; a step that rearranges its
// phase is followed by the steps after its place as they stand then.
TEST(FrameStepOrder, PhasesThenPlacesWithPassesAndChangesDuringAPhase) {
    OV_CORE own;
    g_ownCore = &own;
    g_steps.clear();
    const OV_FRAME_STEP steps[] = {{OV_FRAME_PHASE::OVERLAY, 5, Overlay}, {OV_FRAME_PHASE::DRAW, 1, A}};
    EXPECT_TRUE(own.Join(OV_CLEAR_STAGE::GUI, nullptr, steps));
    EXPECT_TRUE(own.SetFrameStep(OV_FRAME_PHASE::UPDATE, 20, B));
    EXPECT_TRUE(own.SetFrameStep(OV_FRAME_PHASE::UPDATE, 10, A));
    own.FrameStep();
    EXPECT_EQ(g_steps,
              "aba"
              "o");

    g_steps.clear();
    own.SetDrawPasses(TwoPasses);
    own.SetFrameStep(OV_FRAME_PHASE::UPDATE, 10, Rearrange);  // replaces A
    own.FrameStep();
    EXPECT_EQ(g_steps,
              "rc"
              "[a|a]"
              "o");

    g_steps.clear();
    own.Leave(OV_CLEAR_STAGE::GUI, steps);
    own.SetDrawPasses(nullptr);
    own.SetFrameStep(OV_FRAME_PHASE::UPDATE, 10, nullptr);
    own.FrameStep();
    EXPECT_EQ(g_steps, "c");
}

TEST(FrameStepOrder, APhaseRefusesStepsPastItsRoomAndUnknownPhases) {
    OV_CORE own;
    for (int place = 0; place < OV_CORE::kMaxStepsPerPhase; ++place)
        EXPECT_TRUE(own.SetFrameStep(OV_FRAME_PHASE::FINISH, place, A));
    EXPECT_FALSE(own.SetFrameStep(OV_FRAME_PHASE::FINISH, 99, B));
    EXPECT_TRUE(own.SetFrameStep(OV_FRAME_PHASE::FINISH, 3, B));  // a taken place is replaced
    EXPECT_FALSE(own.SetFrameStep(OV_FRAME_PHASE::COUNT, 0, A));
    g_steps.clear();
    own.FrameStep();
    EXPECT_EQ(g_steps, "aaabaaaaaaaaaaaa");
}

}  // namespace

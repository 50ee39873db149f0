#include "WorldTestSupport.h"

#include "ovcore/app/Input.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"
#include "ovcore/world/Actor2D.h"

#include <cstring>

using namespace OvCore;

namespace {

// A 64 x 48 GL window, current, cleared black, with a pixel camera.
class ViewTest : public OvTest::GlWorldTest {
protected:
    static void ClearTo(double r, double g, double b) {
        OvSetState(OV_STATE_CLEAR_COLOR, r, g, b, 1.0);
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
    }

    int Viewport(int query) const { return *static_cast<int*>(OvRenderTargetGet(window->Target(), query)); }

    static void Projection(double* matrix) { ASSERT_EQ(OvRenderMatrixRead(OV_MATRIX_PROJECTION, matrix), 1); }
};

TEST_F(ViewTest, ApplyingClipsAndClearsTheViewportAndRestoringUndoesIt) {
    OV_VIEW& view = AddView("main", true);
    view.viewport = OV_VECTOR(8, 4, 32, 24);  // GL counts y from the bottom: rows 20 to 43 from the top
    view.area = OV_VECTOR(100, 200, 320, 240);
    view.clear = true;
    OvSetState(OV_STATE_CLEAR_COLOR, 1.0, 0.0, 0.0, 1.0);
    view.Apply();

    EXPECT_EQ(*static_cast<int*>(OvGetState(OV_STATE_CLIPPING)), 1);
    const int* clip = static_cast<int*>(OvGetState(OV_STATE_CLIP_RECT));
    EXPECT_EQ(std::vector<int>(clip, clip + 4), (std::vector<int>{8, 4, 32, 24}));
    for (int query = 432; query <= 435; ++query)
        EXPECT_EQ(Viewport(query), (query == 434 ? kWidth : query == 435 ? kHeight : 0)) << query;
    double projection[16];
    Projection(projection);
    EXPECT_DOUBLE_EQ(projection[0], 2.0 / 320);
    EXPECT_DOUBLE_EQ(projection[5], -2.0 / 240);
    EXPECT_DOUBLE_EQ(projection[12], -(100.0 + 420.0) / 320);
    EXPECT_EQ(Pixel(20, 30), 0xFF0000u) << "inside the viewport: cleared";
    EXPECT_EQ(Pixel(2, 2), 0x000000u);
    EXPECT_EQ(Pixel(50, 30), 0x000000u);

    RestoreDefaultView();
    EXPECT_EQ(*static_cast<int*>(OvGetState(OV_STATE_CLIPPING)), 0);
    Projection(projection);
    EXPECT_DOUBLE_EQ(projection[0], 2.0 / kWidth);
    EXPECT_DOUBLE_EQ(projection[5], -2.0 / kHeight);
    EXPECT_DOUBLE_EQ(projection[12], -1.0);
    ClearTo(0.0, 0.0, 1.0);
    EXPECT_EQ(Pixel(2, 2), 0x0000FFu) << "no clip left behind";
}

TEST_F(ViewTest, AViewWithATargetCentresIt) {
    OvTest::JournalActor* hero = SpawnLive("hero");
    hero->position = OV_VECTOR(500, 300);
    OV_VIEW& follows = AddView("follows", true);
    follows.area = OV_VECTOR(0, 0, 200, 100);
    follows.target = hero;
    OV_VIEW& still = AddView("still", true);
    still.area = OV_VECTOR(7, 9, 200, 100);
    world.FrameStep();
    EXPECT_EQ(follows.area, OV_VECTOR(400, 250, 200, 100));
    EXPECT_EQ(still.area, OV_VECTOR(7, 9, 200, 100));
}

// A white texture of the given size, drawn with its origin at the top-left.
bool MakeWhite(OV_TEXTURE& texture, int width, int height) {
    if (!texture.LoadEmpty(width, height, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0)) return false;
    int w = 0, h = 0;
    auto* pixels = static_cast<unsigned char*>(texture.Lock(&w, &h));
    if (!pixels) return false;
    std::memset(pixels, 0xFF, static_cast<size_t>(w) * h * 4);
    texture.Unlock(1);
    return true;
}

TEST_F(ViewTest, AnActorDrawsItsSpriteAtItsPositionRotationAndScale) {
    OV_TEXTURE white;
    ASSERT_TRUE(MakeWhite(white, 10, 4));
    OV_ACTOR2D actor;
    actor.sprite = white;
    actor.position = OV_VECTOR(20, 10);
    actor.scale = OV_VECTOR(2, 2, 1, 1);
    actor.Draw(true);
    EXPECT_EQ(Pixel(38, 17), 0xFFFFFFu);
    EXPECT_EQ(Pixel(41, 17), 0x000000u);
    EXPECT_EQ(Pixel(38, 19), 0x000000u);

    ClearTo(0.0, 0.0, 0.0);
    actor.scale = OV_VECTOR(1, 1, 1, 1);
    actor.rotation = OV_VECTOR(180, 0, 0, 0);  // a half turn about the origin, whichever way round
    actor.Draw(true);
    EXPECT_EQ(Pixel(12, 7), 0xFFFFFFu);
    EXPECT_EQ(Pixel(22, 12), 0x000000u);
    white.Release(false);
}

class MouseThroughViewTest : public OvTest::WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        OV_WINDOW& window = *core.windows.Get("main", 0);
        window.x = 100;
        window.y = 50;
        InputStore().cursor = POINT{130, 70};
        AddView("cam", true).area = OV_VECTOR(12.75, -3.5, 800, 600);
    }
    void TearDown() override {
        core.windows.Access(REMOVE, "main", 0);
        InputStore() = OV_INPUT{};
        WorldTest::TearDown();
    }
};

TEST_F(MouseThroughViewTest, AViewAddsItsAreaOrigin) {
    EXPECT_EQ(core.MouseX("main", 0, "cam", 5), 30 + 12) << "found by name, whatever the id; truncated";
    EXPECT_EQ(core.MouseY("main", 0, "cam", 0), 20 - 3);
    EXPECT_EQ(core.MousePosition("main", 0, "cam", 0), OV_VECTOR(42.75, 16.5));
    EXPECT_EQ(core.MousePosition("main", 0, "nothing", 0), OV_VECTOR(30, 20));
    EXPECT_EQ(world.views.Count(), 1u) << "looking a view up never makes one";
    EXPECT_EQ(core.MouseX("gone", 0, "cam", 0), 0);
    EXPECT_EQ(core.MouseX(nullptr, 0, "cam", 0), 130);

    EXPECT_EQ(core.MouseX("main", 0, nullptr, 0), 30) << "no current view outside the view loop";
    static int seenInLoop;
    world.renderHook = [] { seenInLoop = core.MouseX("main", 0, nullptr, 0); };
    world.FrameStep();
    EXPECT_EQ(seenInLoop, 42);
}

}  // namespace

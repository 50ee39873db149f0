// The objects' pictures, read back from a real window.
#include "tests/support/GlWindow.h"
#include "GameTestSupport.h"

#include "ovcore/engine/OrvoCore.h"
#include "game/Ball.h"
#include "game/Gib.h"
#include "ovcore/platform/Windows.h"
#include "ovcore/render/TextureCollection.h"

#include <memory>
#include <cstdint>
#include <vector>

namespace {

using OvCore::OV_VECTOR;

constexpr const char* kClassName = "game-tests";

// A 64 x 64 window over opaque black with alpha blending, and the two
// object textures as white 4 x 4 squares centred on the drawing position.
class DrawingTest : public OvTest::GameWorldTest {
protected:
    static constexpr int kSize = 64;

    void SetUp() override {
        GameWorldTest::SetUp();
        window = std::make_unique<OvTest::GlWindow>(kClassName, kSize, kSize, 1.0, 100.0);
        ASSERT_TRUE(window->Created());
        ASSERT_TRUE(window->DrawInPixels(true));
        for (const char* name : {"spikeball", "gib"}) ASSERT_TRUE(MakeWhiteSquare(*OvCore::Textures().Get(name, 0)));
    }

    void TearDown() override {
        OvCore::ReleaseTextures();
        window.reset();
        GameWorldTest::TearDown();
    }

    static bool MakeWhiteSquare(OvCore::OV_TEXTURE& texture) {
        if (!texture.LoadEmpty(4, 4, OvCore::TEXTURE_NEAREST, OvCore::TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0))
            return false;
        int width = 0, height = 0;
        auto* pixels = static_cast<uint8_t*>(texture.Lock(&width, &height));
        if (!pixels) return false;
        for (int i = 0; i < width * height * 4; ++i) pixels[i] = 255;
        texture.Unlock(1);
        texture.CenterOrigin();
        return true;
    }

    // The red channel of a pixel.
    int Red(int x, int y) {
        uint8_t rgba[4] = {};
        EXPECT_EQ(OvRenderTargetReadPixels(x, y, 1, 1, rgba), 1);
        return rgba[0];
    }

    // The red channel along row 32 at the given columns.
    std::vector<int> Row(std::initializer_list<int> columns) {
        std::vector<int> reds;
        for (int x : columns) reds.push_back(Red(x, 32));
        return reds;
    }

    std::unique_ptr<OvTest::GlWindow> window;
};

TEST_F(DrawingTest, AMovingBallTrailsThreeTranslucentCopiesBackToItsLastPosition) {
    OvCore::Ball ball(OV_VECTOR(40, 32), OV_VECTOR(100, 0));
    ball.previousPosition = OV_VECTOR(10, 32);
    ball.OnRender(0);
    const std::vector<int> reds = Row({40, 30, 20, 10, 50});
    EXPECT_NEAR(reds[0], 84, 2);
    EXPECT_NEAR(reds[1], 84, 2);
    EXPECT_NEAR(reds[2], 84, 2);
    EXPECT_EQ(reds[3], 0);
    EXPECT_EQ(reds[4], 0);
}

TEST_F(DrawingTest, AMovingGibTrailsFourCopiesAtAQuarterAlpha) {
    OvCore::Gib gib(OV_VECTOR(50, 32), OV_VECTOR(0, -10));
    gib.previousPosition = OV_VECTOR(10, 32);
    gib.OnRender(0);
    const std::vector<int> reds = Row({50, 40, 30, 20, 10});
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(reds[i], 64, 2) << i;
    EXPECT_EQ(reds[4], 0);
}

TEST_F(DrawingTest, AMovingBallThatHasNotMovedDrawsNothing) {
    OvCore::Ball ball(OV_VECTOR(40, 32), OV_VECTOR(0, 5));
    ball.previousPosition = ball.position;
    ball.OnRender(0);
    EXPECT_EQ(Red(40, 32), 0);
}

TEST_F(DrawingTest, ARestingBallFadesOutAsItsRestTimeNears100) {
    OvCore::Ball fresh(OV_VECTOR(10, 32), OV_VECTOR(0, 0));
    OvCore::Ball half(OV_VECTOR(30, 32), OV_VECTOR(0, 0));
    half.restTimer = 50;
    OvCore::Ball gone(OV_VECTOR(50, 32), OV_VECTOR(0, 0));
    gone.restTimer = 100;
    for (OvCore::Ball* ball : {&fresh, &half, &gone}) ball->OnRender(0);
    EXPECT_EQ(Red(10, 32), 255);
    EXPECT_NEAR(Red(30, 32), 128, 2);
    EXPECT_EQ(Red(50, 32), 0);
    // The colour is opaque white again afterwards.
    OvCore::Textures().Get("gib", 0)->DrawTransformed(OV_VECTOR(30, 10), OvCore::OV_ANGLES(), OV_VECTOR(1, 1, 1), true);
    EXPECT_EQ(Red(30, 10), 255);
}

TEST_F(DrawingTest, WithoutItsTextureAnObjectDrawsNothing) {
    OvCore::ReleaseTextures();
    OvCore::Ball ball(OV_VECTOR(30, 32), OV_VECTOR(0, 0));
    ball.OnRender(0);
    EXPECT_EQ(Red(30, 32), 0);
}

}  // namespace

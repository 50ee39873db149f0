// Textures drawn into a real frame, read back pixel by pixel.
#include "RenderTestSupport.h"

#include <cmath>

using namespace OvCore;
using namespace OvTest;

namespace {

class TextureDrawingTest : public RenderWindowTest {
protected:
    void SetUp() override {
        RenderWindowTest::SetUp();
        ASSERT_TRUE(MakePattern(texture, 4, 4));
    }
    void TearDown() override {
        texture.Release(false);
        RenderWindowTest::TearDown();
    }

    // Every texel's centre, moved by scale, rotation (degrees) and position
    // about the texture's origin, shows that texel.
    void ExpectTexelsAt(double x, double y, double degrees, double scaleX, double scaleY) {
        const double radians = degrees * M_PI / 180.0;
        for (int j = 0; j < texture.height; ++j) {
            for (int i = 0; i < texture.width; ++i) {
                const double localX = (i + 0.5 - texture.originX) * scaleX;
                const double localY = (j + 0.5 - texture.originY) * scaleY;
                const double screenX = x + localX * std::cos(radians) - localY * std::sin(radians);
                const double screenY = y + localX * std::sin(radians) + localY * std::cos(radians);
                EXPECT_EQ(Pixel(static_cast<int>(std::floor(screenX)), static_cast<int>(std::floor(screenY))),
                          TexelColour(i, j))
                    << "texel " << i << ", " << j;
            }
        }
    }

    OV_TEXTURE texture;
};

TEST_F(TextureDrawingTest, PositionOriginAndScalePlaceEveryTexel) {
    texture.DrawTransformed(OV_VECTOR(10, 20), OV_ANGLES(), OV_VECTOR(1, 1, 1), true);
    ExpectTexelsAt(10, 20, 0, 1, 1);
    EXPECT_EQ(Pixel(9, 20), Rgba(0, 0, 0));
    EXPECT_EQ(Pixel(14, 20), Rgba(0, 0, 0));
    EXPECT_EQ(Pixel(10, 24), Rgba(0, 0, 0));

    ClearFrame();
    texture.CenterOrigin();
    texture.DrawTransformed(OV_VECTOR(10, 20), OV_ANGLES(), OV_VECTOR(1, 1, 1), true);
    EXPECT_EQ(Pixel(8, 18), TexelColour(0, 0));
    ExpectTexelsAt(10, 20, 0, 1, 1);

    ClearFrame();
    texture.DrawTransformed(OV_VECTOR(30, 30), OV_ANGLES(), OV_VECTOR(2, 3, 1), true);
    ExpectTexelsAt(30, 30, 0, 2, 3);
    EXPECT_EQ(Pixel(30 - 4, 30 - 6), TexelColour(0, 0));
    EXPECT_EQ(Pixel(30 + 3, 30 + 5), TexelColour(3, 3));
}

TEST_F(TextureDrawingTest, RotationTurnsAboutTheScreenNormal) {
    texture.CenterOrigin();
    texture.DrawTransformed(OV_VECTOR(32, 32), OV_ANGLES(90, 0, 0, 0), OV_VECTOR(4, 4, 1), true);
    ExpectTexelsAt(32, 32, 90, 4, 4);
    // A quarter turn with y growing downwards: the first corner goes to the top right.
    EXPECT_EQ(Pixel(32 + 7, 32 - 7), TexelColour(0, 0));

    ClearFrame();
    texture.DrawTransformed(OV_VECTOR(32, 32), OV_ANGLES(30, 0, 0, 0), OV_VECTOR(8, 8, 1), true);
    ExpectTexelsAt(32, 32, 30, 8, 8);
}

TEST_F(TextureDrawingTest, RectangleCornersAreUsedAsGivenSoSwappedOnesMirror) {
    texture.DrawRect(10, 10, 30, 30, 1.0f, 1.0f, true);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Pixel(10 + 5 * i + 2, 10 + 5 * j + 2), TexelColour(i, j));

    ClearFrame();
    texture.DrawRect(30, 10, 10, 30, 1.0f, 1.0f, true);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Pixel(29 - (5 * i + 2), 10 + 5 * j + 2), TexelColour(i, j));
}

TEST_F(TextureDrawingTest, TilingRepeatsTheImageOncePerItsSize) {
    texture.DrawTiled(0, 0, 8, 4, 1.0f, 1.0f, true);
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Pixel(i, j), TexelColour(i, j));
            EXPECT_EQ(Pixel(i + 4, j), TexelColour(i, j));
        }
    }
    EXPECT_EQ(Pixel(8, 0), Rgba(0, 0, 0));

    ClearFrame();
    // scaleT 0.5 over four times the image's height: T = 2, texels 2 pixels tall.
    texture.DrawTiled(0, 0, 4, 16, 1.0f, 0.5f, true);
    EXPECT_EQ(Pixel(1, 1), TexelColour(1, 0));
    EXPECT_EQ(Pixel(1, 3), TexelColour(1, 1));
    EXPECT_EQ(Pixel(1, 9), TexelColour(1, 0));
    EXPECT_EQ(Pixel(1, 15), TexelColour(1, 3));
}

TEST_F(TextureDrawingTest, ColourStateTintsAndBlendingMixesWithTheFrame) {
    OvSetState(OV_STATE_DRAW_COLOR, 0.5, 1.0, 0.0, 1.0);
    texture.DrawTransformed(OV_VECTOR(0, 0), OV_ANGLES(), OV_VECTOR(1, 1, 1), true);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    const uint32_t tinted = Pixel(3, 2), texel = TexelColour(3, 2);
    EXPECT_NEAR(Channel(tinted, 0), Channel(texel, 0) / 2.0, 1.0);
    EXPECT_EQ(Channel(tinted, 1), Channel(texel, 1));
    EXPECT_EQ(Channel(tinted, 2), 0u);

    ASSERT_TRUE(PaintTexture(texture, [](int, int) { return Rgba(255, 0, 0, 128); }));
    ClearFrame(0, 0, 1);
    texture.DrawTransformed(OV_VECTOR(0, 0), OV_ANGLES(), OV_VECTOR(1, 1, 1), true);
    const uint32_t unblended = Pixel(1, 1);
    EXPECT_EQ(Channel(unblended, 0), 255u);
    EXPECT_EQ(Channel(unblended, 2), 0u);

    ClearFrame(0, 0, 1);
    OvSetState(OV_STATE_BLENDING, 1);
    OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
    texture.DrawTransformed(OV_VECTOR(0, 0), OV_ANGLES(), OV_VECTOR(1, 1, 1), true);
    const uint32_t blended = Pixel(1, 1);
    OvSetState(OV_STATE_BLENDING, 0);
    EXPECT_NEAR(Channel(blended, 0), 128.0, 2.0);
    EXPECT_NEAR(Channel(blended, 2), 127.0, 2.0);
}

TEST_F(TextureDrawingTest, ClippingKeepsDrawingInsideTheRectangle) {
    // x, y from the bottom: the top-left 10 x 10 pixels.
    OvSetState(OV_STATE_CLIP_RECT, 0, kSize - 10, 10, 10);
    OvSetState(OV_STATE_CLIPPING, 1);
    texture.DrawRect(0, 0, kSize, kSize, 1.0f, 1.0f, true);
    OvSetState(OV_STATE_CLIPPING, 0);
    EXPECT_NE(Pixel(5, 5), Rgba(0, 0, 0));
    EXPECT_EQ(Pixel(15, 5), Rgba(0, 0, 0));
    EXPECT_EQ(Pixel(5, 15), Rgba(0, 0, 0));
}

TEST_F(TextureDrawingTest, BatchedAndImmediatePathsGiveTheSamePixels) {
    texture.CenterOrigin();
    const auto drawAll = [&](bool useArrays) {
        ClearFrame();
        texture.DrawTransformed(OV_VECTOR(20, 20), OV_ANGLES(30, 0, 0, 0), OV_VECTOR(3, 2, 1), useArrays);
        texture.DrawRect(60, 40, 40, 60, 1.0f, 0.5f, useArrays);
        texture.DrawTiled(0, 44, 12, 64, 1.0f, 1.0f, useArrays);
        OvMatrixTranslate(50, 10, 0);
        texture.Draw(useArrays);
        OvMatrixIdentity();
        return Frame();
    };
    const std::vector<uint32_t> batched = drawAll(true);
    EXPECT_EQ(drawAll(false), batched);
    EXPECT_EQ(batched[10 * kSize + 50], TexelColour(2, 2));
}

TEST_F(TextureDrawingTest, WithoutAFrameNothingIsDrawnAndTheMatrixStays) {
    OV_TEXTURE empty(4, 4, 0, 0, -1, -1, 0, 0);
    OvMatrixTranslate(5, 5, 0);
    double before[16], after[16];
    ASSERT_EQ(OvRenderMatrixRead(OV_MATRIX_MODELVIEW, before), 1);
    for (bool useArrays : {true, false}) {
        empty.Draw(useArrays);
        empty.DrawTransformed(OV_VECTOR(0, 0), OV_ANGLES(), OV_VECTOR(1, 1, 1), useArrays);
        empty.DrawRect(0, 0, 10, 10, 1, 1, useArrays);
        empty.DrawTiled(0, 0, 10, 10, 1, 1, useArrays);
    }
    ASSERT_EQ(OvRenderMatrixRead(OV_MATRIX_MODELVIEW, after), 1);
    EXPECT_TRUE(std::equal(before, before + 16, after));
    EXPECT_EQ(Pixel(6, 6), Rgba(0, 0, 0));
    OvMatrixIdentity();
}

}  // namespace

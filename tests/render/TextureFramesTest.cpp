// Frame selection, animation and geometry of OV_TEXTURE.
#include "RenderTestSupport.h"

#include <cmath>
#include <limits>

using namespace OvCore;
using namespace OvTest;

namespace {

class TextureFramesTest : public RenderWindowTest {
protected:
    void SetUp() override {
        RenderWindowTest::SetUp();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(texture.LoadEmpty(2 + i, 2, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0));
    }
    void TearDown() override {
        texture.Release(false);
        RenderWindowTest::TearDown();
    }

    int CurrentIndex() const {
        for (int i = 0; i < texture.GetFrameCount(); ++i)
            if (SameHandle(texture.frames[i], texture.GetCurrentFrame())) return i;
        return -1;
    }

    OV_TEXTURE texture;
};

TEST_F(TextureFramesTest, CreationsAddFramesAndTakeTheLargestSize) {
    EXPECT_EQ(texture.GetFrameCount(), 3);
    EXPECT_EQ(texture.width, 4);
    EXPECT_EQ(texture.height, 2);
    EXPECT_TRUE(texture.loaded);
    EXPECT_EQ(CurrentIndex(), 0);
    EXPECT_FALSE(texture.LoadEmpty(0, 5, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0));
    EXPECT_EQ(texture.GetFrameCount(), 3);
}

TEST_F(TextureFramesTest, SetFrameSelectsTheWholePartOfTheNumber) {
    EXPECT_TRUE(texture.SetFrame(2.7f));
    EXPECT_EQ(CurrentIndex(), 2);
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), 2.7f);

    EXPECT_FALSE(texture.SetFrame(3.0f));
    EXPECT_EQ(CurrentIndex(), -1);
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), -1.0f);

    EXPECT_TRUE(texture.SetFrame(-0.5f));
    EXPECT_EQ(CurrentIndex(), 0);
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), -0.5f);

    EXPECT_FALSE(texture.SetFrame(-1.0f));
    EXPECT_EQ(CurrentIndex(), -1);
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e30f}) {
        EXPECT_FALSE(texture.SetFrame(bad));
        EXPECT_FLOAT_EQ(texture.GetFramePosition(), -1.0f);
    }
}

TEST_F(TextureFramesTest, AnimateStepsByTheWholeFramesCrossedAndWraps) {
    texture.SetFrame(2.0f);
    texture.Animate(1.5f);
    EXPECT_EQ(CurrentIndex(), 0);
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), 0.5f);

    texture.Animate(0.25f);
    EXPECT_EQ(CurrentIndex(), 0);
    texture.Animate(-0.75f);  // from 0.75 to 0.0: no whole frame crossed
    EXPECT_EQ(CurrentIndex(), 0);
    texture.Animate(-1.0f);  // to -1: one step back, wrapping to the last
    EXPECT_EQ(CurrentIndex(), 2);
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), -1.0f);

    texture.SetFrame(1.0f);
    texture.Animate(3e6f + 1.0f);  // many turns end at once, one frame on
    EXPECT_EQ(CurrentIndex(), 2);  // 3,000,001 steps: 1 modulo 3
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), 2.0f);
    const float position = texture.GetFramePosition();
    texture.Animate(std::numeric_limits<float>::infinity());
    texture.Animate(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), position);

    texture.SetFrame(-1.0f);  // no frame selected: the new position names one
    texture.Animate(2.5f);
    EXPECT_EQ(CurrentIndex(), 1);

    OV_TEXTURE none;
    none.Animate(1.0f);
    EXPECT_FLOAT_EQ(none.GetFramePosition(), 0.0f);
    EXPECT_TRUE(IsEmptyHandle(none.GetCurrentFrame()));
}

TEST_F(TextureFramesTest, RemovingFramesKeepsTheCurrentOneValid) {
    const OvHandle first = texture.frames[0], second = texture.frames[1], third = texture.frames[2];
    texture.SetFrame(1.0f);
    EXPECT_TRUE(texture.RemoveFrame(first));
    EXPECT_TRUE(SameHandle(texture.GetCurrentFrame(), second));
    EXPECT_FALSE(texture.RemoveFrame(first));
    EXPECT_FALSE(texture.RemoveFrame(EmptyHandle()));

    texture.SetFrame(1.0f);  // third, the last
    EXPECT_TRUE(texture.RemoveFrame(third));
    EXPECT_TRUE(SameHandle(texture.GetCurrentFrame(), second));
    EXPECT_TRUE(texture.RemoveFrame(second));
    EXPECT_TRUE(IsEmptyHandle(texture.GetCurrentFrame()));
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), -1.0f);

    EXPECT_FALSE(texture.AddFrame(EmptyHandle()));
    EXPECT_TRUE(texture.AddFrame(first));
    EXPECT_TRUE(texture.AddFrame(third));
    EXPECT_TRUE(texture.SetFrame(1.0f));
    EXPECT_TRUE(SameHandle(texture.GetCurrentFrame(), third));
    texture.AddFrame(second);  // so that Release destroys all three
}

TEST(TextureGeometryTest, QuadAndBoxFollowTheGeometry) {
    OV_TEXTURE texture(33, 17, 0, 0, -1, 0, 3, 4);
    EXPECT_EQ(texture.boxWidth, 33);
    EXPECT_EQ(texture.boxHeight, 0);
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), -1.0f);
    EXPECT_FALSE(texture.loaded);

    texture.CenterOrigin();
    EXPECT_EQ(texture.originX, 16);
    EXPECT_EQ(texture.originY, 8);
    EXPECT_EQ(texture.corners[0], OV_VECTOR(-16, -8));
    EXPECT_EQ(texture.corners[1], OV_VECTOR(17, -8));
    EXPECT_EQ(texture.corners[2], OV_VECTOR(17, 9));
    EXPECT_EQ(texture.corners[3], OV_VECTOR(-16, 9));
    EXPECT_EQ(texture.texcoords[2], OV_VECTOR(1, 1));
    EXPECT_EQ(texture.boxOriginX, 3);

    texture.ResetBox();
    EXPECT_EQ(texture.boxWidth, 33);
    EXPECT_EQ(texture.boxHeight, 17);
    EXPECT_EQ(texture.boxOriginX, 16);
    EXPECT_EQ(texture.boxOriginY, 8);

    texture.SetGeometry(10, 20, 1, 2, 0, -5, 0, 0);
    EXPECT_EQ(texture.boxWidth, 0);
    EXPECT_EQ(texture.boxHeight, 20);
    EXPECT_EQ(texture.corners[2], OV_VECTOR(9, 18));
}

}  // namespace

// OV_FRAMEBUFFER activation and orientation, and OV_CAMERA's projections.
#include "RenderTestSupport.h"

#include "ovcore/render/Camera.h"
#include "ovcore/render/FrameBuffer.h"

#include <algorithm>
#include <array>

using namespace OvCore;
using namespace OvTest;

namespace {

using Matrix = std::array<double, 16>;

Matrix Projection() {
    Matrix matrix{};
    EXPECT_EQ(OvRenderMatrixRead(OV_MATRIX_PROJECTION, matrix.data()), 1);
    return matrix;
}

// The projection a direct engine call makes, with the current one kept.
template <class Call>
Matrix ProjectionOf(Call call) {
    const Matrix before = Projection();
    call();
    const Matrix made = Projection();
    OvMatrixMode(OV_MATRIX_PROJECTION);
    OvMatrixLoad(before.data());
    OvMatrixMode(OV_MATRIX_MODELVIEW);
    return made;
}

class FrameBufferCameraTest : public RenderWindowTest {};

TEST_F(FrameBufferCameraTest, ActivationSetsThePixelViewAndDeactivationRestores) {
    OV_FRAMEBUFFER frameBuffer;
    ASSERT_TRUE(frameBuffer.Create(256, 128, 0));
    EXPECT_EQ(frameBuffer.GetWidth(), 256);
    EXPECT_EQ(frameBuffer.GetHeight(), 128);
    EXPECT_FALSE(IsEmptyHandle(frameBuffer.GetTexture()));

    const Matrix window = Projection();
    const Matrix flipped = ProjectionOf([] { OvCameraOrtho(0, 128, 256, -128, 0); });
    ASSERT_TRUE(frameBuffer.Activate(true));
    EXPECT_EQ(Projection(), flipped);
    frameBuffer.Deactivate(false);
    EXPECT_EQ(Projection(), window);

    const Matrix upright = ProjectionOf([] { OvCameraOrtho(0, 0, 256, 128, 0); });
    ASSERT_TRUE(frameBuffer.Activate(false));
    EXPECT_EQ(Projection(), upright);
    frameBuffer.Deactivate(true);
    EXPECT_EQ(Projection(), window);
    frameBuffer.Destroy();

    // A failed activation changes nothing, and a Deactivate after it keeps
    // the projection in force.
    EXPECT_FALSE(frameBuffer.Activate(true));
    OvCameraOrtho(0, 0, 10, 10, 0);
    const Matrix current = Projection();
    frameBuffer.Deactivate(false);
    EXPECT_EQ(Projection(), current);
}

TEST_F(FrameBufferCameraTest, TheFlipDecidesHowTheTextureShowsOnScreen) {
    OV_TEXTURE image;
    ASSERT_TRUE(MakePattern(image, 4, 4));
    for (bool flip : {true, false}) {
        OV_FRAMEBUFFER frameBuffer;
        ASSERT_TRUE(frameBuffer.Create(4, 4, 0));
        ASSERT_TRUE(frameBuffer.Activate(flip));
        image.DrawTransformed(OV_VECTOR(0, 0), OV_ANGLES(), OV_VECTOR(1, 1, 1), true);
        frameBuffer.Deactivate(false);

        OV_TEXTURE canvas(4, 4, 0, 0, -1, -1, 0, 0);
        ASSERT_TRUE(canvas.AddFrame(frameBuffer.GetTexture()));
        ASSERT_TRUE(canvas.SetFrame(0));
        ClearFrame();
        canvas.DrawTransformed(OV_VECTOR(8, 8), OV_ANGLES(), OV_VECTOR(1, 1, 1), true);
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(Pixel(8 + i, 8 + j), TexelColour(i, flip ? j : 3 - j)) << "flip " << flip;
        frameBuffer.Destroy();
    }
    image.Release(false);
}

TEST_F(FrameBufferCameraTest, CamerasApplyTheirFields) {
    const Matrix window = Projection();
    OV_CAMERA camera;
    EXPECT_EQ(camera.position, OV_VECTOR(0, 0, 0, 1));
    EXPECT_EQ(camera.parameters, OV_VECTOR(0, 0, 0, 0));
    // The default is OvCameraOrtho(0, 0, 0, 0, 0), which changes nothing.
    EXPECT_FALSE(camera.Apply());
    EXPECT_EQ(Projection(), window);

    camera.width = 1066;
    camera.height = 600;
    camera.position = OV_VECTOR(-20, 30);
    camera.parameters.x = 2;
    const Matrix ortho = ProjectionOf([] { OvCameraOrtho(-20, 30, 1066, 600, 2); });
    EXPECT_TRUE(camera.Apply());
    EXPECT_EQ(Projection(), ortho);
    EXPECT_NE(ortho, window);

    camera.isPerspective = true;
    camera.parameters = OV_VECTOR(60, 1.5, 1, 500);
    camera.position = OV_VECTOR(0, 0, 100, 1);
    camera.perspectiveFlag = 1;
    const Matrix perspective = ProjectionOf([] { OvCameraPerspective(60, 1.5, 1, 500, 0, 0, 100, 1, 1); });
    EXPECT_TRUE(camera.Apply());
    EXPECT_EQ(Projection(), perspective);

    camera.parameters = OV_VECTOR(60, 1.5, 10, 5);  // far before near
    EXPECT_FALSE(camera.Apply());
    EXPECT_EQ(Projection(), perspective);
}

}  // namespace

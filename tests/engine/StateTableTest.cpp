#include "EngineWindow.h"

#include <gtest/gtest.h>

namespace {

const double* Reals(int id) { return static_cast<const double*>(OvGetState(id)); }

const int* Integers(int id) { return static_cast<const int*>(OvGetState(id)); }

void ExpectProjects(const double* m, double x, double y, double expectX, double expectY) {
    EXPECT_NEAR(m[0] * x + m[4] * y + m[12], expectX, 1e-12) << "x " << x << " y " << y;
    EXPECT_NEAR(m[1] * x + m[5] * y + m[13], expectY, 1e-12) << "x " << x << " y " << y;
}

}  // namespace

TEST(StateTableTest, ValuesRoundTripWithTheirCountAndKind) {
    OvSetState(OV_STATE_CLEAR_COLOR, 0.1, 0.2, 0.3, 0.4);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 0.5, 0.25, 0.125);
    OvSetState(OV_STATE_POINT_SIZE, 3.5);
    OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_ONE, OV_BLEND_ZERO);
    OvSetState(OV_STATE_CLIP_RECT, 1, 2, 3, 4);
    OvSetState(OV_STATE_LINE_BREAK, '|');
    OvSetState(OV_STATE_TEXTURING, 1);
    EXPECT_DOUBLE_EQ(Reals(254)[3], 0.4);
    EXPECT_DOUBLE_EQ(Reals(255)[1], 0.5);
    EXPECT_DOUBLE_EQ(Reals(213)[0], 3.5);
    EXPECT_EQ(Integers(153)[0], OV_BLEND_ONE);
    EXPECT_EQ(Integers(153)[1], OV_BLEND_ZERO);
    EXPECT_EQ(Integers(211)[3], 4);
    EXPECT_EQ(Integers(98)[0], '|');
    EXPECT_EQ(Integers(106)[0], 1);
    for (int id : {216, 217, 218, 212, 152}) {
        OvSetState(id, 1);
        EXPECT_EQ(Integers(id)[0], 1) << id;
        OvSetState(id, 0);
    }
    OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
    OvSetState(OV_STATE_POINT_SIZE, 1.0);
    OvSetState(OV_STATE_LINE_BREAK, '\n');
}

TEST(StateTableTest, UnknownIdsReadOnlyStatesAndBadValuesAreIgnored) {
    EXPECT_EQ(OvGetState(12345), nullptr);
    OvSetState(12345, 1, 2, 3);
    EXPECT_EQ(OvGetState(12345), nullptr);
    OvSetState(OV_STATE_CURRENT_TARGET, 0, 7);
    EXPECT_TRUE(IsEmptyHandle(*static_cast<OvHandle*>(OvGetState(OV_STATE_CURRENT_TARGET))));
    OvTextureUnactivate();
    OvSetState(OV_STATE_BOUND_TEXTURE, 0, 7);
    EXPECT_TRUE(IsEmptyHandle(*static_cast<OvHandle*>(OvGetState(OV_STATE_BOUND_TEXTURE))));

    OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, 999);
    EXPECT_EQ(Integers(153)[1], OV_BLEND_ONE_MINUS_SRC_ALPHA) << "unknown factor refused";
    OvSetState(OV_STATE_POINT_SIZE, -2.0);
    EXPECT_DOUBLE_EQ(Reals(213)[0], 1.0) << "point size must be positive";
}

TEST(StateTableTest, StatesReachEachContextWhenItBecomesCurrent) {
    EngineWindow first("state one", 32, 32);
    EngineWindow second("state two", 32, 32);
    TestGl gl;
    ASSERT_EQ(OvRenderTargetActivate(first.Target()), 1);
    OvSetState(OV_STATE_BLENDING, 1);
    OvSetState(OV_STATE_CLIPPING, 1);
    EXPECT_TRUE(gl.isEnabled(TestGl::kBlend));
    EXPECT_TRUE(gl.isEnabled(TestGl::kScissorTest));
    ASSERT_EQ(OvRenderTargetActivate(second.Target()), 1);
    EXPECT_TRUE(gl.isEnabled(TestGl::kBlend)) << "the table, not the context, holds the state";
    OvSetState(OV_STATE_BLENDING, 0);
    OvSetState(OV_STATE_CLIPPING, 0);
    EXPECT_FALSE(gl.isEnabled(TestGl::kBlend));
    ASSERT_EQ(OvRenderTargetActivate(first.Target()), 1);
    EXPECT_FALSE(gl.isEnabled(TestGl::kScissorTest));
}

TEST(CameraTest, OrthoMapsTheAreaWithYDownwardsAndResetsTheModelView) {
    double m[16];
    OvCameraOrtho(10, 20, 200, 100, 0.0);
    ASSERT_EQ(OvRenderMatrixRead(OV_MATRIX_PROJECTION, m), 1);
    ExpectProjects(m, 10, 20, -1, 1);
    ExpectProjects(m, 210, 120, 1, -1);
    ExpectProjects(m, 110, 70, 0, 0);
    double modelView[16];
    ASSERT_EQ(OvRenderMatrixRead(OV_MATRIX_MODELVIEW, modelView), 1);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(modelView[i], i % 5 == 0 ? 1.0 : 0.0);

    OvCameraOrtho(0, 0, 200, 100, 2.0);
    OvRenderMatrixRead(OV_MATRIX_PROJECTION, m);
    ExpectProjects(m, 50, 25, -1, 1);
    ExpectProjects(m, 150, 75, 1, -1);

    OvCameraOrtho(0, 100, 50, -100, -3.0);
    OvRenderMatrixRead(OV_MATRIX_PROJECTION, m);
    // A negative height flips; a bad zoom counts as 1.
    ExpectProjects(m, 0, 100, -1, 1);
    ExpectProjects(m, 50, 0, 1, -1);

    OvCameraOrtho(0, 0, 0, 100, 1.0);
    double unchanged[16];
    OvRenderMatrixRead(OV_MATRIX_PROJECTION, unchanged);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(unchanged[i], m[i]) << "zero width is refused";
    EXPECT_EQ(OvRenderMatrixRead(258, m), 0);
    EXPECT_EQ(OvRenderMatrixRead(OV_MATRIX_PROJECTION, nullptr), 0);
}

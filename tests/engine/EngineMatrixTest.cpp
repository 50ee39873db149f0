#include "EngineWindow.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Matrix = std::array<double, 16>;

Matrix Saved(int mode) {
    Matrix m{};
    OvMatrixSave(mode, m.data());
    return m;
}

std::array<double, 4> Apply(const Matrix& m, double x, double y, double z) {
    std::array<double, 4> out{};
    for (int row = 0; row < 4; ++row) out[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    return out;
}

void ExpectPoint(const Matrix& m, std::array<double, 3> in, std::array<double, 3> expected) {
    auto out = Apply(m, in[0], in[1], in[2]);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(out[i] / out[3], expected[i], 1e-9) << "component " << i;
}

class EngineMatrixTest : public ::testing::Test {
protected:
    void SetUp() override {
        OvMatrixMode(OV_MATRIX_PROJECTION);
        OvMatrixIdentity();
        OvMatrixMode(OV_MATRIX_MODELVIEW);
        OvMatrixIdentity();
    }
};

}  // namespace

TEST_F(EngineMatrixTest, CallsMultiplyOnTheRightSoTheLastAppliesFirst) {
    OvMatrixTranslate(10, 20, 0);
    OvMatrixRotate(90, 0, 0, 1);
    OvMatrixScale(2, 3, 1);
    ExpectPoint(Saved(OV_MATRIX_MODELVIEW), {1, 1, 0}, {10 - 3, 20 + 2, 0});

    OvMatrixIdentity();
    OvMatrixRotate(90, 0, 0, 5);
    {
        SCOPED_TRACE("the axis is normalised");
        ExpectPoint(Saved(OV_MATRIX_MODELVIEW), {1, 0, 0}, {0, 1, 0});
    }
    OvMatrixRotate(30, 0, 0, 0);
    {
        SCOPED_TRACE("a zero axis changes nothing");
        ExpectPoint(Saved(OV_MATRIX_MODELVIEW), {1, 0, 0}, {0, 1, 0});
    }
    OvMatrixIdentity();
    OvMatrixRotate(90, 1, 0, 0);
    ExpectPoint(Saved(OV_MATRIX_MODELVIEW), {0, 1, 0}, {0, 0, 1});
    {
        SCOPED_TRACE("the other mode is untouched");
        ExpectPoint(Saved(OV_MATRIX_PROJECTION), {4, 5, 6}, {4, 5, 6});
    }
}

TEST_F(EngineMatrixTest, StacksAreBoundedPerModeAndIgnoreOverAndUnderflow) {
    for (int i = 0; i < 40; ++i) {
        OvMatrixPush();
        OvMatrixTranslate(1, 0, 0);
    }
    OvMatrixPop();
    {
        SCOPED_TRACE("pushes past 32 were ignored");
        ExpectPoint(Saved(OV_MATRIX_MODELVIEW), {0, 0, 0}, {31, 0, 0});
    }
    for (int i = 0; i < 40; ++i) OvMatrixPop();
    ExpectPoint(Saved(OV_MATRIX_MODELVIEW), {0, 0, 0}, {0, 0, 0});

    OvMatrixTranslate(5, 0, 0);
    OvMatrixPush();
    OvMatrixMode(OV_MATRIX_PROJECTION);
    OvMatrixPop();
    OvMatrixScale(2, 2, 2);
    OvMatrixMode(999);
    OvMatrixIdentity();
    OvMatrixMode(OV_MATRIX_MODELVIEW);
    {
        SCOPED_TRACE("an unknown mode keeps the projection selected");
        ExpectPoint(Saved(OV_MATRIX_PROJECTION), {1, 1, 1}, {1, 1, 1});
    }
    OvMatrixTranslate(1, 0, 0);
    OvMatrixPop();
    ExpectPoint(Saved(OV_MATRIX_MODELVIEW), {0, 0, 0}, {5, 0, 0});
}

TEST_F(EngineMatrixTest, SaveAndLoadRoundTripTheColumnMajorFormat) {
    OvMatrixTranslate(7, 8, 9);
    Matrix modelView = Saved(OV_MATRIX_MODELVIEW);
    EXPECT_DOUBLE_EQ(modelView[12], 7);
    EXPECT_DOUBLE_EQ(modelView[14], 9);
    static_assert(sizeof(modelView) == 128);

    OvMatrixMode(OV_MATRIX_PROJECTION);
    OvMatrixLoad(modelView.data());
    OvMatrixMode(OV_MATRIX_MODELVIEW);
    EXPECT_EQ(Saved(OV_MATRIX_PROJECTION), modelView);
    Matrix unchanged = Saved(OV_MATRIX_MODELVIEW);
    OvMatrixLoad(nullptr);
    OvMatrixSave(OV_MATRIX_MODELVIEW, nullptr);
    Matrix untouched{};
    untouched.fill(-1);
    OvMatrixSave(258, untouched.data());
    EXPECT_EQ(Saved(OV_MATRIX_MODELVIEW), unchanged);
    EXPECT_DOUBLE_EQ(untouched[0], -1) << "an unknown mode writes nothing";
}

TEST_F(EngineMatrixTest, PerspectiveCameraLooksDownZFromTheEye) {
    EngineWindow window("perspective", 80, 40);
    ASSERT_EQ(OvRenderTargetActivate(window.Target()), 1);
    OvMatrixTranslate(3, 3, 3);
    ASSERT_EQ(OvCameraPerspective(90, 2, 1, 100, 10, 20, 50, 1, 0), 1);
    Matrix projection = Saved(OV_MATRIX_PROJECTION);
    {
        SCOPED_TRACE("the model view is reset");
        ExpectPoint(Saved(OV_MATRIX_MODELVIEW), {1, 2, 3}, {1, 2, 3});
    }
    auto centre = Apply(projection, 10, 20, 0);
    EXPECT_NEAR(centre[0], 0.0, 1e-9);
    EXPECT_NEAR(centre[1], 0.0, 1e-9);
    EXPECT_NEAR(centre[3], 50.0, 1e-9) << "the point lies 50 in front of the eye";
    EXPECT_GT(centre[2] / centre[3], -1.0);
    EXPECT_LT(centre[2] / centre[3], 1.0);
    auto right = Apply(projection, 10 + 100, 20 + 50, 0);
    EXPECT_NEAR(right[0] / right[3], 1.0, 1e-9) << "90 degrees: the edge at distance 50 is 50 away, halved by aspect 2";
    EXPECT_NEAR(right[1] / right[3], 1.0, 1e-9);

    ASSERT_EQ(OvCameraPerspective(90, 0, 1, 100, 0, 0, 10, 1, 1), 1);
    auto below = Apply(Saved(OV_MATRIX_PROJECTION), 0, 5, 0);
    EXPECT_LT(below[1] / below[3], 0.0) << "y down: a larger y is lower on screen";
    auto side = Apply(Saved(OV_MATRIX_PROJECTION), 20, 0, 0);
    EXPECT_NEAR(side[0] / side[3], 1.0, 1e-9) << "aspect 0 takes the viewport's 80 / 40";

    Matrix before = Saved(OV_MATRIX_PROJECTION);
    EXPECT_EQ(OvCameraPerspective(180, 1, 1, 10, 0, 0, 0, 1, 0), 0);
    EXPECT_EQ(OvCameraPerspective(60, 1, 10, 5, 0, 0, 0, 1, 0), 0);
    EXPECT_EQ(OvCameraPerspective(60, -1, 1, 5, 0, 0, 0, 1, 0), 0);
    EXPECT_EQ(OvCameraPerspective(0, 1, 0, 0, 0, 0, 0, 1, 0), 0) << "the target's defaults (near -1) make none";
    EXPECT_EQ(Saved(OV_MATRIX_PROJECTION), before);
}

TEST_F(EngineMatrixTest, TurnsAreExactAtQuarterTurnsHoweverLargeAndAccurateBetween) {
    const auto turned = [](double degrees) {
        OvMatrixIdentity();
        OvMatrixRotate(degrees, 0, 0, 1);
        return Saved(OV_MATRIX_MODELVIEW);
    };
    const Matrix quarter = turned(90);
    EXPECT_EQ(quarter[0], 0.0);
    EXPECT_EQ(quarter[1], 1.0);
    EXPECT_EQ(quarter[4], -1.0);
    EXPECT_EQ(quarter[5], 0.0);
    EXPECT_EQ(turned(-270), quarter);
    EXPECT_EQ(turned(3600000090.0), quarter) << "ten million whole turns and a quarter";
    EXPECT_EQ(turned(180)[0], -1.0);
    EXPECT_EQ(turned(180)[1], 0.0);

    // Between quarter turns, within a unit in the last place of the exact value.
    EXPECT_NEAR(turned(30)[1], 0.5, 0x1p-53);
    EXPECT_NEAR(turned(60)[0], 0.5, 0x1p-53);
    EXPECT_NEAR(turned(45)[0], std::sqrt(0.5), 0x1p-53);
    EXPECT_NEAR(turned(3600000030.0)[1], 0.5, 0x1p-53);
    EXPECT_NEAR(turned(-330)[1], 0.5, 0x1p-53);
    EXPECT_TRUE(std::isnan(turned(std::nan(""))[0]));
}

#include "EngineWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

OvHandle CurrentTarget() { return *static_cast<OvHandle*>(OvGetState(OV_STATE_CURRENT_TARGET)); }

std::vector<unsigned char> ReadAll(int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    EXPECT_EQ(OvRenderTargetReadPixels(0, 0, width, height, pixels.data()), 1);
    return pixels;
}

const unsigned char* PixelAt(const std::vector<unsigned char>& pixels, int width, int x, int y) {
    return &pixels[(static_cast<size_t>(y) * width + x) * 4];
}

}  // namespace

TEST(RenderTargetTest, ClearFillsTheTargetWithTheClearColour) {
    EngineWindow window("clear", kWidth, kHeight);
    ASSERT_TRUE(window.Created());
    ASSERT_EQ(OvRenderTargetActivate(window.Target()), 1);
    EXPECT_TRUE(SameHandle(CurrentTarget(), window.Target()));
    OvSetState(OV_STATE_CLEAR_COLOR, 0.2, 0.4, 0.6, 1.0);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    std::vector<unsigned char> pixels = ReadAll(kWidth, kHeight);
    for (int y : {0, kHeight / 2, kHeight - 1}) {
        for (int x : {0, kWidth / 2, kWidth - 1}) {
            const unsigned char* pixel = PixelAt(pixels, kWidth, x, y);
            EXPECT_EQ(pixel[0], 51);
            EXPECT_EQ(pixel[1], 102);
            EXPECT_EQ(pixel[2], 153);
            EXPECT_EQ(pixel[3], 255);
        }
    }
    std::vector<unsigned char> outside(16);
    EXPECT_EQ(OvRenderTargetReadPixels(kWidth - 1, 0, 2, 2, outside.data()), 0);
    EXPECT_EQ(OvRenderTargetReadPixels(-1, 0, 1, 1, outside.data()), 0);
    EXPECT_EQ(OvRenderTargetReadPixels(0, 0, 0, 1, outside.data()), 0);
    EXPECT_EQ(OvRenderTargetReadPixels(0, 0, 1, 1, nullptr), 0);
}

TEST(RenderTargetTest, ClippedClearCountsTheRectangleFromTheBottom) {
    EngineWindow window("clip", kWidth, kHeight);
    ASSERT_EQ(OvRenderTargetActivate(window.Target()), 1);
    OvSetState(OV_STATE_CLIPPING, 0);
    OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 0.0, 1.0);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    OvSetState(OV_STATE_CLIP_RECT, 0, 0, 8, 8);
    OvSetState(OV_STATE_CLIPPING, 1);
    OvSetState(OV_STATE_CLEAR_COLOR, 1.0, 0.0, 0.0, 1.0);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    OvSetState(OV_STATE_CLIPPING, 0);
    std::vector<unsigned char> pixels = ReadAll(kWidth, kHeight);
    EXPECT_EQ(PixelAt(pixels, kWidth, 2, kHeight - 2)[0], 255) << "bottom-left corner is inside";
    EXPECT_EQ(PixelAt(pixels, kWidth, 2, 2)[0], 0) << "top-left corner is outside";
    EXPECT_EQ(PixelAt(pixels, kWidth, 20, kHeight - 2)[0], 0);
}

TEST(RenderTargetTest, TwoTargetsShareOneObjectNamespace) {
    EngineWindow first("share one", kWidth, kHeight);
    EngineWindow second("share two", kWidth, kHeight);
    ASSERT_TRUE(first.Created());
    ASSERT_TRUE(second.Created());
    EXPECT_NE(first.Target().word1, second.Target().word1);
    EXPECT_EQ(OvRenderTargetShare(second.Target(), first.Target()), 1);
    EXPECT_EQ(OvRenderTargetShare(second.Target(), OvHandle{1, 0}), 0);

    TestGl gl;
    ASSERT_EQ(OvRenderTargetActivate(first.Target()), 1);
    unsigned texture = 0;
    gl.genTextures(1, &texture);
    gl.bindTexture(TestGl::kTexture2d, texture);
    ASSERT_NE(texture, 0u);
    ASSERT_EQ(OvRenderTargetActivate(second.Target()), 1);
    EXPECT_TRUE(gl.isTexture(texture));
    gl.deleteTextures(1, &texture);
    ASSERT_EQ(OvRenderTargetActivate(first.Target()), 1);
    EXPECT_FALSE(gl.isTexture(texture));
}

TEST(RenderTargetTest, ViewportIntegersAreLiveAndReappliedOnActivation) {
    EngineWindow window("viewport", kWidth, kHeight);
    OvRenderTargetArea(window.Target(), 4, 6, 30, 20, 45.0, -1.0, 1.0, 1.0);
    int* values[4];
    for (int i = 0; i < 4; ++i) {
        values[i] = static_cast<int*>(OvRenderTargetGet(window.Target(), 432 + i));
        ASSERT_NE(values[i], nullptr);
    }
    EXPECT_EQ(*values[0], 4);
    EXPECT_EQ(*values[1], 6);
    EXPECT_EQ(*values[2], 30);
    EXPECT_EQ(*values[3], 20);
    int* windowHeight = static_cast<int*>(OvRenderTargetGet(window.Target(), 436));
    ASSERT_NE(windowHeight, nullptr);
    EXPECT_EQ(*windowHeight, kHeight);
    EXPECT_EQ(OvRenderTargetGet(window.Target(), 431), nullptr);
    EXPECT_EQ(OvRenderTargetGet(window.Target(), 437), nullptr);

    TestGl gl;
    *values[0] = 1;
    *values[2] = 10;
    ASSERT_EQ(OvRenderTargetActivate(window.Target()), 1);
    int viewport[4] = {};
    gl.getIntegerv(TestGl::kViewport, viewport);
    EXPECT_EQ(viewport[0], 1);
    EXPECT_EQ(viewport[1], 6);
    EXPECT_EQ(viewport[2], 10);
    EXPECT_EQ(viewport[3], 20);
    *values[3] = 5;
    OvCameraOrtho(0, 0, 10, 10, 1);
    gl.getIntegerv(TestGl::kViewport, viewport);
    EXPECT_EQ(viewport[3], 5) << "a camera call reapplies the viewport";
}

TEST(RenderTargetTest, VsyncAndExtensionsNeedACurrentTarget) {
    {
        EngineWindow window("vsync", kWidth, kHeight);
        ASSERT_EQ(OvRenderTargetActivate(window.Target()), 1);
        EXPECT_EQ(OvExtensions(0), 1);
        int result = OvRenderVsync(1);
        EXPECT_EQ(result == 1, SDL_GL_GetSwapInterval() == 1);
        OvRenderVsync(0);
    }
    EXPECT_TRUE(IsEmptyHandle(CurrentTarget())) << "destroying the current target leaves none";
    EXPECT_EQ(OvRenderVsync(1), 0);
    EXPECT_EQ(OvExtensions(0), 0);
    OvRenderScene(OV_SCENE_END_FRAME);
    unsigned char pixel[4];
    EXPECT_EQ(OvRenderTargetReadPixels(0, 0, 1, 1, pixel), 0);
}

TEST(RenderTargetTest, EmptyUnknownAndStaleHandlesAreIgnored) {
    for (OvHandle handle : {OvHandle{1, 0}, OvHandle{0, 0}, OvHandle{0, 999999}, OvHandle{1, 1}}) {
        EXPECT_EQ(OvRenderTargetActivate(handle), 0);
        EXPECT_EQ(OvRenderTargetGet(handle, OV_TARGET_X), nullptr);
        OvRenderTargetArea(handle, 0, 0, 1, 1, 45.0, -1.0, 1.0, 1.0);
        OvRenderTargetDestroy(handle);
    }
    OvHandle failed{0, 5};
    EXPECT_EQ(OvRenderTargetCreate(&failed, nullptr, 80, 32), 0);
    EXPECT_TRUE(IsEmptyHandle(failed));
    EXPECT_EQ(OvRenderTargetCreate(nullptr, nullptr, 80, 32), 0);

    OvHandle destroyed{1, 0};
    {
        EngineWindow window("stale target", kWidth, kHeight);
        destroyed = window.Target();
    }
    EngineWindow next("next target", kWidth, kHeight);
    EXPECT_NE(next.Target().word1, destroyed.word1) << "handles are never reused";
    EXPECT_EQ(OvRenderTargetActivate(destroyed), 0);
    OvRenderTargetDestroy(destroyed);
    EXPECT_EQ(OvRenderTargetActivate(next.Target()), 1);
}

TEST(RenderTargetTest, ATargetWhoseWindowIsGoneIsNeverUsed) {
    EngineWindow window("orphan", kWidth, kHeight);
    ASSERT_EQ(OvRenderTargetActivate(window.Target()), 1);
    window.DestroyWindowOnly();
    OvRenderScene(OV_SCENE_END_FRAME);
    OvSetState(OV_STATE_BLENDING, 1);
    unsigned char pixel[4];
    EXPECT_EQ(OvRenderTargetReadPixels(0, 0, 1, 1, pixel), 0);
    EXPECT_EQ(OvRenderTargetActivate(window.Target()), 0);
    EXPECT_EQ(OvRenderVsync(0), 0);
}

TEST(RenderTargetTest, ClosureReleasesEveryTarget) {
    EngineWindow window("closure", kWidth, kHeight);
    ASSERT_EQ(OvRenderTargetActivate(window.Target()), 1);
    OvClosure();
    EXPECT_TRUE(IsEmptyHandle(CurrentTarget()));
    EXPECT_EQ(OvRenderTargetActivate(window.Target()), 0);
    OvInitiation();
    EngineWindow after("after closure", kWidth, kHeight);
    ASSERT_TRUE(after.Created()) << "the share root is made again";
    EXPECT_EQ(OvRenderTargetActivate(after.Target()), 1);
}

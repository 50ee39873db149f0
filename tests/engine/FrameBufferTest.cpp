#include "ImageFixtures.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWindowWidth = 64;
constexpr int kWindowHeight = 48;

int FrameBufferInt(OvHandle frameBuffer, int query) {
    const void* value = OvFrameBufferGet(frameBuffer, query);
    return value ? *static_cast<const int*>(value) : -1;
}

OvHandle TextureOf(OvHandle frameBuffer) {
    const void* value = OvFrameBufferGet(frameBuffer, OV_FRAMEBUFFER_TEXTURE);
    return value ? *static_cast<const OvHandle*>(value) : OvHandle{1, 0};
}

// Every pixel of the texture has this colour.
void ExpectFilled(OvHandle texture, const Bytes& rgba) {
    const Bytes pixels = LockCopy(texture);
    ASSERT_FALSE(pixels.empty());
    size_t mismatches = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        mismatches += !std::equal(rgba.begin(), rgba.end(), pixels.begin() + static_cast<long>(i));
    }
    EXPECT_EQ(mismatches, 0u);
}

void ClearTo(double r, double g, double b, double a) {
    OvSetState(OV_STATE_CLEAR_COLOR, r, g, b, a);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
}

Bytes WindowPixel(int x, int y) {
    Bytes pixel(4);
    EXPECT_EQ(OvRenderTargetReadPixels(x, y, 1, 1, pixel.data()), 1);
    return pixel;
}

const Bytes kRed = {255, 0, 0, 255};
const Bytes kGreen = {0, 255, 0, 255};
const Bytes kBlue = {0, 0, 255, 255};

class FrameBufferTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Created());
        ASSERT_EQ(OvRenderTargetActivate(window_.Target()), 1);
        OvSetState(OV_STATE_CLIPPING, 0);
        ClearTo(1.0, 0.0, 0.0, 1.0);
    }

    EngineWindow window_{"frames", kWindowWidth, kWindowHeight};
};

TEST_F(FrameBufferTest, ClearsWhileActiveLandInItsTextureAndNotOnTheWindow) {
    OvHandle frameBuffer{1, 0};
    ASSERT_EQ(OvFrameBufferCreate(&frameBuffer, 32, 16, 0), 1);
    EXPECT_EQ(OvFrameBufferUseFBO(frameBuffer), 1);
    EXPECT_EQ(FrameBufferInt(frameBuffer, OV_FRAMEBUFFER_WIDTH), 32);
    EXPECT_EQ(FrameBufferInt(frameBuffer, OV_FRAMEBUFFER_HEIGHT), 16);
    const OvHandle texture = TextureOf(frameBuffer);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_WIDTH), 32);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_HEIGHT), 16);
    ExpectFilled(texture, Bytes(4, 0));

    ASSERT_EQ(OvFrameBufferActivate(frameBuffer), 1);
    EXPECT_EQ(Viewport(), (std::vector<int>{0, 0, 32, 16}));
    // The framework sets its camera right after activation; the viewport stays the frame buffer's.
    OvCameraOrtho(0, 0, 32, 16, 0);
    EXPECT_EQ(Viewport(), (std::vector<int>{0, 0, 32, 16}));
    ClearTo(0.0, 1.0, 0.0, 1.0);
    OvFrameBufferUnactivate(frameBuffer);
    EXPECT_EQ(Viewport(), (std::vector<int>{0, 0, kWindowWidth, kWindowHeight}));
    EXPECT_EQ(*static_cast<int*>(OvRenderTargetGet(window_.Target(), 434)), kWindowWidth);

    ExpectFilled(texture, kGreen);
    EXPECT_EQ(WindowPixel(10, 10), kRed);
    ClearTo(0.0, 0.0, 1.0, 1.0);
    EXPECT_EQ(WindowPixel(10, 10), kBlue) << "drawing is back on the window";
    ExpectFilled(texture, kGreen);
    OvFrameBufferDestroy(frameBuffer);
    EXPECT_EQ(OvTextureGet(texture, OV_TEXTURE_WIDTH), nullptr) << "its own texture goes with it";
}

TEST_F(FrameBufferTest, GivenTexturesAreDrawnIntoSwappedAndKept) {
    OvHandle first{1, 0}, second{1, 0};
    ASSERT_EQ(OvTextureCreate(&first), 1);
    ASSERT_EQ(OvTextureCreate(&second), 1);
    ASSERT_EQ(OvTextureLoadEmpty(first, 8, 8, 1), 1);
    ASSERT_EQ(OvTextureLoadEmpty(second, 4, 2, 1), 1);
    OvHandle frameBuffer{1, 0};
    ASSERT_EQ(OvFrameBufferCreateFromTexture(&frameBuffer, first, 0), 1);
    EXPECT_EQ(TextureOf(frameBuffer).word1, first.word1);

    ASSERT_EQ(OvFrameBufferActivate(frameBuffer), 1);
    ClearTo(0.0, 1.0, 0.0, 1.0);
    ASSERT_EQ(OvFrameBufferSwapTexture(frameBuffer, second), 1) << "swapping while active";
    EXPECT_EQ(Viewport(), (std::vector<int>{0, 0, 4, 2}));
    ClearTo(0.0, 0.0, 1.0, 1.0);
    OvFrameBufferUnactivate(frameBuffer);
    EXPECT_EQ(TextureOf(frameBuffer).word1, second.word1);
    EXPECT_EQ(FrameBufferInt(frameBuffer, OV_FRAMEBUFFER_WIDTH), 4);
    ExpectFilled(first, kGreen);
    ExpectFilled(second, kBlue);
    EXPECT_EQ(OvFrameBufferSwapTexture(frameBuffer, OvHandle{0, 0}), 0);

    OvFrameBufferDestroy(frameBuffer);
    EXPECT_EQ(TextureInt(first, OV_TEXTURE_WIDTH), 8);
    EXPECT_EQ(TextureInt(second, OV_TEXTURE_WIDTH), 4) << "a given texture outlives the frame buffer";
    OvTextureDestroy(first);
    OvTextureDestroy(second);
}

TEST_F(FrameBufferTest, MipmapsAndBindingReachTheTexture) {
    using GetTexLevelParameteriv = void (*)(unsigned, int, unsigned, int*);
    auto levelParameter = reinterpret_cast<GetTexLevelParameteriv>(SDL_GL_GetProcAddress("glGetTexLevelParameteriv"));
    OvHandle frameBuffer{1, 0};
    ASSERT_EQ(OvFrameBufferCreate(&frameBuffer, 32, 16, 0), 1);
    const OvHandle texture = TextureOf(frameBuffer);
    TestGl gl;
    gl.bindTexture(TestGl::kTexture2d, static_cast<unsigned>(TextureInt(texture, OV_TEXTURE_GL_NAME)));
    int levelOneWidth = -1;
    levelParameter(TestGl::kTexture2d, 1, 0x1000 /* width */, &levelOneWidth);
    EXPECT_EQ(levelOneWidth, 0);
    OvFrameBufferMipmap(frameBuffer);
    levelParameter(TestGl::kTexture2d, 1, 0x1000, &levelOneWidth);
    EXPECT_EQ(levelOneWidth, 16);
    gl.bindTexture(TestGl::kTexture2d, 0);

    OvFrameBufferActivateTexture(frameBuffer);
    OvTextureParameter(OV_TEXTURE_WRAP_T, OV_TEXTURE_CLAMP);
    EXPECT_EQ(TextureParameterOf(texture, 0x2803 /* wrap t */), 0x812F);
    OvTextureUnactivate();
    OvFrameBufferDestroy(frameBuffer);
}

TEST_F(FrameBufferTest, BadSizesAndDeadHandlesAreRefused) {
    OvHandle frameBuffer{0, 7};
    EXPECT_EQ(OvFrameBufferCreate(&frameBuffer, 0, 16, 0), 0);
    EXPECT_EQ(frameBuffer.word1, 0u);
    EXPECT_EQ(OvFrameBufferCreate(&frameBuffer, 100000, 1, 0), 0);
    EXPECT_EQ(OvFrameBufferCreateFromTexture(&frameBuffer, OvHandle{0, 0}, 0), 0);
    OvHandle unloaded{1, 0};
    ASSERT_EQ(OvTextureCreate(&unloaded), 1);
    EXPECT_EQ(OvFrameBufferCreateFromTexture(&frameBuffer, unloaded, 0), 0) << "no pixels to draw into";
    EXPECT_EQ(OvFrameBufferCreate(nullptr, 8, 8, 0), 0);

    ASSERT_EQ(OvFrameBufferCreate(&frameBuffer, 8, 8, 0), 1);
    OvFrameBufferDestroy(frameBuffer);
    for (OvHandle dead : {frameBuffer, OvHandle{1, frameBuffer.word1}, OvHandle{0, 0}}) {
        EXPECT_EQ(OvFrameBufferActivate(dead), 0);
        EXPECT_EQ(OvFrameBufferGet(dead, OV_FRAMEBUFFER_WIDTH), nullptr);
        EXPECT_EQ(OvFrameBufferUseFBO(dead), 0);
        EXPECT_EQ(OvFrameBufferSwapTexture(dead, unloaded), 0);
        OvFrameBufferUnactivate(dead);
        OvFrameBufferMipmap(dead);
        OvFrameBufferActivateTexture(dead);
        OvFrameBufferDestroy(dead);
    }
    EXPECT_EQ(Viewport(), (std::vector<int>{0, 0, kWindowWidth, kWindowHeight}));

    // A frame buffer whose texture was destroyed under it no longer activates.
    OvHandle texture{1, 0};
    ASSERT_EQ(OvTextureCreate(&texture), 1);
    ASSERT_EQ(OvTextureLoadEmpty(texture, 8, 8, 1), 1);
    ASSERT_EQ(OvFrameBufferCreateFromTexture(&frameBuffer, texture, 0), 1);
    OvTextureDestroy(texture);
    EXPECT_EQ(OvFrameBufferActivate(frameBuffer), 0);
    OvFrameBufferDestroy(frameBuffer);
    OvTextureDestroy(unloaded);
}

TEST_F(FrameBufferTest, ActivationDoesNotOutliveTheTargetSwitch) {
    EngineWindow other("frames-other", 40, 30);
    ASSERT_TRUE(other.Created());
    OvHandle frameBuffer{1, 0};
    ASSERT_EQ(OvFrameBufferCreate(&frameBuffer, 16, 16, 0), 1);
    ASSERT_EQ(OvFrameBufferActivate(frameBuffer), 1);
    ASSERT_EQ(OvRenderTargetActivate(other.Target()), 1);
    EXPECT_EQ(Viewport(), (std::vector<int>{0, 0, 40, 30}));
    // Each context gets its own framebuffer object for the same texture.
    ASSERT_EQ(OvFrameBufferActivate(frameBuffer), 1);
    ClearTo(0.0, 0.0, 1.0, 1.0);
    OvFrameBufferUnactivate(frameBuffer);
    EXPECT_EQ(Viewport(), (std::vector<int>{0, 0, 40, 30}));
    ExpectFilled(TextureOf(frameBuffer), kBlue);
    ASSERT_EQ(OvRenderTargetActivate(window_.Target()), 1);
    EXPECT_EQ(*static_cast<int*>(OvRenderTargetGet(window_.Target(), 434)), kWindowWidth)
        << "the first target's viewport came back";
    OvFrameBufferDestroy(frameBuffer);
}

TEST_F(FrameBufferTest, ClosureReleasesTexturesAndFrameBuffers) {
    OvHandle frameBuffer{1, 0}, texture{1, 0};
    ASSERT_EQ(OvFrameBufferCreate(&frameBuffer, 8, 8, 0), 1);
    ASSERT_EQ(OvTextureCreate(&texture), 1);
    ASSERT_EQ(OvTextureLoadEmpty(texture, 4, 4, 1), 1);
    ASSERT_NE(OvTextureLock(texture, 0), nullptr);
    ASSERT_EQ(OvFrameBufferActivate(frameBuffer), 1);
    OvClosure();
    EXPECT_EQ(OvFrameBufferGet(frameBuffer, OV_FRAMEBUFFER_WIDTH), nullptr);
    EXPECT_EQ(OvTextureGet(texture, OV_TEXTURE_WIDTH), nullptr);
    EXPECT_EQ(OvTextureGet(TextureOf(frameBuffer), OV_TEXTURE_WIDTH), nullptr);
    OvInitiation();
}

}  // namespace

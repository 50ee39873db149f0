#include "ImageFixtures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>

namespace {

constexpr unsigned kGlMinFilter = 0x2801;
constexpr unsigned kGlWrapS = 0x2802;
constexpr int kGlNearest = 0x2600;
constexpr int kGlLinear = 0x2601;
constexpr int kGlRepeat = 0x2901;
constexpr int kGlClampToEdge = 0x812F;

OvHandle NewTexture() {
    OvHandle texture{1, 0};
    EXPECT_EQ(OvTextureCreate(&texture), 1);
    return texture;
}

void PatchPngSize(Bytes& png, uint32_t width, uint32_t height) {
    // IHDR data follow the signature and the chunk's length and type.
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<uint8_t>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<uint8_t>(height >> (24 - 8 * i));
    }
}

Bytes Wrapped(const Bytes& payload) {
    Bytes wrapped = {'O', 'V', 'I', 'M'};
    const uint32_t size = static_cast<uint32_t>(payload.size());
    for (int i = 0; i < 4; ++i) wrapped.push_back(static_cast<uint8_t>(size >> (8 * i)));
    wrapped.insert(wrapped.end(), payload.begin(), payload.end());
    return wrapped;
}

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Created());
        ASSERT_EQ(OvRenderTargetActivate(window_.Target()), 1);
    }

    EngineWindow window_{"textures", 64, 48};
};

TEST_F(TextureTest, PngFileLoadsWithItsSizeAndExactPixelsTopRowFirst) {
    const Bytes pixels = PatternPixels(3, 2);
    const OvTest::TempFolder scratch("ov_texture");
    const std::string path = scratch.Path("pattern.png");
    ASSERT_TRUE(WriteFile(path, EncodePng(3, 2, pixels)));

    OvHandle texture = NewTexture();
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_WIDTH), 0);
    EXPECT_EQ(OvTextureLock(texture, 1), nullptr);
    ASSERT_EQ(OvTextureLoad(texture, path.c_str(), 1), 1);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_WIDTH), 3);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_HEIGHT), 2);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_BYTES), 24);
    EXPECT_EQ(OvTextureGet(texture, 252), nullptr);
    EXPECT_EQ(LockCopy(texture), pixels);

    EXPECT_EQ(OvTextureLoad(texture, "/tmp/ov_no_such_texture.ovt", 1), 0);
    EXPECT_EQ(OvTextureLoad(texture, nullptr, 1), 0);
    EXPECT_EQ(LockCopy(texture), pixels) << "a failed load keeps the pixels";
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, UnlockUploadsChangesOnlyWhenAsked) {
    OvHandle texture = NewTexture();
    Bytes pixels = PatternPixels(4, 4);
    ASSERT_EQ(OvTextureLoadFromMemory(texture, EncodePng(4, 4, pixels).data(), 1), 1);

    auto* locked = static_cast<uint8_t*>(OvTextureLock(texture, 0));
    ASSERT_NE(locked, nullptr);
    EXPECT_EQ(OvTextureLock(texture, 0), locked) << "locking again hands out the same copy";
    EXPECT_EQ(OvTextureLoadEmpty(texture, 4, 4, 1), 0) << "no new pixels under a lock";
    locked[0] = 1;
    locked[63] = 2;
    OvTextureUnlock(texture, 1);
    pixels[0] = 1;
    pixels[63] = 2;
    EXPECT_EQ(LockCopy(texture), pixels);

    locked = static_cast<uint8_t*>(OvTextureLock(texture, 0));
    ASSERT_NE(locked, nullptr);
    std::memset(locked, 0xFF, 64);
    OvTextureUnlock(texture, 0);
    EXPECT_EQ(LockCopy(texture), pixels);
    OvTextureUnlock(texture, 1);  // not locked: nothing happens
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, MemoryImagesAreBoundedByTheirOwnBytes) {
    Bytes pixels = PatternPixels(5, 3);
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
    const Bytes png = EncodePng(5, 3, pixels);
    const Bytes bmp = EncodeBmp(5, 3, pixels);
    OvHandle texture = NewTexture();

    // Exactly sized copies: reading one byte past the image would be caught by the sanitizers.
    Bytes exact(png);
    ASSERT_EQ(OvTextureLoadFromMemory(texture, exact.data(), 1), 1);
    EXPECT_EQ(LockCopy(texture), pixels);
    Bytes followed(png);
    followed.insert(followed.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    EXPECT_EQ(OvTextureLoadFromMemory(texture, followed.data(), 1), 1);

    Bytes wrapped = Wrapped(bmp);
    ASSERT_EQ(OvTextureLoadFromMemory(texture, wrapped.data(), 1), 1);
    EXPECT_EQ(LockCopy(texture), pixels);
    EXPECT_EQ(OvTextureLoadFromMemory(texture, bmp.data(), 1), 0) << "no length in the bytes";
    ASSERT_EQ(OvTextureLoadFromMemorySized(texture, bmp.data(), static_cast<uint32_t>(bmp.size()), 1), 1);
    EXPECT_EQ(LockCopy(texture), pixels);

    int width = 0, height = 0;
    EXPECT_EQ(OvImageProbe(png.data(), static_cast<uint32_t>(png.size()), &width, &height), 1);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, LyingTruncatedAndEmptyImagesAreRefused) {
    const Bytes pixels = PatternPixels(8, 8);
    const Bytes png = EncodePng(8, 8, pixels);
    OvHandle texture = NewTexture();
    ASSERT_EQ(OvTextureLoadFromMemory(texture, png.data(), 1), 1);

    Bytes huge(png);
    PatchPngSize(huge, 60000, 60000);
    Bytes tooManyPixels(png);
    PatchPngSize(tooManyPixels, 16384, 16384);
    Bytes truncated(png.begin(), png.begin() + static_cast<long>(png.size() / 2));
    Bytes noEnd(png.begin(), png.end() - 12);
    Bytes lyingChunk(png);
    lyingChunk[8] = 0x7F;  // IHDR claims 2 GiB of data
    Bytes lyingWrapper = Wrapped(png);
    lyingWrapper[7] = 0x40;
    lyingWrapper.resize(lyingWrapper.size() - 1);
    Bytes emptyFirstData(png);
    const uint8_t emptyIdat[12] = {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0x35, 0xAF, 0x06, 0x1E};
    emptyFirstData.insert(emptyFirstData.begin() + 33, emptyIdat, emptyIdat + 12);
    const Bytes garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};

    for (const Bytes* bad :
         std::initializer_list<const Bytes*>{&huge, &tooManyPixels, &truncated, &noEnd, &lyingChunk, &emptyFirstData}) {
        const auto size = static_cast<uint32_t>(bad->size());
        EXPECT_EQ(OvTextureLoadFromMemorySized(texture, bad->data(), size, 1), 0);
        EXPECT_EQ(OvImageProbe(bad->data(), size, nullptr, nullptr), 0);
    }
    for (const Bytes* bad :
         std::initializer_list<const Bytes*>{&huge, &tooManyPixels, &lyingWrapper, &emptyFirstData, &garbage}) {
        EXPECT_EQ(OvTextureLoadFromMemory(texture, bad->data(), 1), 0);
    }
    EXPECT_EQ(OvTextureLoadFromMemorySized(texture, garbage.data(), 12, 1), 0);
    EXPECT_EQ(OvTextureLoadFromMemorySized(texture, png.data(), 0, 1), 0);
    EXPECT_EQ(OvTextureLoadFromMemory(texture, nullptr, 1), 0);
    EXPECT_EQ(OvImageProbe(nullptr, 10, nullptr, nullptr), 0);

    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_WIDTH), 8);
    EXPECT_EQ(LockCopy(texture), pixels) << "refused images leave the texture as it was";
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, EmptyTexturesAreTransparentBlackWithinTheLimits) {
    OvHandle texture = NewTexture();
    ASSERT_EQ(OvTextureLoadFromMemory(texture, EncodePng(5, 4, PatternPixels(5, 4)).data(), 1), 1);
    ASSERT_EQ(OvTextureLoadEmpty(texture, 5, 4, 1), 1) << "same size: replaced in place";
    EXPECT_EQ(LockCopy(texture), Bytes(80, 0));
    ASSERT_EQ(OvTextureLoadEmpty(texture, 7, 2, 1), 1);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_BYTES), 56);
    EXPECT_EQ(LockCopy(texture), Bytes(56, 0));

    EXPECT_EQ(OvTextureLoadEmpty(texture, 0, 4, 1), 0);
    EXPECT_EQ(OvTextureLoadEmpty(texture, 4, -1, 1), 0);
    EXPECT_EQ(OvTextureLoadEmpty(texture, 16385, 1, 1), 0);
    EXPECT_EQ(OvTextureLoadEmpty(texture, 16384, 16384, 1), 0);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_WIDTH), 7);
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, FromRenderCopiesTheBackBufferTopRowFirst) {
    OvSetState(OV_STATE_CLIPPING, 0);
    OvSetState(OV_STATE_CLEAR_COLOR, 1.0, 0.0, 0.0, 1.0);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    // The clip rectangle counts from the bottom: the window's bottom 8 rows turn blue.
    OvSetState(OV_STATE_CLIP_RECT, 0, 0, 64, 8);
    OvSetState(OV_STATE_CLIPPING, 1);
    OvSetState(OV_STATE_CLEAR_COLOR, 0.2, 0.4, 0.6, 1.0);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    OvSetState(OV_STATE_CLIPPING, 0);

    OvHandle texture = NewTexture();
    ASSERT_EQ(OvTextureFromRender(texture, 4, 38, 6, 4, 1), 1);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_WIDTH), 6);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_HEIGHT), 4);
    const Bytes pixels = LockCopy(texture);
    ASSERT_EQ(pixels.size(), 96u);
    const Bytes red = {255, 0, 0, 255};
    const Bytes blue = {51, 102, 153, 255};
    for (int row = 0; row < 4; ++row) {
        const Bytes expected = row < 2 ? red : blue;
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), pixels.begin() + row * 24)) << row;
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), pixels.begin() + row * 24 + 20)) << row;
    }
    EXPECT_EQ(OvTextureFromRender(texture, 60, 0, 8, 8, 1), 0) << "outside the window";
    EXPECT_EQ(OvTextureFromRender(texture, 0, 0, 0, 8, 1), 0);
    EXPECT_EQ(TextureInt(texture, OV_TEXTURE_WIDTH), 6);
    OvTextureDestroy(texture);
}

TEST_F(TextureTest, ParametersApplyToTheBoundTextureOnly) {
    OvHandle first = NewTexture();
    OvHandle second = NewTexture();
    ASSERT_EQ(OvTextureLoadEmpty(first, 4, 4, 1), 1);
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, OV_TEXTURE_NEAREST);
    OvTextureParameter(OV_TEXTURE_WRAP_S, OV_TEXTURE_CLAMP);
    ASSERT_EQ(OvTextureLoadEmpty(second, 4, 4, 1), 1);
    OvTextureParameter(OV_TEXTURE_WRAP_S, OV_TEXTURE_REPEAT);
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, 999.0f);
    OvTextureParameter(OV_TEXTURE_WRAP_T, OV_TEXTURE_LINEAR);

    EXPECT_EQ(TextureParameterOf(first, kGlMinFilter), kGlNearest);
    EXPECT_EQ(TextureParameterOf(first, kGlWrapS), kGlClampToEdge);
    EXPECT_EQ(TextureParameterOf(second, kGlMinFilter), kGlLinear);
    EXPECT_EQ(TextureParameterOf(second, kGlWrapS), kGlRepeat);

    OvTextureActivate(first);
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, OV_TEXTURE_LINEAR);
    EXPECT_EQ(TextureParameterOf(first, kGlMinFilter), kGlLinear);
    OvTextureUnactivate();
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, OV_TEXTURE_NEAREST);
    EXPECT_EQ(TextureParameterOf(first, kGlMinFilter), kGlLinear) << "nothing bound: no effect";
    OvTextureDestroy(first);
    OvTextureDestroy(second);
}

TEST_F(TextureTest, EmptyUnknownAndDestroyedHandlesAreInert) {
    OvHandle texture = NewTexture();
    ASSERT_EQ(OvTextureLoadEmpty(texture, 2, 2, 1), 1);
    OvTextureDestroy(texture);
    const Bytes png = EncodePng(2, 2, PatternPixels(2, 2));
    const OvHandle emptyByFlag{1, texture.word1};
    for (OvHandle dead : {texture, OvHandle{0, 0}, emptyByFlag, OvHandle{0, 0xFFFFFFF0u}}) {
        EXPECT_EQ(OvTextureGet(dead, OV_TEXTURE_WIDTH), nullptr);
        EXPECT_EQ(OvTextureLock(dead, 0), nullptr);
        EXPECT_EQ(OvTextureLoadEmpty(dead, 2, 2, 1), 0);
        EXPECT_EQ(OvTextureLoadFromMemory(dead, png.data(), 1), 0);
        EXPECT_EQ(OvTextureFromRender(dead, 0, 0, 2, 2, 1), 0);
        OvTextureUnlock(dead, 1);
        OvTextureActivate(dead);
        OvTextureDestroy(dead);
    }
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, OV_TEXTURE_NEAREST);  // the bound texture is gone
    EXPECT_EQ(OvTextureCreate(nullptr), 0);
    OvHandle next = NewTexture();
    EXPECT_NE(next.word1, texture.word1) << "identifiers are never reused";
    ASSERT_EQ(OvTextureLoadEmpty(next, 3, 3, 1), 1);
    EXPECT_EQ(OvTextureGet(texture, OV_TEXTURE_WIDTH), nullptr) << "the old handle does not reach its successor";
    OvTextureDestroy(texture);
    ASSERT_NE(OvTextureGet(next, OV_TEXTURE_WIDTH), nullptr);
    EXPECT_EQ(*static_cast<const int32_t*>(OvTextureGet(next, OV_TEXTURE_WIDTH)), 3);
    OvTextureDestroy(next);
}

}  // namespace

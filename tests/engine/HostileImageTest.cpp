// Images whose headers claim more pixels than their bytes can hold, as an
// attacker would craft them: refused before anything is decoded, while
// honest images at the edge of what their format can squeeze still load.
#include "ImageFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace {

// A 32-bit TGA header (uncompressed, or run-length coded) followed by
// `body`; the image is stored top row first.
Bytes Tga(int width, int height, bool runLength, const Bytes& body) {
    Bytes tga(18 + body.size(), 0);
    tga[2] = runLength ? 10 : 2;
    tga[12] = static_cast<uint8_t>(width);
    tga[13] = static_cast<uint8_t>(width >> 8);
    tga[14] = static_cast<uint8_t>(height);
    tga[15] = static_cast<uint8_t>(height >> 8);
    tga[16] = 32;
    tga[17] = 0x28;
    std::copy(body.begin(), body.end(), tga.begin() + 18);
    return tga;
}

// Run-length packets of 128 pixels (the most one packet holds), all one BGRA value.
Bytes UniformRuns(int pixels, const uint8_t bgra[4]) {
    Bytes body;
    for (int left = pixels; left > 0; left -= 128) {
        body.push_back(static_cast<uint8_t>(0x80 | ((left < 128 ? left : 128) - 1)));
        body.insert(body.end(), bgra, bgra + 4);
    }
    return body;
}

void SetBigEndian(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

class HostileImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Created());
        ASSERT_EQ(OvRenderTargetActivate(window_.Target()), 1);
        ASSERT_EQ(OvTextureCreate(&texture_), 1);
    }
    void TearDown() override { OvTextureDestroy(texture_); }

    int Load(const Bytes& image) {
        return OvTextureLoadFromMemorySized(texture_, image.data(), static_cast<uint32_t>(image.size()), 1);
    }
    int Probe(const Bytes& image) {
        return OvImageProbe(image.data(), static_cast<uint32_t>(image.size()), nullptr, nullptr);
    }

    EngineWindow window_{"hostile images", 64, 48};
    OvHandle texture_{1, 0};
};

TEST_F(HostileImageTest, HeadersClaimingMorePixelsThanTheBytesHoldAreRefused) {
    const Bytes tga118 = Tga(8192, 8192, false, Bytes(100, 0x7F));
    ASSERT_EQ(tga118.size(), 118u);
    const Bytes tga140 = Tga(8192, 8192, true, Bytes(122, 0xFF));
    ASSERT_EQ(tga140.size(), 140u);

    // 8192 x 8192 RGBA is exactly the byte cap; the data is that of an 8 x 8 image.
    Bytes pngHugeHeader = EncodePng(8, 8, PatternPixels(8, 8));
    SetBigEndian(pngHugeHeader, 16, 8192);
    SetBigEndian(pngHugeHeader, 20, 8192);

    const Bytes bmp = EncodeBmp(16, 16, PatternPixels(16, 16));
    Bytes bmpTall(bmp);
    bmpTall[22] = 0x00;
    bmpTall[23] = 0x40;  // 16384 rows
    const Bytes bmpShort(bmp.begin(), bmp.end() - 1);
    const Bytes tgaShort = Tga(4, 4, false, Bytes(63, 0x10));

    // An honest 8 x 8 PNG, then an image-data chunk claiming 416 MiB of which
    // 4 bytes follow: the decoder would reserve room for all of it first.
    const Bytes png = EncodePng(8, 8, PatternPixels(8, 8));
    Bytes pngLyingChunk(png.begin(), png.end() - 12);
    const Bytes lyingChunk = {0x1A, 0x00, 0x00, 0x6B, 'I', 'D', 'A', 'T', 0x78, 0x5E, 0x63, 0x80};
    pngLyingChunk.insert(pngLyingChunk.end(), lyingChunk.begin(), lyingChunk.end());
    const Bytes pngWithoutEnd(png.begin(), png.end() - 12);

    const std::initializer_list<const Bytes*> hostiles = {&tga118,   &tga140,   &pngHugeHeader, &bmpTall,
                                                          &bmpShort, &tgaShort, &pngLyingChunk, &pngWithoutEnd};
    for (const Bytes* hostile : hostiles) {
        EXPECT_EQ(Probe(*hostile), 0);
        EXPECT_EQ(Load(*hostile), 0);
    }
    EXPECT_EQ(Load(Tga(4, 4, false, Bytes(64, 0x10))), 1) << "one byte more holds every pixel";
    EXPECT_EQ(TextureInt(texture_, OV_TEXTURE_WIDTH), 4);
    EXPECT_EQ(Load(png), 1) << "the same PNG, whole and honest";
    EXPECT_EQ(TextureInt(texture_, OV_TEXTURE_WIDTH), 8);
}

TEST_F(HostileImageTest, HonestImagesAtTheirFormatsBestRatiosLoad) {
    const uint8_t bgra[4] = {0x30, 0x20, 0x10, 0xFF};
    const Bytes runs = Tga(1024, 1024, true, UniformRuns(1024 * 1024, bgra));
    ASSERT_EQ(runs.size(), 18u + 8192 * 5);
    ASSERT_EQ(Load(runs), 1);
    Bytes pixels = LockCopy(texture_);
    ASSERT_EQ(pixels.size(), 1024u * 1024 * 4);
    EXPECT_EQ(pixels[0], 0x10);
    EXPECT_EQ(pixels[pixels.size() - 2], 0x30);
    Bytes oneRunShort(runs.begin(), runs.end() - 5);
    EXPECT_EQ(Load(oneRunShort), 0) << "the last 128 pixels have no packet";

    const Bytes flat(1024 * 1024 * 4, 0x55);
    const Bytes png = EncodePng(1024, 1024, flat);
    ASSERT_LT(png.size(), flat.size() / 50) << "the writer compresses a flat image well";
    ASSERT_EQ(Load(png), 1);
    EXPECT_EQ(LockCopy(texture_), flat);
}

TEST_F(HostileImageTest, ProbingReadsOnlyTheHeader) {
    Bytes corrupt = EncodePng(64, 64, PatternPixels(64, 64));
    // Scramble the compressed data after the zlib header of the first IDAT (at 33 + 8).
    for (size_t i = 33 + 8 + 2; i < corrupt.size() - 16; ++i) corrupt[i] ^= 0xA5;
    int width = 0, height = 0;
    EXPECT_EQ(OvImageProbe(corrupt.data(), static_cast<uint32_t>(corrupt.size()), &width, &height), 1);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 64);
    EXPECT_EQ(Load(corrupt), 0) << "only decoding finds the corrupt data";
}

}  // namespace

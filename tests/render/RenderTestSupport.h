// A real window with a render target, and the pixel helpers the render tests
// check drawing with.
#pragma once

#include "tests/support/GlWindow.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/render/Texture.h"

#include "tests/support/TempFolder.h"

#include <memory>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace OvTest {

using Bytes = std::vector<uint8_t>;

// RGBA with red in the low byte.
constexpr uint32_t Rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 255) { return r | g << 8 | b << 16 | a << 24; }
inline uint32_t Channel(uint32_t rgba, int channel) { return (rgba >> (8 * channel)) & 0xFF; }

// A distinct opaque colour for every texel of a small image.
inline uint32_t TexelColour(int x, int y) { return Rgba(20 + 50 * x, 20 + 50 * y, 200); }

Bytes EncodePng(int width, int height, const Bytes& rgba);
Bytes PatternRgba(int width, int height);
bool WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);

// Paints every texel of the texture's current frame with paint(x, y) and
// uploads it. False when the frame cannot be locked.
template <class Paint>
bool PaintTexture(OvCore::OV_TEXTURE& texture, Paint paint) {
    int width = 0, height = 0;
    auto* pixels = static_cast<uint8_t*>(texture.Lock(&width, &height));
    if (!pixels) return false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c) pixels[(y * width + x) * 4 + c] = Channel(paint(x, y), c);
    texture.Unlock(1);
    return true;
}

// A window of kSize x kSize pixels with its render target current, an
// orthographic view of its pixels, opaque black cleared, blending off,
// texturing on and a white drawing colour.
class RenderWindowTest : public ::testing::Test {
protected:
    static constexpr int kSize = 64;

    void SetUp() override;
    void TearDown() override;

    void ClearFrame(double r = 0, double g = 0, double b = 0);
    uint32_t Pixel(int x, int y);
    std::vector<uint32_t> Frame();
    // A nearest-filtered, repeating texture of size width x height painted
    // with TexelColour.
    bool MakePattern(OvCore::OV_TEXTURE& texture, int width, int height);

    std::unique_ptr<OvTest::GlWindow> window;
};

}  // namespace OvTest

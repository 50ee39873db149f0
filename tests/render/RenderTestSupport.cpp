#include "RenderTestSupport.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace OvTest {

namespace {

void Append(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

constexpr const char* kClassName = "render-tests";

}  // namespace

Bytes EncodePng(int width, int height, const Bytes& rgba) {
    Bytes out;
    stbi_write_png_to_func(Append, &out, width, height, 4, rgba.data(), width * 4);
    return out;
}

Bytes PatternRgba(int width, int height) {
    Bytes pixels(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7 + 3);
    return pixels;
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void RenderWindowTest::SetUp() {
    window = std::make_unique<OvTest::GlWindow>(kClassName, kSize, kSize, 1.0, 100.0);
    ASSERT_TRUE(window->Created());
    ASSERT_TRUE(window->DrawInPixels(false));
}

void RenderWindowTest::TearDown() { window.reset(); }

void RenderWindowTest::ClearFrame(double r, double g, double b) {
    OvSetState(OV_STATE_CLEAR_COLOR, r, g, b, 1.0);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
}

uint32_t RenderWindowTest::Pixel(int x, int y) {
    uint8_t rgba[4] = {};
    EXPECT_EQ(OvRenderTargetReadPixels(x, y, 1, 1, rgba), 1);
    return Rgba(rgba[0], rgba[1], rgba[2], rgba[3]);
}

std::vector<uint32_t> RenderWindowTest::Frame() {
    Bytes rgba(static_cast<size_t>(kSize) * kSize * 4);
    EXPECT_EQ(OvRenderTargetReadPixels(0, 0, kSize, kSize, rgba.data()), 1);
    std::vector<uint32_t> pixels(static_cast<size_t>(kSize) * kSize);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = Rgba(rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2], rgba[i * 4 + 3]);
    return pixels;
}

bool RenderWindowTest::MakePattern(OvCore::OV_TEXTURE& texture, int width, int height) {
    using namespace OvCore;
    if (!texture.LoadEmpty(width, height, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0)) return false;
    OvTextureActivate(texture.GetCurrentFrame());
    OvTextureParameter(TEXTURE_WRAP_S, TEXTURE_REPEAT);
    OvTextureParameter(TEXTURE_WRAP_T, TEXTURE_REPEAT);
    OvTextureUnactivate();
    return PaintTexture(texture, TexelColour);
}

}  // namespace OvTest

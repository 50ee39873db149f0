#include "DrawQuad.h"
#include "EngineWindow.h"
#include "ImageFixtures.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using Rgba = std::array<int, 4>;

struct TextureGl {
    using TexImage2D = void (*)(unsigned, int, int, int, int, int, unsigned, unsigned, const void*);
    using TexParameteri = void (*)(unsigned, unsigned, int);
    using GenerateMipmap = void (*)(unsigned);
    GenerateMipmap generateMipmap = reinterpret_cast<GenerateMipmap>(SDL_GL_GetProcAddress("glGenerateMipmap"));
    TexImage2D texImage2D = reinterpret_cast<TexImage2D>(SDL_GL_GetProcAddress("glTexImage2D"));
    TexParameteri texParameteri = reinterpret_cast<TexParameteri>(SDL_GL_GetProcAddress("glTexParameteri"));
};

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Created());
        ASSERT_EQ(OvRenderTargetActivate(window_.Target()), 1);
        OvSetState(OV_STATE_BLENDING, 0);
        OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
        OvSetState(OV_STATE_CLIPPING, 0);
        OvSetState(OV_STATE_POINT_SIZE, 1.0);
        OvSetState(OV_STATE_TEXTURING, 1);
        OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
        OvRenderBindGlTexture(0, 0, 0);
        OvMatrixMode(OV_MATRIX_MODELVIEW);
        OvCameraOrtho(0, 0, kWidth, kHeight, 0);
        Clear(0.0, 0.0, 0.0);
        OvRenderStatistics(nullptr, nullptr);
    }
    void TearDown() override {
        for (unsigned texture : textures_) gl_.deleteTextures(1, &texture);
        OvSetState(OV_STATE_BLENDING, 0);
        OvSetState(OV_STATE_CLIPPING, 0);
        OvSetState(OV_STATE_POINT_SIZE, 1.0);
        OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
        OvRenderBindGlTexture(0, 0, 0);
    }

    static void Clear(double r, double g, double b) {
        OvSetState(OV_STATE_CLEAR_COLOR, r, g, b, 1.0);
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
    }
    static std::vector<unsigned char> Frame() {
        std::vector<unsigned char> pixels(kWidth * kHeight * 4);
        EXPECT_EQ(OvRenderTargetReadPixels(0, 0, kWidth, kHeight, pixels.data()), 1);
        return pixels;
    }
    static Rgba Pixel(int x, int y) {
        unsigned char p[4] = {};
        EXPECT_EQ(OvRenderTargetReadPixels(x, y, 1, 1, p), 1);
        return {p[0], p[1], p[2], p[3]};
    }
    static int Statistics(int* vertices = nullptr) {
        int drawCalls = 0;
        OvRenderStatistics(&drawCalls, vertices);
        return drawCalls;
    }
    static void Quad(double x1, double y1, double x2, double y2, const double* colours = nullptr) {
        DrawQuad(x1, y1, x2, y2, colours);
    }
    static void Immediate(int kind, std::initializer_list<std::array<double, 2>> points) {
        OvPrimitiveBegin(kind);
        for (const auto& point : points) OvPutVertex(point[0], point[1], 0, 1);
        OvPrimitiveEnd();
    }
    // A width x height RGBA texture, nearest filtering; rows top first.
    unsigned MakeTexture(int width, int height, const std::vector<unsigned char>& rgba) {
        unsigned texture = 0;
        gl_.genTextures(1, &texture);
        gl_.bindTexture(TestGl::kTexture2d, texture);
        textureGl_.texImage2D(TestGl::kTexture2d, 0, 0x1908, width, height, 0, 0x1908, 0x1401, rgba.data());
        textureGl_.texParameteri(TestGl::kTexture2d, 0x2801, 0x2600);
        textureGl_.texParameteri(TestGl::kTexture2d, 0x2800, 0x2600);
        textures_.push_back(texture);
        return texture;
    }
    unsigned SolidTexture(unsigned char r, unsigned char g, unsigned char b) {
        return MakeTexture(1, 1, {r, g, b, 255});
    }

    EngineWindow window_{"renderer", kWidth, kHeight};
    TestGl gl_;
    TextureGl textureGl_;
    std::vector<unsigned> textures_;
};

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255};

}  // namespace

TEST_F(RendererTest, UntexturedQuadCoversExactlyItsPixelsInEveryForm) {
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 0.0, 0.0, 1.0);
    Quad(10, 5, 20, 15);
    std::vector<unsigned char> doubles = Frame();
    EXPECT_EQ(Pixel(10, 5), kRed);
    EXPECT_EQ(Pixel(19, 14), kRed);
    for (auto [x, y] : {std::pair{9, 5}, {20, 5}, {10, 4}, {10, 15}}) EXPECT_EQ(Pixel(x, y), kBlack) << x << "," << y;

    Clear(0, 0, 0);
    const float corners[16] = {10, 5, 0, 1, 20, 5, 0, 1, 20, 15, 0, 1, 10, 15, 0, 1};
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, nullptr, 0, 0, 2, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Frame(), doubles) << "32-bit floats give the same pixels as doubles";

    Clear(0, 0, 0);
    Immediate(11, {{10, 5}, {20, 5}, {20, 15}, {10, 15}});
    EXPECT_EQ(Frame(), doubles) << "the immediate path gives the same pixels";

    Clear(0, 0, 0);
    const double two[8] = {10, 5, 20, 5, 20, 15, 10, 15};
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, two, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Frame(), doubles) << "two components per vertex";
}

TEST_F(RendererTest, TrianglesFansOutlinesAndPointsLandOnTheirPixels) {
    Immediate(8, {{0, 0}, {20, 0}, {0, 20}});
    EXPECT_EQ(Pixel(2, 2), kWhite);
    EXPECT_EQ(Pixel(17, 17), kBlack) << "beyond the hypotenuse";

    // A fan over the square 30..50 x 10..30 with its centre in the middle.
    Immediate(10, {{40, 20}, {30, 10}, {50, 10}, {50, 30}, {30, 30}, {30, 10}});
    EXPECT_EQ(Pixel(31, 11), kWhite);
    EXPECT_EQ(Pixel(48, 28), kWhite);
    EXPECT_EQ(Pixel(40, 20), kWhite);
    EXPECT_EQ(Pixel(51, 20), kBlack);

    Clear(0, 0, 0);
    Immediate(6, {{10.5, 10.5}, {30.5, 10.5}, {30.5, 30.5}, {10.5, 30.5}});
    EXPECT_EQ(Pixel(20, 10), kWhite) << "top edge";
    EXPECT_EQ(Pixel(10, 20), kWhite) << "closing edge back to the first point";
    EXPECT_EQ(Pixel(20, 20), kBlack) << "an outline is not filled";

    Clear(0, 0, 0);
    OvSetState(OV_STATE_POINT_SIZE, 4.0);
    const double points[8] = {10, 10, 0, 1, 40, 30, 0, 1};
    OvDrawData(OV_PRIMITIVE_POINTS, 0, 2, points, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Pixel(8, 8), kWhite);
    EXPECT_EQ(Pixel(11, 11), kWhite);
    EXPECT_EQ(Pixel(12, 12), kBlack) << "a 4-pixel point covers 8..11";
    EXPECT_EQ(Pixel(39, 29), kWhite);
}

TEST_F(RendererTest, ColourStateAndPerVertexColoursTint) {
    OvSetState(OV_STATE_DRAW_COLOR, 0.0, 1.0, 0.0, 1.0);
    Quad(0, 0, 10, 10);
    OvSetState(OV_STATE_DRAW_COLOR, 0.0, 0.0, 1.0, 1.0);
    Quad(10, 0, 20, 10);
    EXPECT_EQ(Pixel(5, 5), (Rgba{0, 255, 0, 255})) << "colour is taken per vertex";
    EXPECT_EQ(Pixel(15, 5), (Rgba{0, 0, 255, 255}));

    const double colours[16] = {1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1};
    Quad(30, 0, 40, 10, colours);
    EXPECT_EQ(Pixel(35, 5), kRed) << "a colour array wins over the colour state";
    const float floatColours[16] = {0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1, 1};
    const float corners[16] = {40, 0, 0, 1, 50, 0, 0, 1, 50, 10, 0, 1, 40, 10, 0, 1};
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, floatColours, nullptr, 0, 0, 2, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0,
               0);
    EXPECT_EQ(Pixel(45, 5), (Rgba{0, 255, 255, 255}));
}

TEST_F(RendererTest, BlendingAndClippingApplyToPendingDrawingAsSet) {
    Clear(0.0, 0.0, 1.0);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 0.0, 0.0, 0.5);
    OvSetState(OV_STATE_BLENDING, 1);
    Quad(0, 0, 10, 10);
    OvSetState(OV_STATE_BLENDING, 0);
    Quad(10, 0, 20, 10);
    Rgba blended = Pixel(5, 5);
    EXPECT_NEAR(blended[0], 128, 1);
    EXPECT_NEAR(blended[2], 127, 1);
    EXPECT_EQ(Pixel(15, 5)[2], 0) << "blending off replaces the background";

    Clear(0, 0, 0);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    OvSetState(OV_STATE_CLIP_RECT, 10, kHeight - 30, 20, 10);
    OvSetState(OV_STATE_CLIPPING, 1);
    Quad(0, 0, kWidth, kHeight);
    OvSetState(OV_STATE_CLIPPING, 0);
    Quad(0, 40, 5, 45);
    EXPECT_EQ(Pixel(10, 20), kWhite) << "inside the clip (counted from the bottom)";
    EXPECT_EQ(Pixel(29, 29), kWhite);
    EXPECT_EQ(Pixel(9, 20), kBlack);
    EXPECT_EQ(Pixel(10, 30), kBlack);
    EXPECT_EQ(Pixel(2, 42), kWhite) << "drawn after clipping was switched off";
}

TEST_F(RendererTest, ModelViewMovesVerticesAndProjectionChangesFlush) {
    OvMatrixPush();
    OvMatrixTranslate(30, 20, 0);
    OvMatrixScale(2, 2, 1);
    Quad(0, 0, 5, 5);
    OvMatrixPop();
    Quad(0, 0, 5, 5);
    EXPECT_EQ(Pixel(30, 20), kWhite);
    EXPECT_EQ(Pixel(39, 29), kWhite) << "scaled to 10 x 10";
    EXPECT_EQ(Pixel(40, 30), kBlack);
    EXPECT_EQ(Pixel(2, 2), kWhite) << "the pop restored the identity";

    Clear(0, 0, 0);
    OvMatrixPush();
    OvMatrixTranslate(40, 10, 0);
    OvMatrixRotate(90, 0, 0, 1);
    Quad(0, 0, 10, 5);  // turns to x 35..40, y 10..20
    OvMatrixPop();
    EXPECT_EQ(Pixel(36, 18), kWhite);
    EXPECT_EQ(Pixel(41, 12), kBlack);
    EXPECT_EQ(Pixel(45, 12), kBlack);

    Clear(0, 0, 0);
    Quad(0, 0, 4, 4);
    OvCameraOrtho(-20, -20, kWidth, kHeight, 0);
    EXPECT_EQ(Pixel(1, 1), kWhite) << "drawn under the projection it was added with";
    EXPECT_EQ(Pixel(21, 21), kBlack);
}

TEST_F(RendererTest, TexturedQuadShowsItsTexelsWithTheFirstRowAtTheTop) {
    const std::vector<unsigned char> texels = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    unsigned texture = MakeTexture(2, 2, texels);
    OvRenderBindGlTexture(texture, 2, 2);
    Quad(0, 0, 8, 8);
    EXPECT_EQ(Pixel(1, 1), kRed) << "texcoord (0, 0) at the smallest x and y";
    EXPECT_EQ(Pixel(6, 1), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(Pixel(1, 6), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(Pixel(6, 6), kWhite);

    OvSetState(OV_STATE_DRAW_COLOR, 0.0, 1.0, 1.0, 1.0);
    Quad(10, 0, 18, 8);
    EXPECT_EQ(Pixel(16, 6), (Rgba{0, 255, 255, 255})) << "the colour tints the texels";
    OvSetState(OV_STATE_TEXTURING, 0);
    Quad(20, 0, 28, 8);
    OvSetState(OV_STATE_TEXTURING, 1);
    OvRenderBindGlTexture(0, 0, 0);
    Quad(30, 0, 38, 8);
    EXPECT_EQ(Pixel(21, 1), (Rgba{0, 255, 255, 255})) << "texturing off: plain colour";
    EXPECT_EQ(Pixel(31, 1), (Rgba{0, 255, 255, 255})) << "no texture: plain colour";
}

TEST_F(RendererTest, AlternatingTexturesShareOneDrawCall) {
    unsigned red = SolidTexture(255, 0, 0);
    unsigned green = SolidTexture(0, 255, 0);
    unsigned blue = SolidTexture(0, 0, 255);
    ASSERT_EQ(Statistics(), 0);
    const unsigned three[3] = {red, green, blue};
    for (int i = 0; i < 6; ++i) {
        OvRenderBindGlTexture(three[i % 3], 1, 1);
        Quad(i * 10, 0, i * 10 + 8, 8);
    }
    OvRenderScene(OV_SCENE_FLUSH);
    EXPECT_EQ(Statistics(), 1);
    for (int i = 0; i < 6; ++i) {
        Rgba expected{i % 3 == 0 ? 255 : 0, i % 3 == 1 ? 255 : 0, i % 3 == 2 ? 255 : 0, 255};
        EXPECT_EQ(Pixel(i * 10 + 4, 4), expected) << i;
    }

    Statistics();
    for (int i = 0; i < 1000; ++i) {
        OvRenderBindGlTexture(i % 2 ? red : green, 1, 1);
        double x = (i % 32) * 2, y = 10 + (i / 32) % 16 * 2;
        Quad(x, y, x + 2, y + 2);
    }
    int vertices = 0;
    OvRenderScene(OV_SCENE_FLUSH);
    EXPECT_EQ(Statistics(&vertices), 1) << "1,000 quads of two textures";
    EXPECT_EQ(vertices, 4000);

    Quad(0, 0, 1, 1);
    Immediate(6, {{0, 0}, {5, 5}});
    Quad(0, 0, 1, 1);
    OvSetState(OV_STATE_BLENDING, 1);
    Quad(0, 0, 1, 1);
    OvRenderScene(OV_SCENE_FLUSH);
    EXPECT_EQ(Statistics(), 4) << "primitive class and blending changes flush";
}

TEST_F(RendererTest, MoreTexturesThanUnitsFlushAndStillDrawRight) {
    std::vector<unsigned> many;
    for (int i = 0; i < 40; ++i) many.push_back(SolidTexture(static_cast<unsigned char>(i * 6), 0, 0));
    for (int i = 0; i < 40; ++i) {
        OvRenderBindGlTexture(many[i], 1, 1);
        Quad(i, 0, i + 1, 4);
    }
    OvRenderScene(OV_SCENE_FLUSH);
    EXPECT_GE(Statistics(), 3) << "at most 16 textures a draw call";
    for (int i = 0; i < 40; ++i) EXPECT_EQ(Pixel(i, 2)[0], i * 6) << i;
}

// A batch of two textures samples by explicit level only while no texture
// reads mipmaps; a minified mipmapped one must still show its smaller level.
TEST_F(RendererTest, TwoTexturesInOneBatchKeepTheirMipmapLevels) {
    std::vector<unsigned char> checker;
    for (int i = 0; i < 16 * 16; ++i) {
        const unsigned char value = (i % 16 + i / 16) % 2 ? 255 : 0;
        checker.insert(checker.end(), {value, value, value, 255});
    }
    unsigned mipmapped = MakeTexture(16, 16, checker);
    textureGl_.generateMipmap(TestGl::kTexture2d);
    textureGl_.texParameteri(TestGl::kTexture2d, 0x2801, 0x2700);  // nearest texel of the nearest level
    unsigned red = SolidTexture(255, 0, 0);
    for (int i = 0; i < 8; ++i) {
        OvRenderBindGlTexture(i % 2 ? red : mipmapped, 16, 16);
        Quad(i * 4, 0, i * 4 + 2, 2);
    }
    OvRenderScene(OV_SCENE_FLUSH);
    EXPECT_EQ(Statistics(), 1);
    for (int i = 0; i < 8; ++i) {
        const Rgba pixel = Pixel(i * 4, 0);
        if (i % 2) {
            EXPECT_EQ(pixel, kRed) << i;
        } else {
            EXPECT_NEAR(pixel[0], 128, 2) << i << ": the 2 x 2 level, not a texel of the first";
        }
    }
}

TEST_F(RendererTest, ASmallBatchSplitsLongPrimitivesWithoutGaps) {
    ASSERT_EQ(OvVertexBufferReserve(64), 1);
    std::vector<Vec4> fan = {{32, 24, 0, 1}};
    constexpr int kRim = 200;
    for (int i = 0; i <= kRim; ++i) {
        double angle = 2 * M_PI * i / kRim;
        fan.push_back({32 + 20 * std::cos(angle), 24 + 20 * std::sin(angle), 0, 1});
    }
    OvDrawData(OV_PRIMITIVE_FAN, 0, static_cast<int>(fan.size()), fan.data(), nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0,
               0, 4, 0, 0, 0, 0, 0, 0, 0);
    for (int i = 0; i < 100; ++i) Quad(i % 64, 46, i % 64 + 1, 48);
    OvRenderScene(OV_SCENE_FLUSH);
    EXPECT_GT(Statistics(), 5);
    int covered = 0;
    for (int y = 10; y < 38; ++y) {
        for (int x = 18; x < 46; ++x) covered += Pixel(x, y) == kWhite;
    }
    EXPECT_EQ(covered, 28 * 28) << "the whole disc's inner square is filled";
    EXPECT_EQ(Pixel(63, 47), kWhite);

    Clear(0, 0, 0);
    OvPrimitiveBegin(OV_PRIMITIVE_OUTLINE);
    for (int i = 0; i < 100; ++i) OvPutVertex(i % 2 ? 60.5 : 2.5, 2.5 + i * 0.4, 0, 1);
    OvPrimitiveEnd();
    EXPECT_EQ(Pixel(31, 21), kWhite) << "the closing segment joins the last point to the first";
    ASSERT_EQ(OvVertexBufferReserve(1 << 19), 1);
}

// The one-call sprite adds a whole quad of its own: between OvPrimitiveBegin
// and OvPrimitiveEnd it draws nothing and the open quad stays whole; after
// lines it starts triangles and both show.
TEST_F(RendererTest, OneCallSpriteRespectsTheOpenPrimitiveAndTheLinesBefore) {
    const Vec4 corners[4] = {{-4, -4, 0, 1}, {4, -4, 0, 1}, {4, 4, 0, 1}, {-4, 4, 0, 1}};
    const Vec4 coords[4] = {};
    const double at[3] = {40, 30, 0}, turns[3] = {0, 0, 0}, scale[3] = {1, 1, 1};
    OvPrimitiveBegin(OV_PRIMITIVE_QUADS);
    OvPutVertex(2, 2, 0, 1);
    OvPutVertex(12, 2, 0, 1);
    OvDrawTransformedQuad(OvHandle{0, 0}, at, turns, scale, &corners[0].x, &coords[0].x);
    OvPutVertex(12, 12, 0, 1);
    OvPutVertex(2, 12, 0, 1);
    OvPrimitiveEnd();
    EXPECT_EQ(Pixel(7, 7), kWhite) << "the open quad is whole";
    EXPECT_EQ(Pixel(40, 30), kBlack) << "no sprite inside a primitive";

    Clear(0, 0, 0);
    Immediate(6, {{2.5, 44.5}, {60.5, 44.5}});
    OvDrawTransformedQuad(OvHandle{0, 0}, at, turns, scale, &corners[0].x, &coords[0].x);
    EXPECT_EQ(Pixel(30, 44), kWhite);
    EXPECT_EQ(Pixel(40, 30), kWhite);
    EXPECT_EQ(Pixel(45, 30), kBlack);
}

// The ortho camera's depth range is -1 to 1: a quad at z = 2 lies beyond the
// far plane. Batches whose quads share a depth are drawn by a program that
// is given that depth; each quad must still end where its own depth puts it.
TEST_F(RendererTest, QuadsAtOneDepthOrAtSeveralAreClippedByTheirOwn) {
    const Vec4 corners[4] = {{-4, -4, 0, 1}, {4, -4, 0, 1}, {4, 4, 0, 1}, {-4, 4, 0, 1}};
    const Vec4 coords[4] = {};
    auto sprite = [&](double x, double z) {
        const double at[3] = {x, 10, z}, turns[3] = {0, 0, 0}, scale[3] = {1, 1, 1};
        OvDrawTransformedQuad(OvHandle{0, 0}, at, turns, scale, &corners[0].x, &coords[0].x);
    };
    const std::vector<std::vector<double>> batches = {{0.5}, {2.0}, {0.5, 0.5}, {2.0, 0.5}, {0.5, 2.0}};
    for (const std::vector<double>& depths : batches) {
        Clear(0, 0, 0);
        for (size_t i = 0; i < depths.size(); ++i) sprite(10.0 + 20.0 * static_cast<double>(i), depths[i]);
        OvRenderScene(OV_SCENE_FLUSH);
        EXPECT_EQ(Statistics(), 1);
        for (size_t i = 0; i < depths.size(); ++i) {
            EXPECT_EQ(Pixel(10 + 20 * static_cast<int>(i), 10), depths[i] > 1.0 ? kBlack : kWhite)
                << "quad " << i << " at z = " << depths[i] << " of a batch of " << depths.size();
        }
    }

    // A quad with a corner at infinity takes the general path; the quads
    // around it in the batch still land where their depths put them.
    Clear(0, 0, 0);
    const double inf = std::numeric_limits<double>::infinity();
    const Vec4 broken[4] = {{-4, -4, 0, 1}, {inf, -4, 0, 1}, {4, 4, 0, 1}, {-4, 4, 0, 1}};
    const double at[3] = {30, 10, 0.5}, turns[3] = {0, 0, 0}, scale[3] = {1, 1, 1};
    sprite(10, 0.5);
    OvDrawTransformedQuad(OvHandle{0, 0}, at, turns, scale, &broken[0].x, &coords[0].x);
    sprite(50, 2.0);
    OvRenderScene(OV_SCENE_FLUSH);
    EXPECT_EQ(Pixel(10, 10), kWhite);
    EXPECT_EQ(Pixel(50, 10), kBlack) << "still clipped at its own depth";
}

TEST_F(RendererTest, StateChangeInsideAPrimitiveKeepsItWhole) {
    OvPrimitiveBegin(OV_PRIMITIVE_FAN);
    OvPutVertex(20, 20, 0, 1);
    OvPutVertex(10, 10, 0, 1);
    OvPutVertex(30, 10, 0, 1);
    OvSetState(OV_STATE_POINT_SIZE, 2.0);
    OvPutVertex(30, 30, 0, 1);
    OvPutVertex(10, 30, 0, 1);
    OvPutVertex(10, 10, 0, 1);
    OvPrimitiveEnd();
    EXPECT_EQ(Pixel(11, 28), kWhite);
    EXPECT_EQ(Pixel(28, 11), kWhite);
    EXPECT_EQ(Pixel(28, 28), kWhite);
}

TEST_F(RendererTest, BadCallsDrawNothing) {
    const double corners[16] = {0, 0, 0, 1, 64, 0, 0, 1, 64, 48, 0, 1, 0, 48, 0, 1};
    OvDrawData(12, 0, 4, corners, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, nullptr, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 0, corners, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    OvDrawData(OV_PRIMITIVE_QUADS, -1, 4, corners, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, nullptr, 0, 0, 7, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 3, corners, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    Immediate(10, {{0, 0}, {64, 0}});
    Immediate(8, {{0, 0}, {64, 0}});
    Immediate(6, {{0, 0}});
    OvPutVertex(0, 0, 0, 1);
    OvPrimitiveBegin(OV_PRIMITIVE_TRIANGLES);
    OvPutVertex(0, 0, 0, 1);
    OvPutVertex(64, 0, 0, 1);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    OvPrimitiveEnd();
    OvRenderScene(OV_SCENE_FLUSH);
    EXPECT_EQ(Statistics(), 0);
    EXPECT_EQ(Pixel(40, 10), kBlack);
}

TEST_F(RendererTest, PendingDrawingStaysWithItsTarget) {
    EngineWindow other("renderer other", kWidth, kHeight);
    ASSERT_TRUE(other.Created());
    Quad(0, 0, 10, 10);
    ASSERT_EQ(OvRenderTargetActivate(other.Target()), 1);
    OvCameraOrtho(0, 0, kWidth, kHeight, 0);
    Clear(0, 0, 0);
    EXPECT_EQ(Pixel(5, 5), kBlack) << "nothing leaked into the next target";
    ASSERT_EQ(OvRenderTargetActivate(window_.Target()), 1);
    EXPECT_EQ(Pixel(5, 5), kWhite) << "flushed into its own target on the switch";
}

TEST_F(RendererTest, DrawingWorksAgainAfterTheEngineIsRestarted) {
    // A primitive left open while the engine closes goes on writing: into
    // memory of its own, not GL's freed vertex memory.
    OvPrimitiveBegin(OV_PRIMITIVE_QUADS);
    OvPutVertex(0, 0, 0, 1);
    OvPutVertex(10, 0, 0, 1);
    OvClosure();
    OvPutVertex(10, 10, 0, 1);
    OvPutVertex(0, 10, 0, 1);
    OvPrimitiveEnd();
    Quad(0, 0, 10, 10);
    OvInitiation();
    EngineWindow after("renderer restarted", kWidth, kHeight);
    ASSERT_EQ(OvRenderTargetActivate(after.Target()), 1);
    OvCameraOrtho(0, 0, kWidth, kHeight, 0);
    Clear(0, 0, 0);
    EXPECT_EQ(Pixel(5, 5), kBlack) << "drawing without a target was dropped";
    Quad(0, 0, 10, 10);
    EXPECT_EQ(Pixel(5, 5), kWhite);
    textures_.clear();
}

TEST_F(RendererTest, ClearAloneCoversDrawingIssuedBeforeIt) {
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 0.0, 0.0, 1.0);
    Quad(0, 0, kWidth, kHeight);
    OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 1.0, 1.0);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);  // no flush flag: the pending quad must not land on top of the clear
    EXPECT_EQ(Pixel(10, 10), (Rgba{0, 0, 255, 255}));
}

namespace {

// The pixels of the rectangle x0..x1 x y0..y1 (exclusive ends) of a frame.
std::vector<unsigned char> Region(const std::vector<unsigned char>& frame, int x0, int y0, int x1, int y1) {
    std::vector<unsigned char> region;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = &frame[(static_cast<size_t>(y) * kWidth + x) * 4];
            region.insert(region.end(), p, p + 4);
        }
    }
    return region;
}

}  // namespace

TEST_F(RendererTest, EveryProgramVariantGivesTheSamePixels) {
    const std::vector<unsigned char> checker = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 200, 100, 50, 255};
    unsigned texture = MakeTexture(2, 2, checker);
    unsigned other = SolidTexture(10, 20, 30);
    struct Extra {
        const char* variant;
        unsigned texture;
        bool texturing;
        const double* colours;
        double depth = 0.0;
    };
    const double mixed[16] = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1};
    const Extra extras[] = {{"one sampler, some vertices untextured", 0, true, nullptr},
                            {"one sampler, texturing off for some", texture, false, nullptr},
                            {"two samplers", other, true, nullptr},
                            {"one sampler, colours per vertex", texture, true, mixed},
                            {"two samplers, colours per vertex", other, true, mixed},
                            {"vertices at two depths", texture, true, nullptr, 0.25}};
    // White takes the variants without a colour, the tint those with one.
    for (const std::array<double, 3> tint : {std::array<double, 3>{1.0, 1.0, 1.0}, {0.5, 1.0, 0.25}}) {
        auto reference = [&] {
            OvRenderBindGlTexture(texture, 2, 2);
            OvSetState(OV_STATE_DRAW_COLOR, tint[0], tint[1], tint[2], 1.0);
            Quad(1, 1, 17, 17);
            OvMatrixPush();
            OvMatrixTranslate(24, 9, 0);
            OvMatrixRotate(30, 0, 0, 1);
            Quad(-7, -7, 7, 7);
            OvMatrixPop();
        };
        Clear(0, 0, 0);
        reference();
        OvRenderScene(OV_SCENE_FLUSH);
        ASSERT_EQ(Statistics(), 1);
        const std::vector<unsigned char> expected = Region(Frame(), 0, 0, 34, 20);
        EXPECT_EQ(Pixel(4, 4), (Rgba{static_cast<int>(std::lround(255 * tint[0])), 0, 0, 255}));
        const bool white = tint[0] == 1.0;
        // The extra quad keeps the reference's colour unless it brings its own.
        for (const Extra& extra : extras) {
            Clear(0, 0, 0);
            reference();
            OvRenderBindGlTexture(extra.texture, 1, 1);
            OvSetState(OV_STATE_TEXTURING, extra.texturing ? 1 : 0);
            OvMatrixPush();
            OvMatrixTranslate(0, 0, extra.depth);
            Quad(40, 30, 60, 46, extra.colours);
            OvMatrixPop();
            OvSetState(OV_STATE_TEXTURING, 1);
            OvRenderScene(OV_SCENE_FLUSH);
            EXPECT_EQ(Statistics(), 1) << extra.variant << (white ? ", white" : ", tinted");
            EXPECT_EQ(Region(Frame(), 0, 0, 34, 20), expected) << extra.variant << (white ? ", white" : ", tinted");
        }
    }
}

TEST_F(RendererTest, FansAndTrianglesOfAnyLengthCoverTheirTriangles) {
    // A fan around (32, 24) with rim points on a circle, and the same
    // triangles as a triangle list; packed into quads differently.
    for (int triangles = 1; triangles <= 6; ++triangles) {
        std::vector<Vec4> fan = {{32, 24, 0, 1}};
        std::vector<Vec4> list;
        auto rim = [](int i) { return Vec4{32 + 20 * std::cos(i * 0.9), 24 + 20 * std::sin(i * 0.9), 0, 1}; };
        for (int i = 0; i <= triangles; ++i) fan.push_back(rim(i));
        for (int i = 0; i < triangles; ++i) list.insert(list.end(), {fan[0], rim(i), rim(i + 1)});
        Clear(0, 0, 0);
        OvDrawData(OV_PRIMITIVE_FAN, 0, static_cast<int>(fan.size()), fan.data(), nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0,
                   0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
        std::vector<unsigned char> fanPixels = Frame();
        Clear(0, 0, 0);
        OvDrawData(OV_PRIMITIVE_TRIANGLES, 0, static_cast<int>(list.size()), list.data(), nullptr, nullptr, 0, 0, 3, 0,
                   0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
        EXPECT_EQ(Frame(), fanPixels) << triangles << " triangles";
        Vec4 inside = {(fan[0].x + rim(triangles - 1).x + rim(triangles).x) / 3,
                       (fan[0].y + rim(triangles - 1).y + rim(triangles).y) / 3, 0, 1};
        EXPECT_EQ(Pixel(static_cast<int>(inside.x), static_cast<int>(inside.y)), kWhite)
            << "the last triangle of " << triangles;
    }
}

namespace {

// Draws 20,000 one-pixel quads in a tiny batch, so that their vertices pass
// through the vertex ring several times in one frame, and checks that every
// pixel shows the last quad drawn on it.
// `flushEvery` quads a flush ends a batch early, so batches and the windows
// of the ring they are written into end at uneven places.
void DrawThroughTheRingAndCheck(const char* mode, int capacity = 64, int flushEvery = 0) {
    ASSERT_EQ(OvVertexBufferReserve(capacity), 1);
    constexpr int kPixels = kWidth * kHeight;
    constexpr int kQuads = 20000;
    auto colourOf = [](int i) { return Rgba{i % 251, (i / 251) % 256, 255 - i % 199, 255}; };
    for (int i = 0; i < kQuads; ++i) {
        Rgba c = colourOf(i);
        const double x = i % kPixels % kWidth, y = i % kPixels / kWidth;
        const Vec4 corners[4] = {{x, y, 0, 1}, {x + 1, y, 0, 1}, {x + 1, y + 1, 0, 1}, {x, y + 1, 0, 1}};
        OvSetState(OV_STATE_DRAW_COLOR, c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, 1.0);
        OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0,
                   0);
        if (flushEvery && i % flushEvery == flushEvery - 1) OvRenderScene(OV_SCENE_FLUSH);
    }
    OvRenderScene(OV_SCENE_FLUSH);
    int vertices = 0;
    int drawCalls = 0;
    OvRenderStatistics(&drawCalls, &vertices);
    EXPECT_EQ(vertices, kQuads * 4) << mode;
    EXPECT_GE(drawCalls, kQuads * 4 / capacity) << mode;
    std::vector<unsigned char> frame(kPixels * 4);
    ASSERT_EQ(OvRenderTargetReadPixels(0, 0, kWidth, kHeight, frame.data()), 1);
    int wrong = 0;
    for (int p = 0; p < kPixels; ++p) {
        int last = (kQuads - 1) - ((kQuads - 1 - p) % kPixels);
        Rgba expected = colourOf(last);
        const unsigned char* got = &frame[static_cast<size_t>(p) * 4];
        wrong += Rgba{got[0], got[1], got[2], got[3]} != expected;
    }
    EXPECT_EQ(wrong, 0) << mode;
    ASSERT_EQ(OvVertexBufferReserve(1 << 19), 1);
}

}  // namespace

// A batch is not cut in two where the ring of GL's vertex memory ends: the
// frames go on drawing with one call each, lap after lap.
TEST_F(RendererTest, AFrameThatFitsTheBatchIsOneDrawWhereverTheRingStands) {
    ASSERT_EQ(OvVertexBufferReserve(40000), 1);
    Statistics();
    for (int frame = 0; frame < 8; ++frame) {
        for (int i = 0; i < 7500; ++i) Quad(i % kWidth, 0, i % kWidth + 1, 1);
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
        int vertices = 0;
        EXPECT_EQ(Statistics(&vertices), 1) << frame;
        EXPECT_EQ(vertices, 30000) << frame;
    }
    ASSERT_EQ(OvVertexBufferReserve(1 << 19), 1);
}

TEST_F(RendererTest, VerticesWrapAroundTheRingWithinOneFrameOnEveryUploadPath) {
    DrawThroughTheRingAndCheck("persistently mapped ring");
    DrawThroughTheRingAndCheck("windows of the ring cut short", 1 << 15, 3001);

    // Without buffer storage the ring is written with glBufferSubData; the
    // choice is made when the engine's GL objects are made.
    OvClosure();
    setenv("OV_GL_NO_BUFFER_STORAGE", "1", 1);
    OvInitiation();
    {
        EngineWindow after("renderer sub-data", kWidth, kHeight);
        ASSERT_EQ(OvRenderTargetActivate(after.Target()), 1);
        OvCameraOrtho(0, 0, kWidth, kHeight, 0);
        Clear(0, 0, 0);
        DrawThroughTheRingAndCheck("glBufferSubData ring");
    }
    unsetenv("OV_GL_NO_BUFFER_STORAGE");
    textures_.clear();
}

// One call per sprite must draw what the eight-call sequence draws, under any
// turn, flip and scale, with flat corners and corners off the plane, from two
// textures in turns, and leave the matrices as they were.
TEST_F(RendererTest, TransformedQuadMatchesTheStepSequence) {
    OvHandle textures[2] = {{1, 0}, {1, 0}};
    const Bytes pattern = PatternPixels(4, 4);
    const Bytes reversed(pattern.rbegin(), pattern.rend());
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(OvTextureCreate(&textures[i]), 1);
        ASSERT_EQ(OvTextureLoadFromMemory(textures[i], EncodePng(4, 4, i ? reversed : pattern).data(), 1), 1);
    }
    const Vec4 flat[4] = {{-6, -4, 0, 1}, {6, -4, 0, 1}, {6, 4, 0, 1}, {-6, 4, 0, 1}};
    // z off the plane, and w = 2 halving the quad.
    const Vec4 raised[4] = {{-12, -8, 0.25, 2}, {12, -8, 0.25, 2}, {12, 8, 0.25, 2}, {-12, 8, 0.25, 2}};
    const Vec4 coords[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    struct Sprite {
        double translate[3], turns[3], scale[3];
        const Vec4* corners;
    };
    const Sprite sprites[] = {
        {{12, 10, 0}, {0, 0, 0}, {1, 1, 1}, flat},          {{40, 12, 0}, {0, 0, 37}, {1.5, 0.75, 1}, flat},
        {{20, 34, 0}, {180, 0, 0}, {1, 1, 1}, flat},        {{48, 34, 0}, {30, 150, 200}, {-1, 2, 1}, flat},
        {{10.5, 50.25, 0}, {0, 0, -71}, {1, 1, 3}, raised}, {{52, 52, 0}, {0, 0, 90}, {0.5, -1, 1}, raised}};
    auto drawBySteps = [&] {
        int i = 0;
        for (const Sprite& s : sprites) {
            const OvHandle texture = textures[i++ & 1];
            OvMatrixPush();
            OvMatrixIdentity();
            OvMatrixTranslate(s.translate[0], s.translate[1], s.translate[2]);
            OvMatrixRotate(s.turns[0], 1, 0, 0);
            OvMatrixRotate(s.turns[1], 0, 1, 0);
            OvMatrixRotate(s.turns[2], 0, 0, 1);
            OvMatrixScale(s.scale[0], s.scale[1], s.scale[2]);
            OvTextureActivate(texture);
            OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, s.corners, 0, coords, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0,
                       0);
            OvMatrixPop();
        }
    };
    auto drawInOneCall = [&] {
        int i = 0;
        for (const Sprite& s : sprites)
            OvDrawTransformedQuad(textures[i++ & 1], s.translate, s.turns, s.scale, &s.corners[0].x, &coords[0].x);
    };
    OvMatrixTranslate(3, 2, 0);  // replaced by the identity inside, restored after
    drawBySteps();
    const std::vector<unsigned char> expected = Frame();
    Clear(0, 0, 0);
    ASSERT_NE(Frame(), expected) << "the sprites drew something";
    drawInOneCall();
    EXPECT_EQ(Frame(), expected);
    OvRenderBindGlTexture(0, 0, 0);
    Quad(0, 0, 1, 1);
    EXPECT_EQ(Pixel(3, 2), kWhite) << "the model view is the one from before the sprites";

    Clear(0, 0, 0);
    OvMatrixIdentity();
    OvMatrixMode(OV_MATRIX_PROJECTION);
    drawBySteps();
    const std::vector<unsigned char> projected = Frame();
    Clear(0, 0, 0);
    drawInOneCall();
    EXPECT_EQ(Frame(), projected) << "with the projection selected the steps change the projection";
    OvMatrixMode(OV_MATRIX_MODELVIEW);
    for (OvHandle texture : textures) OvTextureDestroy(texture);
}

#include "tests/assets/AssetFiles.h"

#include <gtest/gtest.h>

using namespace OvTest;

namespace {

struct SpriteCase {
    const char* file;
    int width;
    int height;
    bool opaqueTile;  // a tile that covers its whole cell
};

constexpr SpriteCase kSprites[] = {
    {"Textures/wall.ovt", 16, 16, true},    {"Textures/grass.ovt", 16, 16, false},
    {"Textures/player.ovt", 16, 32, false}, {"Textures/spikeball.ovt", 16, 16, false},
    {"Textures/gib.ovt", 8, 8, false},
};

int CountAlpha(const Image& image, bool opaque) {
    int count = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) count += opaque ? image.Alpha(x, y) == 255 : image.Alpha(x, y) == 0;
    }
    return count;
}

}  // namespace

TEST(TextureAssets, EverySpriteDecodesAtItsSizeWithAlphaWhereItNeedsIt) {
    for (const SpriteCase& sprite : kSprites) {
        SCOPED_TRACE(sprite.file);
        const Image image = DecodePng(ReadBytes(DataPath(sprite.file)));
        ASSERT_FALSE(image.rgba.empty());
        EXPECT_EQ(image.width, sprite.width);
        EXPECT_EQ(image.height, sprite.height);
        const int pixels = image.width * image.height;
        if (sprite.opaqueTile) {
            // A hole in the brick would show the background through every wall.
            EXPECT_EQ(CountAlpha(image, true), pixels);
        } else {
            EXPECT_GT(CountAlpha(image, false), 0) << "no transparent pixels";
            EXPECT_GT(CountAlpha(image, true), pixels / 4) << "hardly anything drawn";
        }
    }
}

TEST(TextureAssets, CentredSpritesKeepTheirBorderTransparent) {
    // Sprites drawn about their centre must not be cut off at the edges:
    // the corners are empty for the round and the irregular shapes.
    for (const char* file : {"Textures/spikeball.ovt", "Textures/gib.ovt", "Textures/player.ovt"}) {
        SCOPED_TRACE(file);
        const Image image = DecodePng(ReadBytes(DataPath(file)));
        ASSERT_FALSE(image.rgba.empty());
        const int w = image.width - 1, h = image.height - 1;
        EXPECT_EQ(image.Alpha(0, 0) | image.Alpha(w, 0) | image.Alpha(0, h) | image.Alpha(w, h), 0);
    }
}

TEST(TextureAssets, WallCoursesEndInMortarSoStackedTilesJoin) {
    const Image wall = DecodePng(ReadBytes(DataPath("Textures/wall.ovt")));
    ASSERT_EQ(wall.width, 16);
    auto isMortar = [&](int x, int y) {
        const uint8_t* p = wall.Pixel(x, y);
        return p[0] < p[2] + 40;  // grey, not red
    };
    int mortarRows = 0;
    for (int y = 0; y < 16; ++y) {
        int mortar = 0;
        for (int x = 0; x < 16; ++x) mortar += isMortar(x, y);
        mortarRows += mortar == 16;
    }
    EXPECT_EQ(mortarRows, 4) << "one mortar line under each of the four courses";
    EXPECT_TRUE(isMortar(0, 15) && isMortar(15, 15)) << "the bottom row joins the next tile's top course";
}

TEST(TextureAssets, LogoFitsTheIntroWindowAndShowsSomething) {
    const Image logo = DecodePng(ReadBytes(DataPath("Logo/logo.png")));
    ASSERT_FALSE(logo.rgba.empty());
    EXPECT_LE(logo.width, 640);
    EXPECT_LE(logo.height, 360);
    EXPECT_GT(logo.width, 160);
    EXPECT_GT(CountAlpha(logo, true), logo.width * logo.height / 20);
}

#include "ovcore/engine/font/GlyphAtlas.h"

#include "ovcore/engine/texture/TextureGl.h"
#include "ovcore/engine/texture/TextureStore.h"
#include "ovcore/platform/Diagnostics.h"

#include <algorithm>

namespace ov {

namespace {

constexpr int kGap = 1;

int MaxSide() { return std::min(GlyphAtlas::kMaxSide, MaxTextureSide()); }

}  // namespace

bool GlyphAtlas::Start(OvHandle texture, int width, int height) {
    Texture* found = Textures().Find(texture);
    if (!found || !GlAvailable()) return false;
    const int side = MaxSide();
    width = std::min(width, side);
    height = std::min(height, side);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    if (!Textures().SetPixels(*found, width, height, pixels.data())) return false;
    Textures().Bind(found);
    texture_ = texture;
    width_ = width;
    height_ = height;
    pixels_ = std::move(pixels);
    return true;
}

bool GlyphAtlas::Grow(int neededBottom) {
    int height = height_;
    const int side = MaxSide();
    while (height < neededBottom && height < side) height = std::min(height * 2, side);
    if (height < neededBottom) return false;
    Texture* found = Textures().Find(texture_);
    if (!found) return false;
    std::vector<uint8_t> pixels(static_cast<size_t>(width_) * static_cast<size_t>(height) * 4, 0);
    std::copy(pixels_.begin(), pixels_.end(), pixels.begin());
    if (!Textures().SetPixels(*found, width_, height, pixels.data())) return false;
    height_ = height;
    pixels_ = std::move(pixels);
    return true;
}

bool GlyphAtlas::Add(const uint8_t* coverage, int width, int height, int pitch, int& x, int& y) {
    if (width + 2 * kGap > width_) return false;
    int placeX = shelfX_;
    int placeY = shelfY_;
    int shelfHeight = shelfHeight_;
    if (placeX + width + kGap > width_) {
        placeX = kGap;
        placeY += shelfHeight + kGap;
        shelfHeight = 0;
    }
    const int bottom = placeY + height + kGap;
    if (bottom > height_ && !Grow(bottom)) {
        PlatformReportFailure("engine: glyph not added: %d x %d: the font's atlas is full", width, height);
        return false;
    }
    Texture* found = Textures().Find(texture_);
    if (!found || !found->HasPixels()) return false;
    scratch_.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (int row = 0; row < height; ++row) {
        uint8_t* line = &pixels_[(static_cast<size_t>(placeY + row) * width_ + placeX) * 4];
        uint8_t* packed = &scratch_[static_cast<size_t>(row) * width * 4];
        for (int column = 0; column < width; ++column) {
            const uint8_t alpha = coverage[static_cast<ptrdiff_t>(row) * pitch + column];
            for (uint8_t* texel : {line + column * 4, packed + column * 4}) {
                texel[0] = texel[1] = texel[2] = 255;
                texel[3] = alpha;
            }
        }
    }
    if (width > 0 && height > 0 &&
        !UpdateTextureRegion(found->glName, placeX, placeY, width, height, scratch_.data())) {
        return false;
    }
    shelfX_ = placeX + width + kGap;
    shelfY_ = placeY;
    shelfHeight_ = std::max(shelfHeight, height);
    x = placeX;
    y = placeY;
    return true;
}

}  // namespace ov

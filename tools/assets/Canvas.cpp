#include "tools/assets/Canvas.h"

#include <algorithm>
#include <cmath>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

uint8_t ToByte(double value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0))); }

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4, 0) {}

bool Canvas::Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

Rgba Canvas::Get(int x, int y) const {
    if (!Contains(x, y)) return {};
    const uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

void Canvas::Set(int x, int y, Rgba colour) {
    if (!Contains(x, y)) return;
    uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
    p[3] = colour.a;
}

void Canvas::Blend(int x, int y, Rgba colour, double coverage) {
    if (!Contains(x, y)) return;
    const double sa = colour.a / 255.0 * std::clamp(coverage, 0.0, 1.0);
    if (sa <= 0.0) return;
    const Rgba dst = Get(x, y);
    const double da = dst.a / 255.0;
    const double oa = sa + da * (1.0 - sa);
    auto channel = [&](uint8_t s, uint8_t d) { return ToByte((s * sa + d * da * (1.0 - sa)) / oa); };
    Set(x, y, {channel(colour.r, dst.r), channel(colour.g, dst.g), channel(colour.b, dst.b), ToByte(oa * 255.0)});
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba colour) {
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) Set(i, j, colour);
    }
}

void Canvas::Outline(Rgba colour) {
    const Canvas source = *this;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (source.Get(x, y).a != 0) continue;
            if (source.Get(x - 1, y).a || source.Get(x + 1, y).a || source.Get(x, y - 1).a || source.Get(x, y + 1).a) {
                Set(x, y, colour);
            }
        }
    }
}

bool Canvas::SavePng(const std::string& path) const {
    if (width_ == 0 || height_ == 0) return false;
    return stbi_write_png(path.c_str(), width_, height_, 4, pixels_.data(), width_ * 4) != 0;
}

Rgba Mix(Rgba from, Rgba to, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](uint8_t a, uint8_t b) { return ToByte(a + (b - a) * t); };
    return {lerp(from.r, to.r), lerp(from.g, to.g), lerp(from.b, to.b), lerp(from.a, to.a)};
}

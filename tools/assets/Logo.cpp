#include "tools/assets/Logo.h"

#include "tools/assets/FreeTypeFace.h"

#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double kEmblemX = 320.0;
constexpr double kEmblemY = 128.0;
constexpr int kSamples = 4;  // per axis, for smooth edges
constexpr int kTitleSize = 84;
constexpr int kTitleBaseline = 320;

using Shape = std::function<bool(double x, double y)>;

double Radius(double x, double y) { return std::hypot(x - kEmblemX, y - kEmblemY); }
double Angle(double x, double y) { return std::atan2(y - kEmblemY, x - kEmblemX); }

double Coverage(int px, int py, const Shape& inside) {
    int hits = 0;
    for (int j = 0; j < kSamples; ++j) {
        for (int i = 0; i < kSamples; ++i) {
            hits += inside(px + (i + 0.5) / kSamples, py + (j + 0.5) / kSamples);
        }
    }
    return static_cast<double>(hits) / (kSamples * kSamples);
}

// Composites one layer over the emblem's bounding square.
void Layer(Canvas& canvas, const Shape& inside, const std::function<Rgba(double, double)>& paint) {
    for (int y = static_cast<int>(kEmblemY) - 100; y < static_cast<int>(kEmblemY) + 100; ++y) {
        for (int x = static_cast<int>(kEmblemX) - 100; x < static_cast<int>(kEmblemX) + 100; ++x) {
            const double coverage = Coverage(x, y, inside);
            if (coverage > 0.0) canvas.Blend(x, y, paint(x + 0.5, y + 0.5), coverage);
        }
    }
}

double StarRadius(double angle) {
    return 30.0 + 38.0 * std::pow((1.0 + std::cos(8.0 * angle + M_PI / 8.0)) / 2.0, 3.0);
}

void PaintEmblem(Canvas& canvas) {
    Layer(
        canvas, [](double x, double y) { return Radius(x, y) < 92.0; },
        [](double, double y) {
            return Mix({255, 214, 120, 255}, {168, 104, 30, 255}, (y - kEmblemY + 92.0) / 184.0);
        });
    Layer(
        canvas, [](double x, double y) { return Radius(x, y) < 82.0; },
        [](double x, double y) {
            return Mix({40, 92, 120, 255}, {10, 18, 40, 255}, Radius(x - 20.0, y - 24.0) / 100.0);
        });
    Layer(
        canvas, [](double x, double y) { return Radius(x, y) < StarRadius(Angle(x, y)); },
        [](double x, double y) {
            return Mix({236, 240, 248, 255}, {96, 104, 124, 255}, Radius(x + 18.0, y + 18.0) / 90.0);
        });
    Layer(
        canvas, [](double x, double y) { return Radius(x, y) < 18.0; },
        [](double x, double y) {
            return Mix({255, 120, 96, 255}, {150, 16, 24, 255}, Radius(x + 6.0, y + 6.0) / 24.0);
        });
}

struct TitleGlyph {
    GlyphBitmap bitmap;
    int penX = 0;
};

std::vector<TitleGlyph> LayOut(const FreeTypeFace& face, const std::string& title, int& width) {
    std::vector<TitleGlyph> glyphs;
    int pen = 0;
    for (size_t i = 0; i < title.size(); ++i) {
        const auto code = static_cast<unsigned char>(title[i]);
        if (i > 0) pen += face.Kerning(static_cast<unsigned char>(title[i - 1]), code);
        TitleGlyph glyph;
        if (!face.Render(code, glyph.bitmap)) return {};
        glyph.penX = pen;
        pen += glyph.bitmap.advance;
        glyphs.push_back(std::move(glyph));
    }
    width = pen;
    return glyphs;
}

void DrawTitleGlyph(Canvas& canvas, const TitleGlyph& glyph, int originX, int dx, int dy, bool shadow) {
    const int left = originX + glyph.penX + glyph.bitmap.left + dx;
    const int top = kTitleBaseline - glyph.bitmap.top + dy;
    for (int y = 0; y < glyph.bitmap.height; ++y) {
        const double fade = static_cast<double>(top + y - (kTitleBaseline - kTitleSize)) / kTitleSize;
        const Rgba colour = shadow ? Rgba{0, 0, 0, 170} : Mix({255, 250, 236, 255}, {240, 178, 72, 255}, fade);
        for (int x = 0; x < glyph.bitmap.width; ++x) {
            canvas.Blend(left + x, top + y, colour, glyph.bitmap.At(x, y) / 255.0);
        }
    }
}

bool PaintTitle(Canvas& canvas, const std::string& fontPath, const std::string& title) {
    FreeTypeFace face;
    if (!face.Open(fontPath, kTitleSize)) return false;
    int width = 0;
    const std::vector<TitleGlyph> glyphs = LayOut(face, title, width);
    if (glyphs.empty() || width > kLogoWidth) return false;
    const int originX = (kLogoWidth - width) / 2;
    for (const TitleGlyph& glyph : glyphs) DrawTitleGlyph(canvas, glyph, originX, 4, 4, true);
    for (const TitleGlyph& glyph : glyphs) DrawTitleGlyph(canvas, glyph, originX, 0, 0, false);
    return true;
}

}  // namespace

std::optional<Canvas> PaintLogo(const std::string& fontPath, const std::string& title) {
    Canvas canvas(kLogoWidth, kLogoHeight);
    PaintEmblem(canvas);
    if (!PaintTitle(canvas, fontPath, title)) return std::nullopt;
    return canvas;
}

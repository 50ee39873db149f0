#include "ovcore/engine/font/FontDraw.h"

#include "ovcore/engine/render/Batch.h"
#include "ovcore/engine/render/StateTable.h"

namespace ov {

namespace {

constexpr int kGridCells = 16;

struct TextLayout {
    unsigned char lineBreak;
    double lineAdvance;
    double letterSpacing;
    // Grid fonts only: the size of every character's quad.
    float cellWidth;
    float cellHeight;
};

double StateValue(int id) { return *static_cast<const double*>(States().Get(id)); }

TextLayout GridLayout() {
    const double width = StateValue(StateTable::kCharacterWidth);
    const double height = StateValue(StateTable::kCharacterHeight);
    const int lineBreak = *static_cast<const int*>(States().Get(StateTable::kLineBreak));
    return {static_cast<unsigned char>(lineBreak), height + StateValue(StateTable::kLineSpacing),
            StateValue(StateTable::kCharacterSpacing), static_cast<float>(width), static_cast<float>(height)};
}

TextLayout TableLayout(const OvGlyphTable& table) {
    return {static_cast<unsigned char>(table.lineBreak),
            static_cast<double>(table.lineHeight) + static_cast<double>(table.lineSpacing),
            static_cast<double>(table.letterSpacing), 0.0f, 0.0f};
}

OvGlyph GridGlyph(unsigned char c, const TextLayout& layout) {
    const float step = 1.0f / kGridCells;
    const float s0 = static_cast<float>(c % kGridCells) * step;
    const float t0 = static_cast<float>(c / kGridCells) * step;
    return {layout.cellWidth, layout.cellHeight, 0.0f, 0.0f, layout.cellWidth, s0, t0, s0 + step, t0 + step};
}

void AddGlyph(Batch& batch, const OvGlyph& glyph, double penX, double penY, const VertexStyle& style) {
    if (glyph.width == 0.0f || glyph.height == 0.0f) return;
    const double x0 = penX + glyph.xoffset;
    const double y0 = penY + glyph.yoffset;
    const double x1 = x0 + glyph.width;
    const double y1 = y0 + glyph.height;
    batch.Add(x0, y0, 0.0, 1.0, glyph.s0, glyph.t0, style);
    batch.Add(x1, y0, 0.0, 1.0, glyph.s1, glyph.t0, style);
    batch.Add(x1, y1, 0.0, 1.0, glyph.s1, glyph.t1, style);
    batch.Add(x0, y1, 0.0, 1.0, glyph.s0, glyph.t1, style);
}

}  // namespace

void DrawFontText(Font& font, const char* text) {
    Batch& batch = Batch::Instance();
    if (batch.Open()) return;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (font.face) font.face->Prepare(bytes, font.table);
    if (!batch.Begin(kPrimitiveQuads)) return;
    const VertexStyle style = batch.CurrentStyle();
    const TextLayout layout = font.grid ? GridLayout() : TableLayout(font.table);
    double penX = 0.0;
    double penY = 0.0;
    for (const unsigned char* c = bytes; *c != 0; ++c) {
        if (*c == layout.lineBreak) {
            penX = 0.0;
            penY += layout.lineAdvance;
            continue;
        }
        const OvGlyph glyph = font.grid ? GridGlyph(*c, layout) : font.table.glyphs[*c];
        if (!font.face || font.face->Ready(*c)) AddGlyph(batch, glyph, penX, penY, style);
        penX += static_cast<double>(glyph.xadvance) + layout.letterSpacing;
    }
    batch.End();
}

}  // namespace ov

#include "ovcore/render/GlyphTable.h"

#include "ovcore/data/MemoryFile.h"
#include "ovcore/platform/Diagnostics.h"

#include <cstdint>
#include <limits>

namespace OvCore {

namespace {

struct Span {
    const char* begin;
    const char* end;
};

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The next non-empty line from cursor on; false when only breaks are left.
bool NextLine(const char*& cursor, const char* end, Span& line) {
    while (cursor < end && IsBreak(*cursor)) ++cursor;
    if (cursor == end) return false;
    line.begin = cursor;
    while (cursor < end && !IsBreak(*cursor)) ++cursor;
    line.end = cursor;
    return true;
}

// The next token of a line: up to a blank outside double quotes.
bool NextToken(const char*& cursor, const char* end, Span& token) {
    while (cursor < end && IsBlank(*cursor)) ++cursor;
    if (cursor == end) return false;
    token.begin = cursor;
    bool quoted = false;
    while (cursor < end && (quoted || !IsBlank(*cursor))) {
        if (*cursor == '"') quoted = !quoted;
        ++cursor;
    }
    token.end = cursor;
    return true;
}

// The characters of a span with its double quotes left out; 0 at the end.
class Characters {
public:
    explicit Characters(Span span) : at_(span.begin), end_(span.end) { SkipQuotes(); }
    char Peek() const { return at_ < end_ ? *at_ : '\0'; }
    bool AtEnd() const { return at_ == end_; }
    void Next() {
        ++at_;
        SkipQuotes();
    }

private:
    void SkipQuotes() {
        while (at_ < end_ && *at_ == '"') ++at_;
    }
    const char* at_;
    const char* end_;
};

bool SpanEquals(Span span, const char* word) {
    Characters characters(span);
    for (; *word != '\0'; ++word, characters.Next()) {
        if (characters.Peek() != *word || characters.AtEnd()) return false;
    }
    return characters.AtEnd();
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// The base of the digits at characters, past any 0x or 0 prefix.
int ReadBase(Characters& characters) {
    if (characters.Peek() != '0') return 10;
    characters.Next();
    if (characters.Peek() != 'x' && characters.Peek() != 'X') return 8;
    Characters afterPrefix = characters;
    afterPrefix.Next();
    if (DigitValue(afterPrefix.Peek()) >= 16) return 8;  // "0x" alone reads as 0
    characters = afterPrefix;
    return 16;
}

// A signed integer in decimal, 0x hexadecimal or 0 octal notation, clamped
// to 32 bits; reading stops at the first character that is no digit.
int32_t ParseInteger(Span span) {
    Characters characters(span);
    while (IsBlank(characters.Peek())) characters.Next();
    const bool negative = characters.Peek() == '-';
    if (negative || characters.Peek() == '+') characters.Next();
    const int base = ReadBase(characters);
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t magnitude = 0;
    for (int digit = DigitValue(characters.Peek()); digit < base; digit = DigitValue(characters.Peek())) {
        if (magnitude <= kLimit) magnitude = magnitude * base + digit;
        characters.Next();
    }
    if (negative) return static_cast<int32_t>(-(magnitude < kLimit ? magnitude : kLimit));
    const int64_t top = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(magnitude < top ? magnitude : top);
}

// The values of the listed keys among the remaining tokens of a line;
// a key that does not appear reads 0, the last of repeated keys counts.
template <size_t N>
void ReadKeys(const char*& cursor, const char* end, const char* const (&keys)[N], int32_t (&values)[N]) {
    for (int32_t& value : values) value = 0;
    Span token;
    while (NextToken(cursor, end, token)) {
        const char* equals = token.begin;
        while (equals < token.end && *equals != '=') ++equals;
        if (equals == token.end) continue;
        for (size_t i = 0; i < N; ++i) {
            if (SpanEquals(Span{token.begin, equals}, keys[i])) values[i] = ParseInteger(Span{equals + 1, token.end});
        }
    }
}

struct TextureScale {
    int32_t width = 0;
    int32_t height = 0;
};

float TexCoord(int64_t pixel, int32_t scale) {
    return scale == 0 ? 0.0f : static_cast<float>(static_cast<double>(pixel) / scale);
}

constexpr const char* kCommonKeys[] = {"lineHeight", "scaleW", "scaleH"};
constexpr const char* kCharKeys[] = {"id", "x", "y", "width", "height", "xoffset", "yoffset", "xadvance"};
enum CharKey { kId, kX, kY, kWidth, kHeight, kXOffset, kYOffset, kXAdvance };

OV_GLYPH MakeGlyph(const int32_t (&v)[8], TextureScale scale) {
    return {static_cast<float>(v[kWidth]),
            static_cast<float>(v[kHeight]),
            static_cast<float>(v[kXOffset]),
            static_cast<float>(v[kYOffset]),
            static_cast<float>(v[kXAdvance]),
            TexCoord(v[kX], scale.width),
            TexCoord(v[kY], scale.height),
            TexCoord(int64_t{v[kX]} + v[kWidth], scale.width),
            TexCoord(int64_t{v[kY]} + v[kHeight], scale.height)};
}

void ParseLine(OV_GLYPH_TABLE& table, Span line, TextureScale& scale) {
    const char* cursor = line.begin;
    Span kind;
    if (!NextToken(cursor, line.end, kind)) return;
    if (SpanEquals(kind, "common")) {
        int32_t values[3];
        ReadKeys(cursor, line.end, kCommonKeys, values);
        table.lineHeight = static_cast<float>(values[0]);
        scale = {values[1], values[2]};
    } else if (SpanEquals(kind, "char")) {
        int32_t values[8];
        ReadKeys(cursor, line.end, kCharKeys, values);
        if (values[kId] >= 0 && values[kId] < 256) table.glyphs[values[kId]] = MakeGlyph(values, scale);
    }
}

}  // namespace

bool OV_GLYPH_TABLE::Parse(const char* text, uint32_t size) {
    if (!text || size == 0) return false;
    const char* cursor = text;
    const char* const end = text + size;
    TextureScale scale;
    bool anyLine = false;
    Span line;
    while (NextLine(cursor, end, line)) {
        anyLine = true;
        ParseLine(*this, line, scale);
    }
    return anyLine;
}

bool OV_GLYPH_TABLE::ReadFile(const char* path) {
    if (!path) return false;
    OV_MEMORY_FILE file;
    if (!file.LoadFromFile(path)) return false;
    if (Parse(reinterpret_cast<const char*>(file.Data()), file.size)) return true;
    PlatformReportFailure("render: glyph table refused: %s", path);
    return false;
}

}  // namespace OvCore

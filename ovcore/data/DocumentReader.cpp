#include "ovcore/data/DocumentReader.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace OvCore {

namespace {

// What a byte is to the scans. The copy of the text ends in a zero byte,
// which stops every scan, so none of them needs to check for the end.
enum Kind : unsigned char { kPlain, kBlank, kQuote, kEquals, kLineBreak, kCut };

constexpr std::array<unsigned char, 256> Kinds(bool equalsMatters, bool blanksMatter) {
    std::array<unsigned char, 256> kinds{};
    kinds['<'] = kinds['>'] = kinds[0] = kCut;
    kinds['\r'] = kinds['\n'] = kLineBreak;
    kinds['"'] = kQuote;
    if (equalsMatters) kinds['='] = kEquals;
    if (blanksMatter) kinds[' '] = kinds['\t'] = kBlank;
    return kinds;
}

// Inside a tag; inside quotes before the first "="; inside text (the quote
// kind there is treated as plain).
constexpr auto kInTag = Kinds(true, true);
constexpr auto kInQuotesBeforeEquals = Kinds(true, false);
constexpr auto kInText = [] {
    auto kinds = Kinds(false, false);
    kinds['"'] = kPlain;
    return kinds;
}();

inline unsigned char KindOf(const std::array<unsigned char, 256>& kinds, char c) {
    return kinds[static_cast<unsigned char>(c)];
}

// The first byte at or after p that is not plain in kinds.
inline char* Skip(const std::array<unsigned char, 256>& kinds, char* p) {
    for (;;) {
        if (KindOf(kinds, p[0])) return p;
        if (KindOf(kinds, p[1])) return p + 1;
        if (KindOf(kinds, p[2])) return p + 2;
        if (KindOf(kinds, p[3])) return p + 3;
        p += 4;
    }
}

// The first byte at or after p that is one of the stops, sixteen bytes at a
// time where the processor compares that many at once. The copy of the text
// has sixteen spare bytes after its zero, so the loads never leave it.
template <char... Stops>
inline char* Scan(char* p) {
#if defined(__SSE2__)
    for (;; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int found = _mm_movemask_epi8((_mm_cmpeq_epi8(bytes, _mm_set1_epi8(Stops)) | ...));
        if (found) return p + __builtin_ctz(static_cast<unsigned>(found));
    }
#else
    while (!((*p == Stops) || ...)) ++p;
    return p;
#endif
}

// To the next cut or line break; to the next cut; to the next quote, cut or
// line break.
inline char* ScanText(char* p) { return Scan<'<', '>', '\r', '\n', 0>(p); }
inline char* ScanCut(char* p) { return Scan<'<', '>', 0>(p); }
inline char* ScanQuoted(char* p) { return Scan<'"', '<', '>', '\r', '\n', 0>(p); }

inline bool IsCut(char c) { return KindOf(kInText, c) == kCut; }
inline bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// The rare piece that a tag's closing slash joins because the tag ends
// inside quotes: the piece followed by " /", in a string of its own.
void SetWithSlash(OV_STRING& target, const char* text) {
    target.Assign(text);
    target += " /";
}

}  // namespace

OV_DOCUMENT_READER::OV_DOCUMENT_READER(OV_DOCUMENT& document, const char* ignorable, bool trim)
    : document_(document),
      current_(document.Root()),
      trim_(trim) {
    for (const char* c = ignorable ? ignorable : ""; *c; ++c) ignorable_[static_cast<unsigned char>(*c)] = true;
    for (int c = 0; c < 256; ++c) blankText_[c] = ignorable_[c] || IsLineBreak(static_cast<char>(c));
    blankText_['<'] = blankText_['>'] = false;
}

inline OV_NODE* OV_DOCUMENT_READER::Append(char* name, char* text) {
    OV_NODE* node = document_.NewNode(current_, name, text);
    if (!node) failed_ = true;
    return node;
}

// Takes the line breaks out of the rest of the token from at (a line break)
// on: the bytes move down, and the cut character is copied to the token's
// new end, where the scans then stop. Reading resumes after the real cut.
char* OV_DOCUMENT_READER::JoinLines(char* at) {
    char* d = at;
    char* s = at;
    for (;;) {
        while (IsLineBreak(*s)) ++s;
        char* run = s;
        s = ScanText(s);
        std::memmove(d, run, static_cast<size_t>(s - run));
        d += s - run;
        if (IsCut(*s)) break;
    }
    *d = *s;
    if (*s) resume_ = s + 1;
    return at;
}

// One piece [begin, end) of a tag, *end writable: the element's name when
// there is no element yet, else an attribute (a lone "/" is skipped).
inline void OV_DOCUMENT_READER::Piece(OV_NODE*& element, char* begin, char* end, char* equals, bool suffixed) {
    *end = 0;
    if (!element) {
        element = Append(suffixed ? OV_DOCUMENT::NoText() : begin, OV_DOCUMENT::NoText());
        if (element && suffixed) SetWithSlash(element->name, begin);
        return;
    }
    if (!suffixed && end - begin == 1 && *begin == '/') return;
    char* value = OV_DOCUMENT::NoText();
    if (equals) {
        *equals = 0;
        value = equals + 1;
        if (!suffixed && end - value >= 2 && *value == '"' && end[-1] == '"') {
            ++value;
            end[-1] = 0;
        }
    }
    OV_ATTRIBUTE* attribute = document_.NewAttribute(element, suffixed && !equals ? OV_DOCUMENT::NoText() : begin,
                                                     suffixed && equals ? OV_DOCUMENT::NoText() : value);
    if (!attribute) {
        failed_ = true;
    } else if (suffixed) {
        SetWithSlash(equals ? attribute->value : attribute->name, equals ? value : begin);
    }
}

[[gnu::always_inline]] inline char* OV_DOCUMENT_READER::TextToken(char* p) {
    char* s = p;
    while (blankText_[static_cast<unsigned char>(*s)]) ++s;
    if (IsCut(*s)) {
        cut_ = *s;
        return s + 1;
    }
    char* const first = trim_ ? s : p;
    char* end = ScanText(first);
    if (IsLineBreak(*end)) end = ScanText(JoinLines(end));
    cut_ = *end;
    char* const next = resume_ ? resume_ : end + 1;
    char* last = end;
    if (trim_) {
        while (ignorable_[static_cast<unsigned char>(last[-1])]) --last;
    }
    *last = 0;
    Append(OV_DOCUMENT::NoText(), first);
    return next;
}

// A tag token is split into pieces at blanks outside double quotes. A tag
// ending in "/" reads as its text without the "/" followed by " /": the
// element stays empty, and the " /" is a piece of its own unless the text
// ends inside quotes, where it joins the last piece.
[[gnu::always_inline]] inline char* OV_DOCUMENT_READER::TagToken(char* p) {
    char* const begin = p;
    if (IsLineBreak(*p)) JoinLines(p);
    if (*p == '/') {
        p = ScanCut(p);
        if (current_->parent) current_ = current_->parent;
        cut_ = *p;
        return resume_ ? resume_ : p + 1;
    }
    OV_NODE* element = nullptr;
    bool inQuotes = false;
    char* piece = nullptr;
    char* equals = nullptr;
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (IsLineBreak(*p)) {
            JoinLines(p);
            continue;
        }
        if (IsCut(*p)) break;
        piece = p;
        equals = nullptr;
        // The common forms first: a name, or name="value", followed by a
        // blank or the end of the tag, with nothing else in it to look at.
        char* const stop = Skip(kInTag, p);
        if (element && *stop == '=' && stop[1] == '"') {
            char* const value = stop + 2;
            char* const close = ScanQuoted(value);
            const unsigned char after = KindOf(kInTag, close[1]);
            if (*close == '"' && (after == kBlank || after == kCut)) {
                *stop = 0;
                *close = 0;
                if (!document_.NewAttribute(element, piece, value)) {
                    failed_ = true;
                    return p;
                }
                p = close + 1;
                piece = nullptr;
                if (after == kBlank) ++p;
                continue;
            }
        } else if (!element && KindOf(kInTag, *stop) == kBlank) {
            *stop = 0;
            element = Append(piece, OV_DOCUMENT::NoText());
            if (!element) return stop;
            p = stop + 1;
            piece = nullptr;
            continue;
        }
        p = stop;
        for (;;) {
            p = Skip(kInTag, p);
            const unsigned char kind = KindOf(kInTag, *p);
            if (kind == kEquals) {
                if (!equals) equals = p;
                ++p;
            } else if (kind == kQuote) {
                inQuotes = true;
                ++p;
                for (;;) {
                    p = equals ? ScanQuoted(p) : Skip(kInQuotesBeforeEquals, p);
                    if (*p == '"') {
                        inQuotes = false;
                        ++p;
                        break;
                    }
                    if (*p == '=') {
                        equals = p++;
                    } else if (IsLineBreak(*p)) {
                        JoinLines(p);
                    } else {
                        break;
                    }
                }
                if (inQuotes) break;
            } else if (kind == kLineBreak) {
                JoinLines(p);
            } else {
                break;
            }
        }
        if (KindOf(kInTag, *p) != kBlank) break;
        Piece(element, piece, p, equals, false);
        if (failed_) return p;
        piece = nullptr;
        ++p;
    }
    char* const end = p;
    cut_ = *end;
    char* const next = resume_ ? resume_ : end + 1;
    const bool empty = end - begin >= 2 && end[-1] == '/';
    if (empty) {
        // The last piece ends in the "/"; what comes before it stays a piece.
        if (piece && end - 1 > piece) Piece(element, piece, end - 1, equals, inQuotes);
        if (!inQuotes && !element && !failed_) {
            element = Append(OV_DOCUMENT::NoText(), OV_DOCUMENT::NoText());
            if (element) element->name.Assign("/");
        }
    } else if (piece) {
        Piece(element, piece, end, equals, false);
    }
    if (!empty && element) current_ = element;
    return next;
}

// Tokens are cut at every "<" and ">": what follows "<" is a tag token, what
// follows ">" (or starts the text) a text token. The cut character after a
// token is remembered before a zero is written over it.
bool OV_DOCUMENT_READER::Read(const char* text, size_t length) {
    char* copy = document_.NewTextBlock(length + 17);
    if (!copy) {
        failed_ = true;
        return false;
    }
    std::memcpy(copy, text, length);
    std::memset(copy + length, 0, 17);
    char* p = copy;
    bool inTag = false;
    for (;;) {
        resume_ = nullptr;
        char* const token = p;
        p = inTag ? TagToken(p) : TextToken(p);
        if (failed_) failedAt_ = static_cast<size_t>(token - copy);
        if (failed_ || cut_ == 0) break;
        inTag = cut_ == '<';
    }
    // Nothing but line breaks is no text.
    return !failed_ && std::strspn(copy, "\r\n") < length;
}

}  // namespace OvCore

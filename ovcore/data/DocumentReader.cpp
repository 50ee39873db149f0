#include "ovcore/data/DocumentReader.h"

#include <cstring>
#include <initializer_list>

namespace OvCore {

namespace {

// What ends a run of plain bytes while copying.
struct StopTable {
    bool stop[256] = {};
    StopTable() {
        for (unsigned char c : {'<', '>', '\r', '\n'}) stop[c] = true;
    }
};
const StopTable kStops;

inline bool Stops(char c) { return kStops.stop[static_cast<unsigned char>(c)]; }
inline bool Blank(char c) { return c == ' ' || c == '\t'; }

// The first stop character in [s, end), or end.
const char* ScanRun(const char* s, const char* end) {
    while (end - s >= 4) {
        if (Stops(s[0])) return s;
        if (Stops(s[1])) return s + 1;
        if (Stops(s[2])) return s + 2;
        if (Stops(s[3])) return s + 3;
        s += 4;
    }
    while (s < end && !Stops(*s)) ++s;
    return s;
}

// The rare piece that a tag's closing slash joins because the tag ends
// inside quotes: the piece followed by " /", in a string of its own.
void SetWithSlash(OV_STRING& target, const char* text) {
    target.Assign(text);
    target += " /";
}

}  // namespace

OV_DOCUMENT_READER::OV_DOCUMENT_READER(OV_DOCUMENT& document, const char* ignorable, bool trim)
    : document_(document), current_(document.Root()), trim_(trim) {
    for (const char* c = ignorable ? ignorable : ""; *c; ++c) ignorable_[static_cast<unsigned char>(*c)] = true;
}

// Tokens are cut at every "<" and ">": what follows "<" is a tag token, what
// follows ">" (or starts the text) a text token. Each token ends with a cut
// character that is not copied, so the zero written after a token always
// fits; the last one takes the block's extra byte.
bool OV_DOCUMENT_READER::Read(const char* text, size_t length) {
    length = ::strnlen(text, length);
    char* out = document_.NewTextBlock(length + 1);
    if (!out) return false;
    const char* s = text;
    const char* const end = text + length;
    char* d = out;
    char* token = out;
    bool inTag = false;
    bool content = false;
    for (;;) {
        const char* run = s;
        s = ScanRun(s, end);
        if (s != run) {
            std::memcpy(d, run, static_cast<size_t>(s - run));
            d += s - run;
            content = true;
        }
        if (s == end) break;
        const char cut = *s++;
        if (cut == '\r' || cut == '\n') continue;
        content = true;
        const bool keep = inTag ? TagToken(token, d) : TextToken(token, d);
        if (failed_) return false;
        if (keep) token = d + 1;
        d = token;
        inTag = cut == '<';
    }
    if (inTag) TagToken(token, d);
    else TextToken(token, d);
    return content && !failed_;
}

OV_NODE* OV_DOCUMENT_READER::Append(char* name, char* text) {
    OV_NODE* node = document_.NewNode(current_, name, text);
    if (!node) failed_ = true;
    return node;
}

bool OV_DOCUMENT_READER::TextToken(char* begin, char* end) {
    char* first = begin;
    while (first < end && ignorable_[static_cast<unsigned char>(*first)]) ++first;
    if (first == end) return false;
    char* last = end;
    if (trim_) {
        while (ignorable_[static_cast<unsigned char>(last[-1])]) --last;
    } else {
        first = begin;
    }
    *last = 0;
    Append(OV_DOCUMENT::NoText(), first);
    return true;
}

// A tag ending in "/" reads as its text without the "/" followed by " /":
// the element stays empty, and the " /" is a piece of its own unless the
// text ends inside quotes, where it joins the last piece.
bool OV_DOCUMENT_READER::TagToken(char* begin, char* end) {
    if (begin == end) return false;
    if (*begin == '/') {
        if (current_->parent) current_ = current_->parent;
        return false;
    }
    const bool empty = end - begin >= 2 && end[-1] == '/';
    char* const bodyEnd = empty ? end - 1 : end;
    OV_NODE* element = nullptr;
    bool inQuotes = false;
    char* p = begin;
    for (;;) {
        while (p < bodyEnd && Blank(*p)) ++p;
        if (p == bodyEnd) break;
        char* piece = p;
        char* equals = nullptr;
        for (; p < bodyEnd; ++p) {
            const char c = *p;
            if (c == '"') inQuotes = !inQuotes;
            else if (!inQuotes && Blank(c)) break;
            else if (c == '=' && !equals) equals = p;
        }
        const bool atEnd = p == bodyEnd;
        element = Piece(element, piece, p, equals, atEnd && empty && inQuotes);
        if (failed_ || atEnd) break;
        ++p;
    }
    if (failed_) return true;
    if (empty && !element) {
        element = Append(OV_DOCUMENT::NoText(), OV_DOCUMENT::NoText());
        if (element) element->name.Assign("/");
    }
    if (!empty && element) current_ = element;
    return element != nullptr;
}

// One piece [begin, end) of a tag, *end writable: the element's name when
// there is no element yet, else an attribute (a lone "/" is skipped).
OV_NODE* OV_DOCUMENT_READER::Piece(OV_NODE* element, char* begin, char* end, char* equals, bool suffixed) {
    *end = 0;
    if (!element) {
        element = Append(suffixed ? OV_DOCUMENT::NoText() : begin, OV_DOCUMENT::NoText());
        if (element && suffixed) SetWithSlash(element->name, begin);
        return element;
    }
    if (!suffixed && end - begin == 1 && *begin == '/') return element;
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
    return element;
}

}  // namespace OvCore

#include "ovcore/foundation/String.h"

#include "ovcore/foundation/HexDigit.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace OvCore {

namespace {

char* NewText(const char* text, size_t n) {
    char* fresh = new char[n + 1];
    if (n > 0) {
        std::memcpy(fresh, text, n);
    }
    fresh[n] = 0;
    return fresh;
}

char* NewEmptyText() { return NewText(nullptr, 0); }

// The decoded character of a one-letter escape, or -1 when the letter has none.
int SimpleEscape(char letter) {
    switch (letter) {
    case 'a': return 7;
    case 'b': return 8;
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'v': return 11;
    case '\'': return '\'';
    case '"': return '"';
    case '\\': return '\\';
    case '?': return '?';
    default: return -1;
    }
}

// \xHH at p (p[0] is the backslash); -1 when fewer than two characters follow.
int HexEscape(const char* p) {
    if (p[2] == 0 || p[3] == 0) return -1;
    int high = HexValue(p[2]);
    if (high < 0) high = 0;
    int low = HexValue(p[3]);
    if (low < 0) low = high;
    return high * 16 + low;
}

// Decodes the escapes of text; writes into out unless it is null. Returns the
// decoded length, which never exceeds strlen(text).
size_t DecodeEscapes(const char* text, char* out) {
    size_t n = 0;
    auto emit = [&](char c) {
        if (out) out[n] = c;
        ++n;
    };
    const char* p = text;
    while (*p) {
        if (*p != '\\') {
            emit(*p++);
            continue;
        }
        const char letter = p[1];
        if (letter == 0 || letter == '0') break;
        int decoded = letter == 'x' ? HexEscape(p) : SimpleEscape(letter);
        if (letter == 'x') {
            if (decoded <= 0) break;
            emit(static_cast<char>(decoded));
            p += 4;
        } else if (decoded >= 0) {
            emit(static_cast<char>(decoded));
            p += 2;
        } else {
            emit('\\');
            emit(letter);
            p += 2;
        }
    }
    return n;
}

struct SplitTable {
    bool delimiter[256] = {};
    bool togglesQuote[256] = {};

    SplitTable(const char* delimiters, const char* quotes) {
        for (const char* d = delimiters; *d; ++d) {
            delimiter[static_cast<unsigned char>(*d)] = true;
        }
        for (const char* q = quotes ? quotes : ""; *q; ++q) {
            bool& toggle = togglesQuote[static_cast<unsigned char>(*q)];
            toggle = !toggle;
        }
    }
};

// Calls piece(offset, length) for each non-empty piece of [text, text + length).
template <typename PieceFn>
void ForEachPiece(const char* text, size_t length, const SplitTable& table, PieceFn&& piece) {
    bool insideQuotes = false;
    size_t pieceStart = 0;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (table.togglesQuote[c]) insideQuotes = !insideQuotes;
        if (insideQuotes || !table.delimiter[c]) continue;
        if (i > pieceStart) piece(pieceStart, i - pieceStart);
        pieceStart = i + 1;
    }
    if (length > pieceStart) piece(pieceStart, length - pieceStart);
}

}  // namespace

OV_STRING::OV_STRING() : data(NewEmptyText()), borrowed(false) {}

OV_STRING::OV_STRING(const char* text)
    : data(text ? NewText(text, std::strlen(text)) : NewEmptyText()),
      borrowed(false) {}

OV_STRING::OV_STRING(const OV_STRING& other) : data(NewText(other.data, std::strlen(other.data))), borrowed(false) {}

OV_STRING::OV_STRING(OV_STRING&& other) noexcept : data(nullptr), borrowed(false) {
    if (other.borrowed) {
        data = NewText(other.data, std::strlen(other.data));
        return;
    }
    data = other.data;
    other.data = NewEmptyText();
}

OV_STRING::~OV_STRING() {
    if (!borrowed) delete[] data;
}

OV_STRING& OV_STRING::operator=(const OV_STRING& other) {
    if (this != &other) Assign(other.data);
    return *this;
}

OV_STRING& OV_STRING::operator=(OV_STRING&& other) noexcept {
    if (this == &other) return *this;
    if (other.borrowed) {
        Assign(other.data);
        return *this;
    }
    Install(other.data);
    other.data = NewEmptyText();
    return *this;
}

OV_STRING& OV_STRING::operator=(const char* text) {
    Assign(text);
    return *this;
}

void OV_STRING::Install(char* fresh) {
    if (!borrowed) delete[] data;
    data = fresh;
    borrowed = false;
}

void OV_STRING::Assign(const char* text) {
    if (text) Install(NewText(text, std::strlen(text)));
}

void OV_STRING::Assign(const char* text, size_t n) {
    if (text) Install(NewText(text, strnlen(text, n)));
}

bool OV_STRING::Format(const char* format, ...) {
    if (!format) return false;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed < 0) {
        va_end(args);
        return false;
    }
    char* fresh = new char[static_cast<size_t>(needed) + 1];
    std::vsnprintf(fresh, static_cast<size_t>(needed) + 1, format, args);
    va_end(args);
    Install(fresh);
    return true;
}

size_t OV_STRING::Length() const { return std::strlen(data); }

void OV_STRING::Clear() { Install(NewEmptyText()); }

void OV_STRING::Append(const char* text, size_t n) {
    const size_t length = Length();
    char* fresh = new char[length + n + 1];
    std::memcpy(fresh, data, length);
    std::memcpy(fresh + length, text, n);
    fresh[length + n] = 0;
    Install(fresh);
}

OV_STRING& OV_STRING::operator+=(const char* text) {
    if (text) Append(text, std::strlen(text));
    return *this;
}

OV_STRING& OV_STRING::operator+=(const OV_STRING& text) {
    Append(text.data, text.Length());
    return *this;
}

OV_STRING& OV_STRING::operator+=(int value) {
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%d", value);
    Append(buffer, static_cast<size_t>(n));
    return *this;
}

OV_STRING& OV_STRING::operator+=(unsigned value) {
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%u", value);
    Append(buffer, static_cast<size_t>(n));
    return *this;
}

OV_STRING& OV_STRING::operator+=(double value) {
    char buffer[32];
    gcvt(value, 8, buffer);
    Append(buffer, std::strlen(buffer));
    return *this;
}

OV_STRING OV_STRING::operator+(const char* text) const {
    OV_STRING result(*this);
    result += text;
    return result;
}

OV_STRING OV_STRING::operator+(const OV_STRING& text) const {
    OV_STRING result(*this);
    result += text;
    return result;
}

bool OV_STRING::operator==(const OV_STRING& other) const { return std::strcmp(data, other.data) == 0; }

bool OV_STRING::operator==(const char* text) const { return text && std::strcmp(data, text) == 0; }

bool OV_STRING::Find(size_t start, const char* needle, size_t* position) const {
    if (!needle || !position || start >= Length()) return false;
    const char* found = std::strstr(data + start, needle);
    if (!found) return false;
    *position = static_cast<size_t>(found - data);
    return true;
}

size_t OV_STRING::Tokenize(OV_STRING& token, const char* separator, size_t position) const {
    const size_t length = Length();
    if (!separator || position > length) {
        token.Clear();
        return 0;
    }
    const char* rest = data + position;
    const size_t separatorLength = std::strlen(separator);
    const char* found = separatorLength ? std::strstr(rest, separator) : nullptr;
    if (!found) {
        token.Assign(rest);
        return 0;
    }
    const size_t next = static_cast<size_t>(found - data) + separatorLength;
    token.Assign(rest, static_cast<size_t>(found - rest));
    return next;
}

unsigned OV_STRING::ReplaceAll(OV_STRING& out, const char* needle, const char* replacement) const {
    if (!needle || !*needle || !replacement) {
        out = *this;
        return 0;
    }
    const size_t length = Length();
    const size_t needleLength = std::strlen(needle);
    const size_t replacementLength = std::strlen(replacement);

    size_t count = 0;
    for (const char* p = data;
         (p = static_cast<const char*>(memmem(p, length - static_cast<size_t>(p - data), needle, needleLength)));
         p += needleLength) {
        ++count;
    }
    if (count == 0) {
        out = *this;
        return 0;
    }

    char* fresh = new char[length - count * needleLength + count * replacementLength + 1];
    char* write = fresh;
    const char* read = data;
    const char* end = data + length;
    for (size_t k = 0; k < count; ++k) {
        const char* found =
            static_cast<const char*>(memmem(read, static_cast<size_t>(end - read), needle, needleLength));
        const size_t kept = static_cast<size_t>(found - read);
        std::memcpy(write, read, kept);
        write += kept;
        std::memcpy(write, replacement, replacementLength);
        write += replacementLength;
        read = found + needleLength;
    }
    const size_t tail = static_cast<size_t>(end - read);
    std::memcpy(write, read, tail);
    write[tail] = 0;
    out.Install(fresh);
    return static_cast<unsigned>(count);
}

unsigned OV_STRING::ReplaceChar(char from, char to) {
    unsigned count = 0;
    for (char* p = data; *p; ++p) {
        if (*p == from) {
            *p = to;
            ++count;
        }
    }
    // Writing zeros shortened the text: keep the array at its exact size.
    if (to == 0 && count > 0) Assign(data);
    return count;
}

void OV_STRING::Unescape() {
    const size_t decodedLength = DecodeEscapes(data, nullptr);
    char* fresh = new char[decodedLength + 1];
    DecodeEscapes(data, fresh);
    fresh[decodedLength] = 0;
    Install(fresh);
}

OV_STRING* OV_STRING::Explode(const char* delimiters, unsigned* count, const char* quotes) const {
    return Explode(data, Length(), delimiters, count, quotes);
}

OV_STRING* OV_STRING::Explode(const char* start, size_t length, const char* delimiters, unsigned* count,
                              const char* quotes) {
    if (count) *count = 0;
    if (!start || !delimiters || !count) return nullptr;
    length = strnlen(start, length);
    const SplitTable table(delimiters, quotes);

    size_t pieces = 0;
    ForEachPiece(start, length, table, [&](size_t, size_t) { ++pieces; });

    OV_STRING* result = new OV_STRING[pieces > 0 ? pieces : 1];
    size_t filled = 0;
    ForEachPiece(start, length, table,
                 [&](size_t offset, size_t n) { result[filled++].Install(NewText(start + offset, n)); });
    *count = static_cast<unsigned>(pieces);
    return result;
}

}  // namespace OvCore

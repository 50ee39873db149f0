#pragma once

#include <cstddef>

namespace OvCore {

// Heap text of single-byte characters. The array behind Get() is never null
// (the empty text is one zero byte), and every operation that changes the text
// allocates exactly Length() + 1 bytes: there is no spare capacity, so build
// large texts elsewhere and assign them once.
//
// Positions and lengths are byte offsets of type size_t throughout.
//
// Ownership: a string frees its array when destroyed unless it is marked
// borrowed. An operation that replaces the text never frees a borrowed array;
// the new array it installs belongs to the string, which is then no longer
// borrowed. Copies are deep and never borrowed.
class OV_STRING {
public:
    // The empty text; from a null pointer also the empty text; deep copies; a move
    // leaves the source empty:
    OV_STRING();
    OV_STRING(const char* text);
    OV_STRING(const OV_STRING& other);
    OV_STRING(OV_STRING&& other) noexcept;
    ~OV_STRING();

    // Replace the text as the constructors make it (a null pointer leaves it unchanged):
    OV_STRING& operator=(const OV_STRING& other);
    OV_STRING& operator=(OV_STRING&& other) noexcept;
    OV_STRING& operator=(const char* text);

    // A null pointer leaves the text unchanged. The counted form copies
    // min(n, strlen) characters and never reads past text[n - 1]:
    void Assign(const char* text);
    void Assign(const char* text, size_t n);

    // printf-style; false (text unchanged) for a null format or an encoding error.
    bool Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The zero-terminated array, never null:
    char* Get() { return data; }
    const char* Get() const { return data; }
    size_t Length() const;  // bytes before the terminator (strlen)
    void Clear();  // makes the text empty

    // A borrowed string showing text, made without allocating: the caller
    // keeps the array alive (and zero-terminated) for as long as the string
    // shows it. Readers that keep many texts in one block use this.
    static OV_STRING Borrowing(char* text) { return OV_STRING(text, true); }

    // Marks the string as borrowed (its array not freed by it), or not:
    void SetBorrowed(bool value) { borrowed = value; }
    bool IsBorrowed() const { return borrowed; }

    // Appends text (null appends nothing), or a number in decimal:
    OV_STRING& operator+=(const char* text);
    OV_STRING& operator+=(const OV_STRING& text);
    OV_STRING& operator+=(int value);
    OV_STRING& operator+=(unsigned value);
    // Eight significant digits, fixed or exponent form, whichever is shorter.
    OV_STRING& operator+=(double value);

    // A new string: this text followed by the other:
    OV_STRING operator+(const char* text) const;
    OV_STRING operator+(const OV_STRING& text) const;

    // A null pointer never equals any string. Byte-wise comparison:
    bool operator==(const OV_STRING& other) const;
    bool operator==(const char* text) const;
    bool operator!=(const OV_STRING& other) const { return !(*this == other); }
    bool operator!=(const char* text) const { return !(*this == text); }

    // Searches from start on and stores the offset of the needle from the
    // beginning of the text. False when start >= Length(), or the needle or
    // the out pointer is null. An empty needle is found at start.
    bool Find(size_t start, const char* needle, size_t* position) const;

    // Copies the text from position up to the next separator into token and
    // returns the offset just past that separator. Returns 0 when the token ran
    // to the end of the text; then token holds the rest. An empty separator
    // never matches, so the rest of the text is the token and 0 comes back.
    // Position beyond the end, or a null separator: token emptied, 0 returned.
    size_t Tokenize(OV_STRING& token, const char* separator, size_t position) const;

    // Writes into out this text with every non-overlapping occurrence of needle
    // (left to right) replaced, returns the count; this text is unchanged.
    // A null or empty needle, or a null replacement: out becomes a copy, 0.
    // out may be this string itself.
    unsigned ReplaceAll(OV_STRING& out, const char* needle, const char* replacement) const;

    unsigned ReplaceChar(char from, char to);  // each `from` byte becomes `to`; gives the number replaced

    // Decodes \0 \a \b \f \n \r \t \v \' \" \\ \? and \xHH in place. A decoded
    // zero ends the text, as do a trailing backslash and \x with fewer than
    // two characters after it. In \xHH a first non-hex digit counts as 0 and a
    // second non-hex digit counts as the value of the first. A backslash before
    // any other character is kept together with that character.
    void Unescape();

    // Splits the text into its non-empty pieces between delimiter characters.
    // A character listed in quotes toggles an inside-quotes state (once per
    // listing) in which delimiters do not cut; quote characters stay in the
    // pieces. Null quotes means none; empty delimiters means the whole text is
    // one piece.
    // The result is array-new'd and the caller array-deletes it. It always
    // holds at least one entry, even when *count is 0, so delete[] is always
    // valid. A null delimiters or count pointer gives null (and *count = 0
    // when count is given).
    OV_STRING* Explode(const char* delimiters, unsigned* count, const char* quotes) const;
    // The same over the characters [start, start + length); the range need
    // not be zero-terminated and is not changed. Null start gives null.
    static OV_STRING* Explode(const char* start, size_t length, const char* delimiters, unsigned* count,
                              const char* quotes);

    // Typed-value notation: a text of at least two characters whose last
    // character is one of b c d f h i r s v w x says how the text is read.
    char TypeLetter() const;
    // Bytes that ParseTyped writes: with forcedLetter 0 for the text's own
    // letter, otherwise for reading the whole text with forcedLetter.
    // 0 when the letter is unknown or the text too short.
    size_t TypeSize(char forcedLetter = 0) const;
    // Reads the value into out, writing at most TypeSize(forcedLetter) bytes.
    // For f and v, slots after the last value read are left untouched.
    // False for an unknown letter, a text too short, or a null out.
    bool ParseTyped(void* out, char forcedLetter = 0) const;

private:
    char* data;
    bool borrowed;

    OV_STRING(char* text, bool isBorrowed) : data(text), borrowed(isBorrowed) {}

    void Install(char* fresh);
    void Append(const char* text, size_t n);
};

}  // namespace OvCore

#pragma once

#include "ovcore/data/Document.h"

#include <cstddef>

namespace OvCore {

// Reads markup text into a document in one pass. The text is copied once,
// whole, into a block of the document, and taken apart where it lies: scans
// jump from one character that matters to the next, zero bytes are written
// after the pieces that are kept so that the node and attribute strings
// borrow them, and the bytes of a token are moved only when a line break
// inside it has to be taken out.
class OV_DOCUMENT_READER {
public:
    OV_DOCUMENT_READER(OV_DOCUMENT& document, const char* ignorable, bool trim);
    // Reads length bytes of text, none of them NUL (the caller cuts the text
    // at its first). False when memory ran out (see FailedAt) or the text
    // holds nothing but line breaks.
    bool Read(const char* text, size_t length);
    // Where memory ran out: the offset in the text of the token being read;
    // SIZE_MAX when it did not.
    size_t FailedAt() const { return failed_ ? failedAt_ : static_cast<size_t>(-1); }

private:
    OV_DOCUMENT& document_;
    OV_NODE* current_;
    bool trim_;
    bool failed_ = false;
    size_t failedAt_ = 0;
    // The character that ended the last token: '<', '>', or 0 at the end.
    char cut_ = 0;
    // Where reading goes on after a token whose line breaks were taken out.
    char* resume_ = nullptr;
    bool ignorable_[256] = {};
    // Ignorable characters and line breaks, never a cut character.
    bool blankText_[256] = {};

    // Each reads the token that starts at p and returns where the next one
    // starts, with cut_ set.
    char* TextToken(char* p);
    char* TagToken(char* p);
    char* JoinLines(char* at);
    void Piece(OV_NODE*& element, char* begin, char* end, char* equals, bool suffixed);
    OV_NODE* Append(char* name, char* text);
};

}  // namespace OvCore

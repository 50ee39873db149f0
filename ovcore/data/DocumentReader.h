#pragma once

#include "ovcore/data/Document.h"

#include <cstddef>

namespace OvCore {

// Reads markup text into a document in one pass: the text is copied once
// into a block of the document with the line breaks left out, cut into text
// and tag tokens as it is copied, and each token is taken apart where it
// lies, with zero bytes written after its pieces so that the node and
// attribute strings borrow them.
class OV_DOCUMENT_READER {
public:
    OV_DOCUMENT_READER(OV_DOCUMENT& document, const char* ignorable, bool trim);
    bool Read(const char* text, size_t length);

private:
    OV_DOCUMENT& document_;
    OV_NODE* current_;
    bool trim_;
    bool failed_ = false;
    bool ignorable_[256] = {};

    // Both take [begin, end) with *end writable; true when the token's bytes
    // must be kept.
    bool TextToken(char* begin, char* end);
    bool TagToken(char* begin, char* end);
    OV_NODE* Piece(OV_NODE* element, char* begin, char* end, char* equals, bool suffixed);
    OV_NODE* Append(char* name, char* text);
};

}  // namespace OvCore

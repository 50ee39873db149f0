// OV_ATTRIBUTE and OV_NODE: the attributes and nodes of a markup document.
#pragma once

#include "ovcore/foundation/String.h"

namespace OvCore {

// One attribute of a markup element: a name and a value, both kept as text.
struct OV_ATTRIBUTE {
    // The attribute's name and value:
    OV_STRING name;
    OV_STRING value;
    // The neighbouring attributes of the same element; null at the ends:
    OV_ATTRIBUTE* prev = nullptr;
    OV_ATTRIBUTE* next = nullptr;

    // Borrows both texts (see OV_STRING::Borrowing); Assign gives a string its own.
    OV_ATTRIBUTE(char* borrowedName, char* borrowedValue)
        : name(OV_STRING::Borrowing(borrowedName)),
          value(OV_STRING::Borrowing(borrowedValue)) {}
    OV_ATTRIBUTE(const OV_ATTRIBUTE&) = delete;
    OV_ATTRIBUTE& operator=(const OV_ATTRIBUTE&) = delete;
};

// One node of a markup tree: an element (non-empty name, attributes,
// children) or a text node (empty name, its text). Children and attributes
// are kept in the order they were added, as doubly linked lists, so a node
// is added, removed and stepped over in constant time. Nodes belong to
// their OV_DOCUMENT, which makes and destroys them.
struct OV_NODE {
    OV_STRING name;  // the element's name; empty for a text node
    OV_STRING text;  // a text node's text
    // The parent (null for the root) and the neighbouring children; null at the ends:
    OV_NODE* parent = nullptr;
    OV_NODE* prev = nullptr;
    OV_NODE* next = nullptr;
    // The first and last child, and the first and last attribute; null when there are none:
    OV_NODE* firstChild = nullptr;
    OV_NODE* lastChild = nullptr;
    OV_ATTRIBUTE* firstAttribute = nullptr;
    OV_ATTRIBUTE* lastAttribute = nullptr;

    // Borrows both texts (see OV_STRING::Borrowing); Assign gives a string its own.
    OV_NODE(char* borrowedName, char* borrowedText)
        : name(OV_STRING::Borrowing(borrowedName)),
          text(OV_STRING::Borrowing(borrowedText)) {}
    OV_NODE(const OV_NODE&) = delete;
    OV_NODE& operator=(const OV_NODE&) = delete;

    bool IsElement() const { return name.Get()[0] != 0; }  // true for an element, false for a text node
    // The first attribute called name; null when there is none.
    OV_ATTRIBUTE* FindAttribute(const char* attributeName) const;
    // The value of the first attribute called name; null when there is none.
    const char* AttributeValue(const char* attributeName) const;
};

}  // namespace OvCore

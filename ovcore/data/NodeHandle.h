// OV_NODE_HANDLE and OV_ATTRIBUTE_HANDLE: positions in a markup document's lists.
#pragma once

#include "ovcore/data/Node.h"

namespace OvCore {

// A position in a node's children list: invalid, or an entry. Stepping past
// either end of the list makes it invalid; an invalid handle stays so.
struct OV_NODE_HANDLE {
    // True for no position; otherwise the node:
    bool invalid = true;
    OV_NODE* node = nullptr;

    OV_NODE_HANDLE() = default;
    explicit OV_NODE_HANDLE(OV_NODE* entry) : invalid(entry == nullptr), node(entry) {}  // invalid for null

    // Whether there is a node, and the node (null when invalid):
    bool IsValid() const { return !invalid; }
    OV_NODE* Node() const { return invalid ? nullptr : node; }
    OV_NODE* operator->() const { return Node(); }
    // Step to the next / previous sibling:
    void Next() { *this = OV_NODE_HANDLE(invalid ? nullptr : node->next); }
    void Prev() { *this = OV_NODE_HANDLE(invalid ? nullptr : node->prev); }
};

// A position in a node's attribute list, stepped like OV_NODE_HANDLE.
struct OV_ATTRIBUTE_HANDLE {
    // True for no position; otherwise the attribute:
    bool invalid = true;
    OV_ATTRIBUTE* attribute = nullptr;

    OV_ATTRIBUTE_HANDLE() = default;
    // Invalid for null.
    explicit OV_ATTRIBUTE_HANDLE(OV_ATTRIBUTE* entry) : invalid(entry == nullptr), attribute(entry) {}

    // Whether there is an attribute, and the attribute (null when invalid):
    bool IsValid() const { return !invalid; }
    OV_ATTRIBUTE* Attribute() const { return invalid ? nullptr : attribute; }
    OV_ATTRIBUTE* operator->() const { return Attribute(); }
    // Step to the next / previous attribute:
    void Next() { *this = OV_ATTRIBUTE_HANDLE(invalid ? nullptr : attribute->next); }
    void Prev() { *this = OV_ATTRIBUTE_HANDLE(invalid ? nullptr : attribute->prev); }
};

}  // namespace OvCore

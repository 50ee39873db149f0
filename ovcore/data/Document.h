// OV_DOCUMENT: markup documents read, searched, changed and saved.
#pragma once

#include "ovcore/data/Buffer.h"
#include "ovcore/data/NodeHandle.h"
#include "ovcore/data/SlotPool.h"

#include <cstddef>
#include <cstdint>
#include <new>

namespace OvCore {

// Modes of OV_DOCUMENT::Find and GetAttribute.
enum OV_FIND_MODE : int {
    FIND_CREATE = 0,  // every missing segment is made, so a path always resolves
    FIND_REMOVE = 1,  // the node the path designates is removed; the handle is invalid
    FIND_ONLY = 2  // (or any other value) an invalid handle when a segment has no match
};

// A markup tree: the root (no name) holds the top-level nodes of the files
// parsed into it. The document owns every node and attribute; the texts read
// by Parse stay in blocks of the document and the node strings borrow them.
//
// Syntax read by Parse: line breaks are dropped, the text is cut at "<" and
// ">", tags are split at spaces and tabs outside double quotes, "/" at the
// start closes, "/" at the end makes an empty element, name=value and
// name="value" are attributes; there are no declarations, comments or
// entities, and the reader never fails on bad syntax.
//
// Path language of Find: segments separated by "/", each "name" (the first
// child of that name), "." (the current node and, with modifiers, its
// siblings from it on) or ".." (the parent; the root stays the root),
// followed by modifiers "#next", "#prev", "#id:n" (n unsigned 32-bit, 0x and
// 0 prefixes allowed; any other n matches nothing), "#last" (search from the
// last child backwards) and "#new" (create without searching, mode 0 only).
//
// Nothing here recurses: trees of any depth are read, written, searched and
// destroyed in loops.
class OV_DOCUMENT {
public:
    OV_DOCUMENT();
    ~OV_DOCUMENT();
    OV_DOCUMENT(const OV_DOCUMENT&) = delete;
    OV_DOCUMENT& operator=(const OV_DOCUMENT&) = delete;

    // Removes every node.
    void Clear();

    // Appends the nodes of text to the root. ignorable: the characters that
    // make up a blank text token (null: none); trim: strip them from both
    // ends of a kept text. The text ends at length or at its first zero
    // byte. False when text is null, length is 0 or the text holds nothing
    // but line breaks; also when memory runs out (the nodes read so far stay).
    // Each failure leaves "data: cannot parse markup: <source>: line L,
    // column C: <what>" in the diagnostics, source being the path the text
    // came from (null: "text"), and L, C (from 1, C in bytes) where reading
    // stopped: "no text", "empty", "nothing but line breaks" (after the
    // last one), "out of memory" (at the start of the token being read).
    bool Parse(const char* text, size_t length, const char* ignorable, bool trim, const char* source = nullptr);

    // Save indents each line by one tab a level, down to kIndentDepth tabs:
    // deeper lines get no more, so the text grows linearly with the tree.
    static constexpr size_t kIndentDepth = 64;
    // Save refuses trees nested more than this many levels deep (a top-level
    // node is at level 1): readers that recurse would fail on them.
    static constexpr size_t kSaveDepthLimit = 100000;

    // The top-level nodes as text (tabs, "\r\n" line ends, " />" for empty
    // elements) in out, sized exactly, without a terminating zero, cursor at
    // the end. False, with the reason in the diagnostics, when the root has
    // no children, the tree is nested deeper than kSaveDepthLimit, the text
    // would not fit a buffer (4 GiB or more) or memory runs out; out is then
    // unchanged.
    bool Save(OV_BUFFER& out) const;

    // The root: an empty element holding the document's top-level nodes:
    OV_NODE* Root() { return &root_; }
    const OV_NODE* Root() const { return &root_; }
    // Handles on the first / last child or attribute of a node (invalid for null or none):
    static OV_NODE_HANDLE FirstChild(const OV_NODE* node);
    static OV_NODE_HANDLE LastChild(const OV_NODE* node);
    static OV_ATTRIBUTE_HANDLE FirstAttribute(const OV_NODE* node);
    static OV_ATTRIBUTE_HANDLE LastAttribute(const OV_NODE* node);

    // start null means the root. A null path gives an invalid handle.
    OV_NODE_HANDLE Find(const char* path, int mode, OV_NODE* start);
    // The first attribute called name of the node Find gives; a missing one
    // is appended with an empty value. Invalid when Find is, or name is null.
    OV_ATTRIBUTE_HANDLE GetAttribute(const char* path, const char* name, int mode, OV_NODE* start);

    // Appends a child (an element when name is not empty, else a text node).
    // Null when parent or name is null, or memory runs out.
    OV_NODE* AddChild(OV_NODE* parent, const char* name, const char* text = nullptr);
    // Appends an attribute; null when node or name is null, or memory runs out.
    OV_ATTRIBUTE* AddAttribute(OV_NODE* node, const char* name, const char* value);
    // Takes the node out of its parent's children and destroys it with its
    // subtree. False for null or the root.
    bool RemoveChild(OV_NODE* node);
    // False when the attribute is null or not node's.
    bool RemoveAttribute(OV_NODE* node, OV_ATTRIBUTE* attribute);

private:
    friend class OV_DOCUMENT_READER;
    struct TextBlock {
        TextBlock* next;
    };

    OV_NODE root_;
    OV_SLOT_POOL nodePool_;
    OV_SLOT_POOL attributePool_;
    TextBlock* textBlocks_ = nullptr;

    // The empty text that nodes borrow; nothing writes into it.
    static inline char noText_[1] = {0};
    static char* NoText() { return noText_; }
    // Both borrow their texts.
    OV_NODE* NewNode(OV_NODE* parent, char* name, char* text);
    OV_ATTRIBUTE* NewAttribute(OV_NODE* node, char* name, char* value);
    char* NewTextBlock(size_t size);
    void DestroyChildren(OV_NODE* parent);
    void DestroyLeaf(OV_NODE* node);
    void DestroyAttributes(OV_NODE* node);
    static void Unlink(OV_NODE* node);
    OV_NODE* NextInDocument(OV_NODE* node);
};

// Inline: the reader makes one of these for every node and attribute.
inline OV_NODE* OV_DOCUMENT::NewNode(OV_NODE* parent, char* name, char* text) {
    void* slot = nodePool_.Take();
    if (!slot) return nullptr;
    auto* node = new (slot) OV_NODE(name, text);
    node->parent = parent;
    node->prev = parent->lastChild;
    if (parent->lastChild)
        parent->lastChild->next = node;
    else
        parent->firstChild = node;
    parent->lastChild = node;
    return node;
}

inline OV_ATTRIBUTE* OV_DOCUMENT::NewAttribute(OV_NODE* node, char* name, char* value) {
    void* slot = attributePool_.Take();
    if (!slot) return nullptr;
    auto* attribute = new (slot) OV_ATTRIBUTE(name, value);
    attribute->prev = node->lastAttribute;
    if (node->lastAttribute)
        node->lastAttribute->next = attribute;
    else
        node->firstAttribute = attribute;
    node->lastAttribute = attribute;
    return attribute;
}

}  // namespace OvCore

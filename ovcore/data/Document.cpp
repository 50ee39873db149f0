#include "ovcore/data/Document.h"

#include "ovcore/data/DocumentReader.h"
#include "ovcore/platform/Diagnostics.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace OvCore {

OV_DOCUMENT::OV_DOCUMENT()
    : root_(NoText(), NoText()),
      nodePool_(sizeof(OV_NODE)),
      attributePool_(sizeof(OV_ATTRIBUTE)) {}

OV_DOCUMENT::~OV_DOCUMENT() { Clear(); }

namespace {

// A string about to lose its storage: only text of its own needs freeing
// (the rest of a node or attribute holds nothing to free).
inline void Drop(OV_STRING& text) {
    if (!text.IsBorrowed()) text.~OV_STRING();
}

inline void DropStrings(OV_NODE* node) {
    Drop(node->name);
    Drop(node->text);
}

inline void DropStrings(OV_ATTRIBUTE* attribute) {
    Drop(attribute->name);
    Drop(attribute->value);
}

}  // namespace

// Every node and attribute goes with the pools' blocks, so only the strings
// that own their text are freed, and nothing is unlinked or handed back
// slot by slot. While no slot has been handed back, the pools' blocks are
// swept in order; otherwise the tree is walked (in document order, without
// a stack), attributes first, as their lists hang on the nodes.
void OV_DOCUMENT::Clear() {
    if (!attributePool_.ForEachTaken([](void* slot) { DropStrings(static_cast<OV_ATTRIBUTE*>(slot)); })) {
        for (OV_NODE* node = &root_; node; node = NextInDocument(node)) {
            for (OV_ATTRIBUTE* attribute = node->firstAttribute; attribute; attribute = attribute->next)
                DropStrings(attribute);
        }
    }
    if (!nodePool_.ForEachTaken([](void* slot) { DropStrings(static_cast<OV_NODE*>(slot)); })) {
        for (OV_NODE* node = NextInDocument(&root_); node; node = NextInDocument(node)) DropStrings(node);
    }
    root_.firstChild = root_.lastChild = nullptr;
    root_.firstAttribute = root_.lastAttribute = nullptr;
    nodePool_.Release();
    attributePool_.Release();
    while (textBlocks_) {
        TextBlock* next = textBlocks_->next;
        std::free(textBlocks_);
        textBlocks_ = next;
    }
}

namespace {

// Reports why a text was not read, at the line and column (both from 1,
// columns in bytes; "\r\n", "\r" and "\n" each end a line) of its byte at.
void ReportUnread(const char* source, const char* text, size_t at, const char* what) {
    size_t line = 1, column = 1;
    for (size_t i = 0; i < at; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= at || text[i + 1] != '\n'))) {
            ++line;
            column = 1;
        } else if (text[i] != '\r') {
            ++column;
        }
    }
    PlatformReportFailure("data: cannot parse markup: %s: line %zu, column %zu: %s", source ? source : "text", line,
                          column, what);
}

}  // namespace

bool OV_DOCUMENT::Parse(const char* text, size_t length, const char* ignorable, bool trim, const char* source) {
    if (!text) {
        ReportUnread(source, "", 0, "no text");
        return false;
    }
    length = ::strnlen(text, length);
    if (length == 0) {
        ReportUnread(source, text, 0, "empty");
        return false;
    }
    OV_DOCUMENT_READER reader(*this, ignorable, trim);
    if (reader.Read(text, length)) return true;
    const size_t at = reader.FailedAt();
    if (at != static_cast<size_t>(-1))
        ReportUnread(source, text, at, "out of memory");
    else
        ReportUnread(source, text, length, "nothing but line breaks");
    return false;
}

OV_NODE_HANDLE OV_DOCUMENT::FirstChild(const OV_NODE* node) {
    return OV_NODE_HANDLE(node ? node->firstChild : nullptr);
}

OV_NODE_HANDLE OV_DOCUMENT::LastChild(const OV_NODE* node) { return OV_NODE_HANDLE(node ? node->lastChild : nullptr); }

OV_ATTRIBUTE_HANDLE OV_DOCUMENT::FirstAttribute(const OV_NODE* node) {
    return OV_ATTRIBUTE_HANDLE(node ? node->firstAttribute : nullptr);
}

OV_ATTRIBUTE_HANDLE OV_DOCUMENT::LastAttribute(const OV_NODE* node) {
    return OV_ATTRIBUTE_HANDLE(node ? node->lastAttribute : nullptr);
}

char* OV_DOCUMENT::NewTextBlock(size_t size) {
    auto* block = static_cast<TextBlock*>(std::malloc(sizeof(TextBlock) + size));
    if (!block) return nullptr;
    block->next = textBlocks_;
    textBlocks_ = block;
    return reinterpret_cast<char*>(block + 1);
}

OV_NODE* OV_DOCUMENT::AddChild(OV_NODE* parent, const char* name, const char* text) {
    if (!parent || !name) return nullptr;
    OV_NODE* node = NewNode(parent, NoText(), NoText());
    if (!node) return nullptr;
    if (*name) node->name.Assign(name);
    if (text && *text) node->text.Assign(text);
    return node;
}

OV_ATTRIBUTE* OV_DOCUMENT::AddAttribute(OV_NODE* node, const char* name, const char* value) {
    if (!node || !name) return nullptr;
    OV_ATTRIBUTE* attribute = NewAttribute(node, NoText(), NoText());
    if (!attribute) return nullptr;
    if (*name) attribute->name.Assign(name);
    if (value && *value) attribute->value.Assign(value);
    return attribute;
}

// The node after node in document order below the root; null after the last.
OV_NODE* OV_DOCUMENT::NextInDocument(OV_NODE* node) {
    if (node->firstChild) return node->firstChild;
    while (node != &root_ && !node->next) node = node->parent;
    return node == &root_ ? nullptr : node->next;
}

void OV_DOCUMENT::Unlink(OV_NODE* node) {
    OV_NODE* parent = node->parent;
    if (node->prev)
        node->prev->next = node->next;
    else
        parent->firstChild = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else
        parent->lastChild = node->prev;
    node->parent = node->prev = node->next = nullptr;
}

bool OV_DOCUMENT::RemoveChild(OV_NODE* node) {
    if (!node || !node->parent) return false;
    Unlink(node);
    DestroyChildren(node);
    DestroyLeaf(node);
    return true;
}

bool OV_DOCUMENT::RemoveAttribute(OV_NODE* node, OV_ATTRIBUTE* attribute) {
    if (!node || !attribute) return false;
    OV_ATTRIBUTE* found = node->firstAttribute;
    while (found && found != attribute) found = found->next;
    if (!found) return false;
    if (attribute->prev)
        attribute->prev->next = attribute->next;
    else
        node->firstAttribute = attribute->next;
    if (attribute->next)
        attribute->next->prev = attribute->prev;
    else
        node->lastAttribute = attribute->prev;
    attribute->~OV_ATTRIBUTE();
    attributePool_.Give(attribute);
    return true;
}

void OV_DOCUMENT::DestroyAttributes(OV_NODE* node) {
    OV_ATTRIBUTE* attribute = node->firstAttribute;
    while (attribute) {
        OV_ATTRIBUTE* next = attribute->next;
        attribute->~OV_ATTRIBUTE();
        attributePool_.Give(attribute);
        attribute = next;
    }
    node->firstAttribute = node->lastAttribute = nullptr;
}

// Destroys a node whose children are gone, with its attributes.
void OV_DOCUMENT::DestroyLeaf(OV_NODE* node) {
    DestroyAttributes(node);
    node->~OV_NODE();
    nodePool_.Give(node);
}

// Post-order without a stack: always destroy the first child of the
// deepest node reached; a node whose children are all gone is a leaf.
void OV_DOCUMENT::DestroyChildren(OV_NODE* top) {
    OV_NODE* node = top->firstChild;
    while (node) {
        if (node->firstChild) {
            node = node->firstChild;
            continue;
        }
        OV_NODE* parent = node->parent;
        OV_NODE* next = node->next;
        DestroyLeaf(node);
        parent->firstChild = next;
        if (next) {
            next->prev = nullptr;
            node = next;
        } else {
            parent->lastChild = nullptr;
            node = parent == top ? nullptr : parent;
        }
    }
}

}  // namespace OvCore

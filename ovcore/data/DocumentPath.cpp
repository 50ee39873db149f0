#include "ovcore/data/Document.h"

#include <cstdint>
#include <cstring>

namespace OvCore {

namespace {

// One path segment: a name and what its modifiers made of it.
struct Segment {
    const char* name = nullptr;
    size_t nameLength = 0;
    uint64_t index = 0;
    bool fromLast = false;
    bool create = false;
    bool matchesNothing = false;

    bool NameIs(const char* text) const {
        return std::strlen(text) == nameLength && std::memcmp(name, text, nameLength) == 0;
    }
    bool Names(const OV_NODE& node) const {
        const char* nodeName = node.name.Get();
        return std::strncmp(nodeName, name, nameLength) == 0 && nodeName[nameLength] == 0;
    }
};

bool Is(const char* begin, const char* end, const char* word) {
    const size_t n = std::strlen(word);
    return static_cast<size_t>(end - begin) == n && std::memcmp(begin, word, n) == 0;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// An unsigned 32-bit number filling [begin, end): decimal, 0x / 0X hex or
// 0-led octal. False for anything else, a sign included, and for values
// above 32 bits, which would otherwise wrap to a small index.
bool ParseIndex(const char* begin, const char* end, uint64_t* value) {
    int base = 10;
    if (end - begin >= 2 && begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X')) {
        base = 16;
        begin += 2;
    } else if (end - begin >= 2 && begin[0] == '0') {
        base = 8;
        ++begin;
    }
    if (begin == end) return false;
    uint64_t result = 0;
    for (const char* p = begin; p < end; ++p) {
        const int digit = DigitValue(*p);
        if (digit >= base) return false;
        result = result * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (result > UINT32_MAX) return false;
    }
    *value = result;
    return true;
}

void ApplyModifier(Segment& segment, const char* begin, const char* end) {
    if (Is(begin, end, "next")) {
        ++segment.index;
    } else if (Is(begin, end, "prev")) {
        if (segment.index > 0) --segment.index;
    } else if (Is(begin, end, "last")) {
        segment.fromLast = true;
    } else if (Is(begin, end, "new")) {
        segment.create = true;
    } else if (end - begin >= 3 && std::memcmp(begin, "id:", 3) == 0) {
        if (!ParseIndex(begin + 3, end, &segment.index)) segment.matchesNothing = true;
    }
}

Segment ReadSegment(const char* begin, const char* end) {
    Segment segment;
    const char* hash = static_cast<const char*>(std::memchr(begin, '#', static_cast<size_t>(end - begin)));
    const char* nameEnd = hash ? hash : end;
    segment.name = begin;
    segment.nameLength = static_cast<size_t>(nameEnd - begin);
    while (hash) {
        const char* modifier = hash + 1;
        hash = static_cast<const char*>(std::memchr(modifier, '#', static_cast<size_t>(end - modifier)));
        ApplyModifier(segment, modifier, hash ? hash : end);
    }
    return segment;
}

// The match the segment designates among the children of start (or, for
// ".", among start and its siblings); null when there is none.
OV_NODE* Match(OV_NODE* start, Segment segment) {
    if (segment.matchesNothing || segment.create) return nullptr;
    if (segment.NameIs("..")) return start->parent ? start->parent : start;
    const bool self = segment.NameIs(".");
    OV_NODE* node = self ? start : segment.fromLast ? start->lastChild : start->firstChild;
    for (; node; node = segment.fromLast ? node->prev : node->next) {
        if (!self && !segment.Names(*node)) continue;
        if (segment.index == 0) return node;
        --segment.index;
    }
    return nullptr;
}

}  // namespace

OV_NODE_HANDLE OV_DOCUMENT::Find(const char* path, int mode, OV_NODE* start) {
    if (!path) return OV_NODE_HANDLE();
    OV_NODE* node = start ? start : &root_;
    const char* segmentStart = path;
    for (;;) {
        const char* slash = std::strchr(segmentStart, '/');
        const char* segmentEnd = slash ? slash : segmentStart + std::strlen(segmentStart);
        const Segment segment = ReadSegment(segmentStart, segmentEnd);
        OV_NODE* match = Match(node, segment);
        if (match && mode == FIND_REMOVE && !slash) {
            RemoveChild(match);
            return OV_NODE_HANDLE();
        }
        if (!match) {
            if (mode != FIND_CREATE) return OV_NODE_HANDLE();
            match = NewNode(node, NoText(), NoText());
            if (!match) return OV_NODE_HANDLE();
            if (segment.nameLength > 0) match->name.Assign(segment.name, segment.nameLength);
        }
        if (!slash) return OV_NODE_HANDLE(match);
        node = match;
        segmentStart = slash + 1;
    }
}

OV_ATTRIBUTE_HANDLE OV_DOCUMENT::GetAttribute(const char* path, const char* name, int mode, OV_NODE* start) {
    if (!name) return OV_ATTRIBUTE_HANDLE();
    const OV_NODE_HANDLE found = Find(path, mode, start);
    OV_NODE* node = found.Node();
    if (!node) return OV_ATTRIBUTE_HANDLE();
    if (OV_ATTRIBUTE* attribute = node->FindAttribute(name)) return OV_ATTRIBUTE_HANDLE(attribute);
    return OV_ATTRIBUTE_HANDLE(AddAttribute(node, name, nullptr));
}

}  // namespace OvCore

#include "ovcore/data/Document.h"

#include "ovcore/platform/Diagnostics.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace OvCore {

namespace {

// Walks the tree below root in document order without recursion, calling
// Open for every node and Close for every element with children once its
// children are done. Only elements are descended into.
template <class Sink>
void Walk(const OV_NODE& root, Sink& sink) {
    const OV_NODE* node = root.firstChild;
    size_t depth = 0;
    while (node) {
        sink.Open(*node, depth);
        if (node->IsElement() && node->firstChild) {
            node = node->firstChild;
            ++depth;
            continue;
        }
        while (!node->next) {
            node = node->parent;
            if (node == &root) return;
            --depth;
            sink.Close(*node, depth);
        }
        node = node->next;
    }
}

// Writes (or, with a null output, only counts) the saved form of each node.
class Writer {
public:
    explicit Writer(char* out) : out_(out) {}
    uint64_t Size() const { return size_; }
    // The levels of the deepest node seen (a top-level node is at level 1).
    size_t Levels() const { return levels_; }

    void Open(const OV_NODE& node, size_t depth) {
        levels_ = std::max(levels_, depth + 1);
        if (!node.IsElement()) {
            if (node.text.Get()[0] == 0) return;
            Tabs(depth);
            Text(node.text.Get());
            Text("\r\n", 2);
            return;
        }
        Tabs(depth);
        Text("<", 1);
        Text(node.name.Get());
        for (const OV_ATTRIBUTE* attribute = node.firstAttribute; attribute; attribute = attribute->next) {
            if (attribute->name.Get()[0] == 0) continue;
            Text(" ", 1);
            Text(attribute->name.Get());
            Text("=\"", 2);
            Text(attribute->value.Get());
            Text("\"", 1);
        }
        if (node.firstChild)
            Text(">\r\n", 3);
        else
            Text(" />\r\n", 5);
    }

    void Close(const OV_NODE& node, size_t depth) {
        Tabs(depth);
        Text("</", 2);
        Text(node.name.Get());
        Text(">\r\n", 3);
    }

private:
    char* out_;
    uint64_t size_ = 0;
    size_t levels_ = 0;

    // Tabs repeated for every level would make the text grow with the
    // square of the depth; below kIndentDepth they are not repeated.
    void Tabs(size_t depth) {
        const size_t tabs = std::min(depth, OV_DOCUMENT::kIndentDepth);
        if (out_) std::memset(out_ + size_, '\t', tabs);
        size_ += tabs;
    }
    void Text(const char* text) { Text(text, std::strlen(text)); }
    void Text(const char* text, size_t n) {
        if (out_) std::memcpy(out_ + size_, text, n);
        size_ += n;
    }
};

}  // namespace

// Measured first, then written straight into the buffer's array: the text
// is built once, in memory of exactly its size.
bool OV_DOCUMENT::Save(OV_BUFFER& out) const {
    if (!root_.firstChild) return false;
    Writer measure(nullptr);
    Walk(root_, measure);
    if (measure.Levels() > kSaveDepthLimit) {
        PlatformReportFailure("data: cannot save document: nested %zu levels deep: the limit is %zu", measure.Levels(),
                              kSaveDepthLimit);
        return false;
    }
    if (measure.Size() > UINT32_MAX) {
        PlatformReportFailure("data: cannot save document: %llu bytes of text: 4 GiB or more",
                              static_cast<unsigned long long>(measure.Size()));
        return false;
    }
    const auto size = static_cast<uint32_t>(measure.Size());
    OV_BUFFER text;
    if (!text.Allocate(size)) return false;
    if (size > 0) {
        Writer writer(reinterpret_cast<char*>(text.data));
        Walk(root_, writer);
        text.Move(size, OV_BUFFER::FROM_START);
    }
    out = static_cast<OV_BUFFER&&>(text);
    return true;
}

}  // namespace OvCore

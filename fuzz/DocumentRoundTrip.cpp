#include "ovcore/data/Document.h"
#include "fuzz/FuzzInput.h"

#include <cstring>
#include <string>

using namespace OvCore;

namespace {

constexpr const char* kBlanks = " \t\n\r";

bool HasQuote(const OV_STRING& text) { return std::strchr(text.Get(), '"') != nullptr; }

// Texts that the saved form cannot carry back: double quotes anywhere in a
// tag, element names that begin or end with "/", nameless attributes, and
// neighbouring text nodes (their lines join into one text).
bool Fragile(const OV_NODE& root) {
    const OV_NODE* node = root.firstChild;
    while (node) {
        if (!node->IsElement() && node->next && !node->next->IsElement()) return true;
        if (node->IsElement()) {
            const char* name = node->name.Get();
            const size_t length = std::strlen(name);
            if (HasQuote(node->name) || name[0] == '/' || name[length - 1] == '/') return true;
            for (const OV_ATTRIBUTE* a = node->firstAttribute; a; a = a->next)
                if (a->name.Get()[0] == 0 || HasQuote(a->name) || HasQuote(a->value)) return true;
        }
        if (node->firstChild) {
            node = node->firstChild;
            continue;
        }
        while (node && !node->next) node = node->parent == &root ? nullptr : node->parent;
        if (node) node = node->next;
    }
    return false;
}

std::string Save(const OV_DOCUMENT& document) {
    OV_BUFFER out;
    if (!document.Save(out)) return std::string();
    FuzzCheck(out.Position() == out.capacity);
    return std::string(reinterpret_cast<const char*>(out.data), out.capacity);
}

}  // namespace

// Parse, Save, Parse the saved text and Save again: the reader never fails
// on what it wrote, and a tree without fragile texts comes back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const bool trim = input.TakeByte() & 1;
    OV_DOCUMENT first;
    if (!first.Parse(input.RestData(), input.RestSize(), kBlanks, trim)) return 0;
    const std::string saved = Save(first);
    if (saved.empty()) return 0;
    OV_DOCUMENT second;
    FuzzCheck(second.Parse(saved.data(), saved.size(), kBlanks, true));
    const std::string again = Save(second);
    if (trim && !Fragile(*first.Root())) FuzzCheck(again == saved);
    return 0;
}

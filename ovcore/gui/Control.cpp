#include "ovcore/gui/Control.h"

#include "ovcore/gui/Gui.h"

#include <cstring>

namespace OvCore {

void OV_CONTROL_NODE::Append(OV_CONTROL_NODE* child) {
    child->parent = this;
    child->attached = attached;
    child->prev = lastChild;
    child->next = nullptr;
    if (lastChild)
        lastChild->next = child;
    else
        firstChild = child;
    lastChild = child;
}

void OV_CONTROL_NODE::Detach() {
    if (!parent) return;
    if (prev)
        prev->next = next;
    else
        parent->firstChild = next;
    if (next)
        next->prev = prev;
    else
        parent->lastChild = prev;
    parent = prev = next = nullptr;
    MarkDetached();
}

// Clears attached over the subtree, in a loop: trees of any depth are safe.
void OV_CONTROL_NODE::MarkDetached() {
    OV_CONTROL_NODE* node = this;
    while (node) {
        node->attached = false;
        if (node->firstChild) {
            node = node->firstChild;
            continue;
        }
        while (node != this && !node->next) node = node->parent;
        node = node == this ? nullptr : node->next;
    }
}

const char* OV_CONTROL::Text() const { return data.IsEmpty() ? "" : reinterpret_cast<const char*>(data.data); }

bool OV_CONTROL::SetData(const void* bytes, uint32_t n) {
    if (n == UINT32_MAX || (n > 0 && !bytes)) return false;
    OV_BUFFER fresh;
    if (!fresh.Allocate(n + 1)) return false;
    fresh.WriteBytes(bytes, n);
    data = static_cast<OV_BUFFER&&>(fresh);
    return true;
}

bool OV_CONTROL::InTree() const { return gui && node.attached; }

}  // namespace OvCore

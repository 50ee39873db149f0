#pragma once

#include "ovcore/gui/Control.h"

namespace OvCore {

// Visits the controls below top in tree order (a parent before its
// children) without recursion, so trees of any depth are safe. visit
// returns whether to go into the control's children.
template <class Visit>
void WalkControls(OV_CONTROL_NODE& top, Visit&& visit) {
    OV_CONTROL_NODE* node = top.firstChild;
    while (node) {
        if (visit(node->control) && node->firstChild) {
            node = node->firstChild;
            continue;
        }
        while (!node->next) {
            node = node->parent;
            if (node == &top) return;
        }
        node = node->next;
    }
}

// An axis-aligned rectangle in window pixels, y growing downwards.
struct OV_GUI_RECT {
    float left = 0, top = 0, right = 0, bottom = 0;

    static OV_GUI_RECT Of(const OV_CONTROL& control) {
        return {control.corners[0].x, control.corners[0].y, control.corners[2].x, control.corners[2].y};
    }
    OV_GUI_RECT Intersect(const OV_GUI_RECT& o) const {
        return {left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
                bottom < o.bottom ? bottom : o.bottom};
    }
    // Borders included.
    bool Contains(float x, float y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The clip rectangle a control gets from its parent: the parent's own
// rectangle when the parent cuts its area. False for none.
inline bool ClipFromParent(const OV_CONTROL& control, OV_GUI_RECT* clip) {
    const OV_CONTROL* parent = control.Parent();
    if (!parent || !parent->cutArea) return false;
    *clip = OV_GUI_RECT::Of(*parent);
    return true;
}

}  // namespace OvCore

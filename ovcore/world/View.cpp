#include "ovcore/world/View.h"

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/world/Actor.h"

#include <cmath>
#include <limits>

namespace OvCore {

namespace {

constexpr int kQueryViewportX = OV_TARGET_X;

// The render target's four live viewport integers (x, y, width, height).
struct TargetViewport {
    OvHandle handle{};
    int* cell[4] = {};

    bool Found() const { return cell[0] && cell[1] && cell[2] && cell[3]; }
};

TargetViewport CurrentTargetViewport() {
    TargetViewport viewport;
    const auto* current = static_cast<const OvHandle*>(OvGetState(OV_STATE_CURRENT_TARGET));
    if (!current) return viewport;
    viewport.handle = *current;
    for (int i = 0; i < 4; ++i)
        viewport.cell[i] = static_cast<int*>(OvRenderTargetGet(viewport.handle, kQueryViewportX + i));
    return viewport;
}

// Saturating, so that a view of absurd or undefined size stays defined.
int ToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

}  // namespace

void OV_VIEW::FollowTarget() {
    if (!target) return;
    area.x = target->position.x - area.z / 2;
    area.y = target->position.y - area.w / 2;
}

void OV_VIEW::Apply() {
    FollowTarget();
    const int x = ToInt(viewport.x), y = ToInt(viewport.y), width = ToInt(viewport.z), height = ToInt(viewport.w);
    TargetViewport target = CurrentTargetViewport();
    int saved[4] = {};
    if (target.Found()) {
        const int wanted[4] = {x, y, width, height};
        for (int i = 0; i < 4; ++i) {
            saved[i] = *target.cell[i];
            *target.cell[i] = wanted[i];
        }
    }
    OvRenderTargetActivate(target.handle);
    OvCameraOrtho(area.x, area.y, area.z, area.w, zoom);
    OvSetState(OV_STATE_CLIPPING, 1);
    OvSetState(OV_STATE_CLIP_RECT, x, y, width, height);
    if (target.Found())
        for (int i = 0; i < 4; ++i) *target.cell[i] = saved[i];
    if (clear) OvRenderScene(OV_SCENE_CLEAR_COLOR);
}

void RestoreDefaultView() {
    const TargetViewport target = CurrentTargetViewport();
    OvRenderTargetActivate(target.handle);
    if (target.Found()) {
        const int x = *target.cell[0], y = *target.cell[1], width = *target.cell[2], height = *target.cell[3];
        OvCameraOrtho(x, y, width, height, 0.0);
        OvSetState(OV_STATE_CLIPPING, 0);
        OvSetState(OV_STATE_CLIP_RECT, x, y, width, height);
    } else {
        OvSetState(OV_STATE_CLIPPING, 0);
    }
}

}  // namespace OvCore

#include "ovcore/engine/render/BatchTextures.h"

#include <algorithm>

namespace ov {

void BatchTextures::SetLimit(int glUnits) {
    limit_ = std::clamp(glUnits, 1, kMaximumUnits);
    for (int unit = limit_; unit < kMaximumUnits; ++unit) names_[unit] = 0;
}

int BatchTextures::Acquire(unsigned glName) {
    int free = -1;
    for (int unit = 0; unit < limit_; ++unit) {
        if (names_[unit] == glName) return unit;
        if (names_[unit] == 0 && free < 0) free = unit;
    }
    if (free >= 0) names_[free] = glName;
    return free;
}

void BatchTextures::ReleaseAllBut(int keep) {
    for (int unit = 0; unit < kMaximumUnits; ++unit) {
        if (unit != keep) names_[unit] = 0;
    }
}

TextureUsage BatchTextures::Usage() const {
    TextureUsage usage;
    for (int unit = 0; unit < limit_; ++unit) {
        if (names_[unit] == 0) continue;
        ++usage.units;
        if (usage.first < 0) usage.first = unit;
        usage.end = unit + 1;
    }
    return usage;
}

}  // namespace ov

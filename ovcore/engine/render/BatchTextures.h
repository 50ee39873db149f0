// The textures of the pending batch, one per texture unit; vertices name
// their texture by unit, so a batch can span several textures.
#pragma once

#include <cstdint>

namespace ov {

// Which units hold a texture: how many, the lowest, one past the highest.
struct TextureUsage {
    int units = 0;
    int first = -1;
    int end = 0;
};

class BatchTextures {
public:
    static constexpr int kMaximumUnits = 16;

    // The number of units in use at most: min(kMaximumUnits, glUnits), >= 1.
    void SetLimit(int glUnits);
    int Limit() const { return limit_; }

    // The unit holding glName, taking a free one when needed; -1 when every
    // unit is taken by another texture.
    int Acquire(unsigned glName);
    // The unit holding glName (not 0), or -1.
    int Holding(unsigned glName) const {
        for (int unit = 0; unit < limit_; ++unit) {
            if (names_[unit] == glName) return unit;
        }
        return -1;
    }
    // Frees every unit but `keep` (a unit, or -1 for none).
    void ReleaseAllBut(int keep);
    unsigned NameAt(int unit) const { return names_[unit]; }
    TextureUsage Usage() const;

private:
    unsigned names_[kMaximumUnits] = {};
    int limit_ = 8;
};

}  // namespace ov

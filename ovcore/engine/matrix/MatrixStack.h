// A bounded stack of saved matrices: pushing onto a full stack and popping an
// empty one do nothing.
#pragma once

#include "ovcore/engine/matrix/Matrix4.h"

namespace ov {

class MatrixStack {
public:
    static constexpr int kDepth = 32;

    bool Push(const double* matrix16);
    // The most recently pushed matrix into `out16`; false when empty.
    bool Pop(double* out16);
    int Depth() const { return depth_; }
    void Clear() { depth_ = 0; }

private:
    Matrix4 saved_[kDepth];
    int depth_ = 0;
};

}  // namespace ov

// A bounded stack of saved matrices: pushing onto a full stack and popping an
// empty one do nothing.
#pragma once

#include "engine/matrix/Matrix4.h"

namespace ov {

class MatrixStack {
public:
    static constexpr int kDepth = 32;

    bool Push(const Matrix4& matrix);
    // The most recently pushed matrix into `out`; false when empty.
    bool Pop(Matrix4& out);
    int Depth() const { return depth_; }
    void Clear() { depth_ = 0; }

private:
    Matrix4 saved_[kDepth];
    int depth_ = 0;
};

}  // namespace ov

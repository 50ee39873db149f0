#include "engine/matrix/MatrixStack.h"

namespace ov {

bool MatrixStack::Push(const Matrix4& matrix) {
    if (depth_ >= kDepth) return false;
    saved_[depth_++] = matrix;
    return true;
}

bool MatrixStack::Pop(Matrix4& out) {
    if (depth_ <= 0) return false;
    out = saved_[--depth_];
    return true;
}

}  // namespace ov

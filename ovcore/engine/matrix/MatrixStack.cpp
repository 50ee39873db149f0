#include "ovcore/engine/matrix/MatrixStack.h"

#include <cstring>

namespace ov {

bool MatrixStack::Push(const double* matrix16) {
    if (depth_ >= kDepth) return false;
    std::memcpy(saved_[depth_++].m, matrix16, sizeof(Matrix4::m));
    return true;
}

bool MatrixStack::Pop(double* out16) {
    if (depth_ <= 0) return false;
    std::memcpy(out16, saved_[--depth_].m, sizeof(Matrix4::m));
    return true;
}

}  // namespace ov

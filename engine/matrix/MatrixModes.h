// The matrix mode and the saved-matrix stacks of projection and model view;
// the current matrices themselves live in the render context.
#pragma once

#include "engine/matrix/Matrix4.h"
#include "engine/matrix/MatrixStack.h"

namespace ov {

class MatrixModes {
public:
    static constexpr int kProjection = 256;
    static constexpr int kModelView = 257;

    // Ignores modes other than the two.
    void Select(int mode);
    int Selected() const { return mode_; }

    Matrix4 Current() const;
    static Matrix4 Of(int mode);
    // Replaces the current mode's matrix (a projection change flushes
    // pending drawing).
    void Replace(const Matrix4& matrix);
    // Current = current x factor, as the fixed-function matrix calls do.
    void Multiply(const Matrix4& factor);
    void Push();
    void Pop();

private:
    MatrixStack& Stack() { return mode_ == kProjection ? projectionStack_ : modelViewStack_; }

    int mode_ = kModelView;
    MatrixStack projectionStack_;
    MatrixStack modelViewStack_;
};

MatrixModes& Matrices();

}  // namespace ov

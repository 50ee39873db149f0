// The matrix mode and the saved-matrix stacks of projection and model view;
// the current matrices themselves live in the render context.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/matrix/Matrix4.h"
#include "ovcore/engine/matrix/MatrixStack.h"

namespace ov {

class MatrixModes {
public:
    static constexpr int kProjection = OV_MATRIX_PROJECTION;
    static constexpr int kModelView = OV_MATRIX_MODELVIEW;

    // Ignores modes other than the two.
    void Select(int mode);
    int Selected() const { return mode_; }

    Matrix4 Current() const;
    static Matrix4 Of(int mode);
    // Replaces the current mode's matrix (a projection change flushes
    // pending drawing).
    void Replace(const Matrix4& matrix);
    // Current = current x factor, as the fixed-function matrix calls do.
    void Translate(double x, double y, double z);
    void Scale(double x, double y, double z);
    void Rotate(double degrees, double x, double y, double z);
    void Push();
    void Pop();

private:
    // Applies edit(double* m16) to the current matrix: the model view in
    // place, the projection through Replace, which flushes what was drawn
    // under the old one.
    template <class Edit>
    void ChangeCurrent(Edit edit);

    int mode_ = kModelView;
    MatrixStack projectionStack_;
    MatrixStack modelViewStack_;
};

// Inline, as every drawing call asks for it.
inline MatrixModes& Matrices() {
    static MatrixModes modes;
    return modes;
}

}  // namespace ov

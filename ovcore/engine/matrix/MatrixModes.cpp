#include "ovcore/engine/matrix/MatrixModes.h"

#include "ovcore/engine/render/RenderContext.h"

#include <cstring>

namespace ov {

void MatrixModes::Select(int mode) {
    if (mode == kProjection || mode == kModelView) mode_ = mode;
}

Matrix4 MatrixModes::Of(int mode) {
    Matrix4 matrix;
    const double* source = mode == kProjection ? Render().Projection() : Render().ModelView();
    std::memcpy(matrix.m, source, sizeof(matrix.m));
    return matrix;
}

Matrix4 MatrixModes::Current() const { return Of(mode_); }

void MatrixModes::Replace(const Matrix4& matrix) {
    if (mode_ == kProjection) {
        Render().SetProjection(matrix.m);
    } else {
        Render().SetModelView(matrix.m);
    }
}

template <class Edit>
void MatrixModes::ChangeCurrent(Edit edit) {
    if (mode_ == kModelView) {
        edit(Render().MutableModelView());
        return;
    }
    Matrix4 projection = Current();
    edit(projection.m);
    Replace(projection);
}

void MatrixModes::Translate(double x, double y, double z) {
    ChangeCurrent([=](double* m) { TranslateInPlace(m, x, y, z); });
}

void MatrixModes::Scale(double x, double y, double z) {
    ChangeCurrent([=](double* m) { ScaleInPlace(m, x, y, z); });
}

void MatrixModes::Rotate(double degrees, double x, double y, double z) {
    ChangeCurrent([=](double* m) { RotateInPlace(m, degrees, x, y, z); });
}

void MatrixModes::Push() {
    if (mode_ == kModelView) {
        modelViewStack_.Push(Render().ModelView());
    } else {
        projectionStack_.Push(Render().Projection());
    }
}

void MatrixModes::Pop() {
    if (mode_ == kModelView) {
        modelViewStack_.Pop(Render().MutableModelView());
        return;
    }
    Matrix4 saved;
    if (projectionStack_.Pop(saved.m)) Replace(saved);
}

}  // namespace ov

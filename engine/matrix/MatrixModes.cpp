#include "engine/matrix/MatrixModes.h"

#include "engine/render/RenderContext.h"

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

Matrix4 MatrixModes::Current() const {
    return Of(mode_);
}

void MatrixModes::Replace(const Matrix4& matrix) {
    if (mode_ == kProjection) {
        Render().SetProjection(matrix.m);
    } else {
        Render().SetModelView(matrix.m);
    }
}

void MatrixModes::Multiply(const Matrix4& factor) {
    Replace(Current() * factor);
}

void MatrixModes::Push() {
    Stack().Push(Current());
}

void MatrixModes::Pop() {
    Matrix4 saved;
    if (Stack().Pop(saved)) Replace(saved);
}

MatrixModes& Matrices() {
    static MatrixModes modes;
    return modes;
}

}  // namespace ov

#include "ovcore/engine/render/SpriteQuad.h"

#include "ovcore/engine/matrix/Matrix4.h"
#include "ovcore/engine/render/Batch.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ov {

namespace {

// The matrix the translate, rotate and scale steps build, made in place.
Matrix4 SpriteMatrix(const double* translate, const double* turns, const double* scale) {
    if (turns[0] == 0.0 && turns[1] == 0.0) return Matrix4::PlanePlacement(translate, turns[2], scale);
    Matrix4 matrix = Matrix4::Identity();
    TranslateInPlace(matrix.m, translate[0], translate[1], translate[2]);
    if (turns[0] != 0.0) RotateInPlace(matrix.m, turns[0], 1, 0, 0);
    if (turns[1] != 0.0) RotateInPlace(matrix.m, turns[1], 0, 1, 0);
    if (turns[2] != 0.0) RotateInPlace(matrix.m, turns[2], 0, 0, 1);
    ScaleInPlace(matrix.m, scale[0], scale[1], scale[2]);
    return matrix;
}

// The four vertices in one pass, with the perspective row applied only when
// the matrix has one.
template <bool kAffine>
void WriteQuad(BatchVertex* quad, const double* m, const double* corners, const double* coords,
               const VertexStyle& style) {
    const ModelViewTransform transform{m, kAffine};
    for (int corner = 0; corner < 4; ++corner) {
        const double* p = corners + corner * 4;
        BatchVertex vertex;
        transform.Place(p[0], p[1], p[2], p[3], vertex);
        vertex.s = static_cast<float>(coords[corner * 4]);
        vertex.t = static_cast<float>(coords[corner * 4 + 1]);
        std::memcpy(vertex.rgba, style.rgba, sizeof(vertex.rgba));
        vertex.unit = style.unit;
        std::memset(vertex.padding, 0, sizeof(vertex.padding));
        quad[corner] = vertex;
    }
}

using DoublePair = double __attribute__((vector_size(16)));
using FloatPair = float __attribute__((vector_size(8)));
// What comparing two pairs gives: all bits set in each lane that holds.
using LanesTrue = long long __attribute__((vector_size(16)));
static_assert(offsetof(BatchVertex, y) == offsetof(BatchVertex, x) + sizeof(float));
static_assert(offsetof(BatchVertex, t) == offsetof(BatchVertex, s) + sizeof(float));

// Corners on the plane z = 0 with w = 1 at finite x and y, as a sprite's
// are. A product with zero is zero only for a finite number. Lane by lane
// and without branches, as sprites ask this for every quad.
bool FlatCorners(const double* corners) {
    DoublePair zeroes = {0.0, 0.0};
    LanesTrue flat = {-1, -1};
    for (int corner = 0; corner < 4; ++corner) {
        DoublePair xy, zw;
        std::memcpy(&xy, corners + corner * 4, sizeof(xy));
        std::memcpy(&zw, corners + corner * 4 + 2, sizeof(zw));
        zeroes += xy * 0.0;
        flat &= zw == DoublePair{0.0, 1.0};
    }
    flat &= zeroes == DoublePair{0.0, 0.0};
    return (flat[0] & flat[1]) != 0;
}

// A turn about z between translation and scaling, applied to flat corners.
// Of the full product's terms, those of z and w are zeros and ones there: x
// and y keep two products each, summed in the same order, and every corner
// gets the same z, the z scale's product with zero (not a number when the
// scale is not) plus the z shift.
void AddPlaneQuad(const double* translate, double degrees, const double* scale, const double* corners,
                  const double* coords) {
    const float depth = static_cast<float>(scale[2] * 0.0 + translate[2]);
    VertexStyle style;
    BatchVertex* quad = Batch::Instance().LoneQuad(style, depth);
    if (!quad) return;
    double c, s;
    TurnCosSin(degrees, c, s);
    // x and y side by side: each lane sums its two products and its shift.
    const DoublePair across = {c * scale[0], s * scale[0]};
    const DoublePair down = {-s * scale[1], c * scale[1]};
    const DoublePair shift = {translate[0], translate[1]};
    const uint64_t styleWord = StyleWordOf(style.rgba, style.unit);
    for (int corner = 0; corner < 4; ++corner) {
        const double x = corners[corner * 4], y = corners[corner * 4 + 1];
        const DoublePair coord = {coords[corner * 4], coords[corner * 4 + 1]};
        const FloatPair placed = __builtin_convertvector(across * x + down * y + shift, FloatPair);
        const FloatPair texel = __builtin_convertvector(coord, FloatPair);
        unsigned char* out = reinterpret_cast<unsigned char*>(&quad[corner]);
        std::memcpy(out + offsetof(BatchVertex, x), &placed, sizeof(placed));
        std::memcpy(out + offsetof(BatchVertex, z), &depth, sizeof(depth));
        std::memcpy(out + offsetof(BatchVertex, s), &texel, sizeof(texel));
        std::memcpy(out + kStyleWordOffset, &styleWord, sizeof(styleWord));
    }
}

// Any other quad: the whole matrix, built in place, and the full product.
[[gnu::noinline]] void AddMatrixQuad(const double* translate, const double* turns, const double* scale,
                                     const double* corners, const double* coords) {
    const Matrix4 matrix = SpriteMatrix(translate, turns, scale);
    Batch::Instance().AddLoneQuad([&](BatchVertex* four, const VertexStyle& style) {
        if (IsAffine(matrix.m))
            WriteQuad<true>(four, matrix.m, corners, coords, style);
        else
            WriteQuad<false>(four, matrix.m, corners, coords, style);
    });
}

}  // namespace

void AddSpriteQuad(const double* translate, const double* turns, const double* scale, const double* corners,
                   const double* coords) {
    if (turns[0] == 0.0 && turns[1] == 0.0 && FlatCorners(corners)) {
        AddPlaneQuad(translate, turns[2], scale, corners, coords);
    } else {
        AddMatrixQuad(translate, turns, scale, corners, coords);
    }
}

}  // namespace ov

// The drawing functions of the engine's C interface.
#include "ovcore/engine/render/Batch.h"
#include "ovcore/engine/render/SpriteQuad.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/matrix/Matrix4.h"
#include "ovcore/engine/matrix/MatrixModes.h"
#include "ovcore/engine/texture/TextureStore.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kFloats = 2;
constexpr int kDoubles = 3;

struct ImmediateState {
    float s = 0.0f;
    float t = 0.0f;
};

ImmediateState g_immediate;

struct DrawArrays {
    int kind;
    int count;
    int components;
    const void* positions;
    const void* colours;
    const void* texcoords;
};

// Reads vertex i of the arrays into a batch vertex; N components a vertex,
// fixed at compile time so that the sprite path (quads of doubles, four
// components) reads its arrays without per-vertex branching on the layout.
template <typename Component, int N>
struct VertexReader {
    const Component* positions;
    const Component* texcoords;
    const Component* colours;
    ov::ModelViewTransform transform;
    ov::BatchVertex base;

    void Read(size_t i, ov::BatchVertex& out) const {
        out = base;
        const Component* p = positions + i * N;
        const double z = N > 2 ? static_cast<double>(p[N > 2 ? 2 : 0]) : 0.0;
        const double w = N > 3 ? static_cast<double>(p[N > 3 ? 3 : 0]) : 1.0;
        transform.Place(p[0], p[1], z, w, out);
        if (texcoords) {
            out.s = static_cast<float>(texcoords[i * N]);
            out.t = static_cast<float>(texcoords[i * N + 1]);
        }
        if (colours) {
            const Component* c = colours + i * 4;
            ov::Batch::ColourToBytes(c[0], c[1], c[2], c[3], out.rgba);
        }
    }
};

template <typename Component, int N>
void EmitVertices(const DrawArrays& arrays, int first, const ov::ModelViewTransform& transform) {
    ov::Batch& batch = ov::Batch::Instance();
    const size_t start = static_cast<size_t>(first);
    const auto* texcoords = static_cast<const Component*>(arrays.texcoords);
    const auto* colours = static_cast<const Component*>(arrays.colours);
    const ov::VertexStyle style = batch.CurrentStyle();
    const VertexReader<Component, N> reader{
        static_cast<const Component*>(arrays.positions) + start * N,
        texcoords ? texcoords + start * N : nullptr,
        colours ? colours + start * 4 : nullptr,
        transform,
        {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, {style.rgba[0], style.rgba[1], style.rgba[2], style.rgba[3]}, style.unit, {}}};
    const size_t count = static_cast<size_t>(arrays.count);
    size_t i = 0;
    if (arrays.kind == ov::kPrimitiveQuads) {
        for (; i + 4 <= count; i += 4) {
            ov::BatchVertex quad[4];
            for (size_t corner = 0; corner < 4; ++corner) reader.Read(i + corner, quad[corner]);
            if (!batch.AddQuad(quad)) break;
        }
    }
    for (; i < count; ++i) {
        ov::BatchVertex vertex;
        reader.Read(i, vertex);
        batch.AddPlaced(vertex);
    }
}

template <typename Component>
void Emit(const DrawArrays& arrays, int first) {
    const ov::ModelViewTransform transform = ov::Batch::Instance().CurrentModelView();
    switch (arrays.components) {
    case 2: EmitVertices<Component, 2>(arrays, first, transform); break;
    case 3: EmitVertices<Component, 3>(arrays, first, transform); break;
    default: EmitVertices<Component, 4>(arrays, first, transform); break;
    }
}

void DrawTransformedQuadBySteps(OvHandle texture, const double* translate, const double* turns, const double* scale,
                                const double* corners, const double* coords) {
    OvMatrixPush();
    OvMatrixIdentity();
    OvMatrixTranslate(translate[0], translate[1], translate[2]);
    OvMatrixRotate(turns[0], 1, 0, 0);
    OvMatrixRotate(turns[1], 0, 1, 0);
    OvMatrixRotate(turns[2], 0, 0, 1);
    OvMatrixScale(scale[0], scale[1], scale[2]);
    OvTextureActivate(texture);
    OvDrawData(ov::kPrimitiveQuads, 0, 4, corners, nullptr, coords, nullptr, nullptr, kDoubles, 0, 0, 0, 0, 0, 0, 4, 0,
               0, 0, 0, 0, 0, 0);
    OvMatrixPop();
}

}  // namespace

extern "C" OV_API void OvPrimitiveBegin(int kind) { ov::Batch::Instance().Begin(kind); }

extern "C" OV_API void OvPutTexvertex(double s, double t, double, double) {
    g_immediate.s = static_cast<float>(s);
    g_immediate.t = static_cast<float>(t);
}

extern "C" OV_API void OvPutVertex(double x, double y, double z, double w) {
    ov::Batch& batch = ov::Batch::Instance();
    if (!batch.Open()) return;
    batch.Add(x, y, z, w, g_immediate.s, g_immediate.t, batch.CurrentStyle());
}

extern "C" OV_API void OvPrimitiveEnd(void) { ov::Batch::Instance().End(); }

extern "C" OV_API void OvDrawData(int kind, int first, int count, const void* positions, const void* colours,
                                  const void* texcoords, const void*, const void*, int componentType, int, int, int,
                                  int, int, int, int componentsPerVertex, int, int, int, int, int, int, int) {
    if (first < 0 || count <= 0 || !positions) return;
    if (componentsPerVertex < 2 || componentsPerVertex > 4) return;
    if (componentType != kFloats && componentType != kDoubles) return;
    ov::Batch& batch = ov::Batch::Instance();
    if (batch.Open() || !batch.Begin(kind)) return;
    DrawArrays arrays{kind, count, componentsPerVertex, positions, colours, texcoords};
    if (componentType == kDoubles) {
        Emit<double>(arrays, first);
    } else {
        Emit<float>(arrays, first);
    }
    batch.End();
}

extern "C" OV_API void OvDrawTransformedQuad(OvHandle texture, const double* translate, const double* turns,
                                             const double* scale, const double* corners, const double* coords) {
    if (!translate || !turns || !scale || !corners || !coords) return;
    if (ov::Matrices().Selected() != ov::MatrixModes::kModelView) {
        DrawTransformedQuadBySteps(texture, translate, turns, scale, corners, coords);
        return;
    }
    ov::Textures().Activate(texture);
    ov::AddSpriteQuad(translate, turns, scale, corners, coords);
}

extern "C" OV_API int OvVertexBufferInit(void) {
    return ov::Batch::Instance().Reserve(ov::BatchBuffer::kDefaultVertices) ? 0 : 1;
}

extern "C" OV_API int OvVertexBufferReserve(int vertices) {
    if (vertices <= 0) return 0;
    return ov::Batch::Instance().Reserve(static_cast<uint32_t>(vertices)) ? 1 : 0;
}

extern "C" OV_API void OvRenderStatistics(int* drawCalls, int* vertices) {
    ov::BatchStatistics taken = ov::Batch::Instance().TakeStatistics();
    if (drawCalls) *drawCalls = static_cast<int>(taken.drawCalls);
    if (vertices) *vertices = static_cast<int>(taken.vertices);
}

// The drawing functions of the engine's C interface.
#include "engine/Batch.h"
#include "engine/OrvoCore.h"

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
    int count;
    int components;
    const void* positions;
    const void* colours;
    const void* texcoords;
};

template <typename Component>
void Emit(const DrawArrays& arrays, int first) {
    ov::Batch& batch = ov::Batch::Instance();
    const auto* positions = static_cast<const Component*>(arrays.positions) + static_cast<size_t>(first) * arrays.components;
    const auto* texcoords = static_cast<const Component*>(arrays.texcoords);
    const auto* colours = static_cast<const Component*>(arrays.colours);
    if (texcoords) texcoords += static_cast<size_t>(first) * arrays.components;
    if (colours) colours += static_cast<size_t>(first) * 4;
    ov::VertexStyle style = batch.CurrentStyle();
    const int components = arrays.components;
    for (int i = 0; i < arrays.count; ++i) {
        const Component* p = positions + static_cast<size_t>(i) * components;
        double z = components > 2 ? static_cast<double>(p[2]) : 0.0;
        double w = components > 3 ? static_cast<double>(p[3]) : 1.0;
        float s = 0.0f, t = 0.0f;
        if (texcoords) {
            s = static_cast<float>(texcoords[static_cast<size_t>(i) * components]);
            t = static_cast<float>(texcoords[static_cast<size_t>(i) * components + 1]);
        }
        if (colours) {
            const Component* c = colours + static_cast<size_t>(i) * 4;
            ov::Batch::ColourToBytes(c[0], c[1], c[2], c[3], style.rgba);
        }
        batch.Add(p[0], p[1], z, w, s, t, style);
    }
}

}  // namespace

extern "C" OV_API void OvPrimitiveBegin(int kind) {
    ov::Batch::Instance().Begin(kind);
}

extern "C" OV_API void OvPutTexvertex(double s, double t, double, double) {
    g_immediate.s = static_cast<float>(s);
    g_immediate.t = static_cast<float>(t);
}

extern "C" OV_API void OvPutVertex(double x, double y, double z, double w) {
    ov::Batch& batch = ov::Batch::Instance();
    if (!batch.Open()) return;
    batch.Add(x, y, z, w, g_immediate.s, g_immediate.t, batch.CurrentStyle());
}

extern "C" OV_API void OvPrimitiveEnd(void) {
    ov::Batch::Instance().End();
}

extern "C" OV_API void OvDrawData(int kind, int first, int count, const void* positions, const void* colours,
                                  const void* texcoords, const void*, const void*, int componentType, int, int,
                                  int, int, int, int, int componentsPerVertex, int, int, int, int, int, int,
                                  int) {
    if (first < 0 || count <= 0 || !positions) return;
    if (componentsPerVertex < 2 || componentsPerVertex > 4) return;
    if (componentType != kFloats && componentType != kDoubles) return;
    ov::Batch& batch = ov::Batch::Instance();
    if (batch.Open() || !batch.Begin(kind)) return;
    DrawArrays arrays{count, componentsPerVertex, positions, colours, texcoords};
    if (componentType == kDoubles) {
        Emit<double>(arrays, first);
    } else {
        Emit<float>(arrays, first);
    }
    batch.End();
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

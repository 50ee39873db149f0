#include "ovcore/engine/render/Batch.h"

#include "ovcore/engine/render/RenderContext.h"
#include "ovcore/engine/render/StateTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ov {

Batch::Batch() : assembler_(buffer_, &Batch::MakeRoomInstance) {}

// The buffer is full in the middle of drawing, with a target current: the
// drawing goes on in a fresh window.
void Batch::MakeRoomInstance() {
    Batch& batch = Instance();
    batch.Submit();
    if (Render().Ready() && batch.gl_.Ensure()) batch.BorrowWindow();
    batch.assembler_.Resume();
}

bool Batch::Reserve(uint32_t vertices) {
    if (assembler_.Open()) return false;
    Flush();
    return buffer_.Reserve(vertices);
}

bool Batch::PrepareEmpty() {
    if (!buffer_.Reserved() && !buffer_.Reserve(BatchBuffer::kDefaultVertices)) return false;
    if (!gl_.Ensure()) return false;
    if (textures_.Limit() != gl_.TextureUnits()) textures_.SetLimit(gl_.TextureUnits());
    if (boundUnit_ >= textures_.Limit()) {
        // The bound texture's unit is beyond a new context's units: it takes
        // another.
        const unsigned name = boundName_;
        boundName_ = 0;
        boundUnit_ = -1;
        BindTexture(name);
    }
    if (!buffer_.InWindow()) BorrowWindow();
    return true;
}

// Vertices written into GL's memory reach it without a copy. A window is
// borrowed only while a target is current, and every flush returns it, so
// the flush that comes with any change of target or shutdown does too.
void Batch::BorrowWindow() {
    uint32_t lent = 0;
    BatchVertex* window = gl_.LendVertices(buffer_.Capacity(), buffer_.Capacity(), lent);
    if (window) buffer_.UseWindow(window, lent);
}

void Batch::RebindTexture(unsigned glName) {
    if (glName != 0 && glName == boundName_ && boundUnit_ >= 0) return;
    // A program of the user's samples one texture, on unit 0.
    if (programs_.Any() && glName != boundName_ && glName != 0) Flush();
    boundName_ = glName;
    boundUnit_ = -1;
    if (glName == 0) return;
    int unit = textures_.Acquire(glName);
    if (unit < 0) {
        Flush();
        unit = textures_.Acquire(glName);
    }
    boundUnit_ = unit;
}

void Batch::UsePrograms(const UserPrograms& programs) {
    if (programs == programs_) return;
    Flush();
    programs_ = programs;
}

void Batch::Flush() {
    Submit();
    assembler_.Resume();
}

// Drawing that cannot reach a live target is dropped rather than kept for
// whichever target comes next.
void Batch::Submit() {
    if (!buffer_.Empty() && Render().Ready()) {
        BatchDraw draw;
        draw.primitiveClass = buffer_.Class();
        draw.vertices = buffer_.Vertices();
        draw.vertexCount = buffer_.VertexCount();
        draw.vertexSummary = buffer_.Summary();
        draw.capacity = buffer_.Capacity();
        draw.projection = Render().Projection();
        draw.textures = &textures_;
        draw.pointSprites = States().PointSprites();
        draw.smoothPoints = States().SmoothPoints();
        draw.programs = programs_;
        if (gl_.Draw(draw)) {
            ++statistics_.drawCalls;
            statistics_.vertices += buffer_.VertexCount();
        }
    }
    buffer_.Clear();
    textures_.ReleaseAllBut(boundUnit_);
}

bool Batch::Begin(int kind) {
    if (!Ready()) {
        assembler_.End();
        return false;
    }
    return assembler_.Begin(kind);
}

void Batch::Add(double x, double y, double z, double w, float s, float t, const VertexStyle& style) {
    if (!assembler_.Open()) return;
    BatchVertex vertex{0.0f,       0.0f, 0.0f, s, t, {style.rgba[0], style.rgba[1], style.rgba[2], style.rgba[3]},
                       style.unit, {}};
    CurrentModelView().Place(x, y, z, w, vertex);
    assembler_.Add(vertex);
}

ModelViewTransform Batch::CurrentModelView() const {
    const double* m = Render().ModelView();
    return {m, IsAffine(m)};
}

void Batch::End() { assembler_.End(); }

void Batch::NoteColour(const double* colour) const {
    std::memcpy(styleColour_, colour, sizeof(styleColour_));
    ColourToBytes(colour[0], colour[1], colour[2], colour[3], styleBytes_);
}

void Batch::ColourToBytes(double r, double g, double b, double a, uint8_t* rgba) {
    const double channels[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) {
        double value = std::isnan(channels[i]) ? 0.0 : std::clamp(channels[i], 0.0, 1.0);
        rgba[i] = static_cast<uint8_t>(std::lround(value * 255.0));
    }
}

BatchStatistics Batch::TakeStatistics() {
    BatchStatistics taken = statistics_;
    statistics_ = BatchStatistics{};
    return taken;
}

}  // namespace ov

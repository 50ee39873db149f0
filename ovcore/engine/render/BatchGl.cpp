#include "ovcore/engine/render/BatchGl.h"

#include "ovcore/engine/render/BatchShaders.h"
#include "ovcore/engine/render/RenderContext.h"

#include <epoxy/gl.h>

#include <cstdio>
#include <cstring>

namespace ov {

namespace {

unsigned g_labelSerial = 0;

bool HasObjectLabels() { return epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_KHR_debug"); }

void ToFloats(const double* matrix, GLfloat* out) {
    for (int i = 0; i < 16; ++i) out[i] = static_cast<GLfloat>(matrix[i]);
}

// The bound texture's filters read no mipmap and treat minification and
// magnification alike, so the level of detail cannot change its texels.
bool SamplesOneLevelAlike() {
    GLint minFilter = 0, magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    return (minFilter == GL_NEAREST || minFilter == GL_LINEAR) && minFilter == magFilter;
}

// The projection (column-major) scales and shifts x, y and z each on its
// own, with nothing in the w row: the clip position of a point at one depth
// needs two products and a constant.
bool ScalesAndShiftsOnly(const double* m) {
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 11}) {
        if (m[i] != 0.0) return false;
    }
    return m[15] == 1.0;
}

// The planar variant's uniforms from the projection in floats. The depth
// is the product and sum the full projection takes in the shader.
void SetPlaneUniforms(const BatchProgram& program, const GLfloat* projection, float depth) {
    glUniform4f(program.plane, projection[0], projection[5], projection[12], projection[13]);
    float clipDepth = projection[10] * depth;
    clipDepth += projection[14];
    glUniform1f(program.depth, clipDepth);
}

constexpr GLuint kAttributes[] = {kAttributePosition, kAttributeTexcoord, kAttributeColour, kAttributeUnit};

}  // namespace

// A context switch may mean a new object namespace (the engine was closed
// and started again), in which the old names are dead or someone else's.
bool BatchGl::StillOurs() const {
    if (!glIsBuffer(marker_)) return false;
    if (!HasObjectLabels()) return true;
    char label[sizeof(label_)] = {};
    GLsizei length = 0;
    glGetObjectLabel(GL_BUFFER, marker_, sizeof(label), &length, label);
    return std::strcmp(label, label_) == 0;
}

void BatchGl::Forget() {
    marker_ = 0;
    programs_.Forget();
    stream_.Forget();
}

bool BatchGl::EnsureSlow() {
    if (checkedActivation_ != Render().Activations()) {
        checkedActivation_ = Render().Activations();
        failed_ = false;
        if (marker_ && !StillOurs()) Forget();
    }
    if (marker_) return true;
    if (failed_) return false;
    failed_ = !Create();
    return !failed_;
}

bool BatchGl::Create() {
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
    textureUnits_ = units < 1 ? 1 : units > BatchTextures::kMaximumUnits ? BatchTextures::kMaximumUnits : units;
    if (!programs_.Get(ShaderVariant{}, textureUnits_)) return false;
    glGenBuffers(1, &marker_);
    // A buffer name becomes a buffer object only once bound.
    glBindBuffer(GL_ARRAY_BUFFER, marker_);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (HasObjectLabels()) {
        std::snprintf(label_, sizeof(label_), "ov batch %u", ++g_labelSerial);
        glObjectLabel(GL_BUFFER, marker_, -1, label_);
    }
    return true;
}

BatchProgram* BatchGl::VariantFor(const BatchDraw& draw, bool levelFree) {
    const TextureUsage usage = draw.textures->Usage();
    const VertexSummary& summary = draw.vertexSummary;
    ShaderVariant variant;
    variant.points = draw.primitiveClass == PrimitiveClass::Points;
    variant.uniformColour = summary.SameColour();
    variant.white = summary.SameColour() && summary.FirstColour() == 0xFFFFFFFFu;
    variant.someUntextured = summary.AnyUntextured();
    variant.samplers = summary.TexturedUnits() == 0 ? 0 : usage.units <= 1 ? usage.units : usage.end;
    variant.levelFree = levelFree;
    variant.planar = summary.OneDepth() && ScalesAndShiftsOnly(draw.projection);
    BatchProgram* program = programs_.Get(variant, textureUnits_);
    if (!program) return nullptr;
    glUseProgram(program->name);
    if (program->sampler >= 0 && program->samplerUnit != usage.first) {
        glUniform1i(program->sampler, usage.first);
        program->samplerUnit = usage.first;
    }
    if (program->colour >= 0) {
        uint8_t rgba[4];
        const uint32_t colour = summary.FirstColour();
        std::memcpy(rgba, &colour, sizeof(rgba));
        constexpr float kScale = 1.0f / 255.0f;
        glUniform4f(program->colour, rgba[0] * kScale, rgba[1] * kScale, rgba[2] * kScale, rgba[3] * kScale);
    }
    return program;
}

void BatchGl::SetUpAttributes(size_t offset, const BatchProgram& program) {
    const GLsizei stride = sizeof(BatchVertex);
    auto at = [offset](size_t field) { return reinterpret_cast<const void*>(offset + field); };
    const GLint positionSize = program.plane >= 0 ? 2 : 3;
    glVertexAttribPointer(kAttributePosition, positionSize, GL_FLOAT, GL_FALSE, stride, at(offsetof(BatchVertex, x)));
    glVertexAttribPointer(kAttributeTexcoord, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(BatchVertex, s)));
    glVertexAttribPointer(kAttributeColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(BatchVertex, rgba)));
    glVertexAttribPointer(kAttributeUnit, 1, GL_UNSIGNED_BYTE, GL_FALSE, stride, at(offsetof(BatchVertex, unit)));
    for (GLuint attribute : kAttributes) {
        if (program.attributes & (1u << attribute)) glEnableVertexAttribArray(attribute);
    }
}

bool BatchGl::BindTextures(const BatchTextures& textures) {
    bool levelFree = true;
    for (int unit = 0; unit < textures.Limit(); ++unit) {
        if (textures.NameAt(unit) == 0) continue;
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, textures.NameAt(unit));
        levelFree = levelFree && SamplesOneLevelAlike();
    }
    glActiveTexture(GL_TEXTURE0);
    return levelFree;
}

void BatchGl::SetUniforms(const BatchDraw& draw, const BatchProgram& own) const {
    GLfloat projection[16];
    ToFloats(draw.projection, projection);
    if (own.plane >= 0)
        SetPlaneUniforms(own, projection, draw.vertexSummary.Depth());
    else
        glUniformMatrix4fv(own.projection, 1, GL_FALSE, projection);
    if (own.pointSprite >= 0) glUniform1i(own.pointSprite, draw.pointSprites ? 1 : 0);
    if (own.smoothPoints >= 0) glUniform1i(own.smoothPoints, draw.smoothPoints ? 1 : 0);
}

bool BatchGl::Issue(const BatchDraw& draw, const BatchProgram* own) {
    const bool builtIns = own == nullptr;
    size_t offset = stream_.Upload(draw.vertices, draw.vertexCount, draw.capacity);
    if (offset == BatchStream::kNoOffset) return false;
    glBindBuffer(GL_ARRAY_BUFFER, stream_.VertexBuffer());
    if (builtIns)
        SetUpBuiltIns(offset);
    else
        SetUpAttributes(offset, *own);
    bool drawn = true;
    if (draw.primitiveClass == PrimitiveClass::Triangles) {
        uint32_t quads = draw.vertexCount / 4;
        drawn = stream_.BindQuadIndices(quads, draw.capacity);
        if (drawn) glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(quads * 6), GL_UNSIGNED_INT, nullptr);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    } else {
        GLenum mode = draw.primitiveClass == PrimitiveClass::Lines ? GL_LINES : GL_POINTS;
        glDrawArrays(mode, 0, static_cast<GLsizei>(draw.vertexCount));
    }
    stream_.Fence();
    if (builtIns)
        TearDownBuiltIns();
    else
        for (GLuint attribute : kAttributes) glDisableVertexAttribArray(attribute);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return drawn;
}

bool BatchGl::DrawOwn(const BatchDraw& draw) {
    const bool levelFree = BindTextures(*draw.textures);
    BatchProgram* own = VariantFor(draw, levelFree);
    if (!own) return false;
    SetUniforms(draw, *own);
    bool points = draw.primitiveClass == PrimitiveClass::Points;
    bool sprites = points && (draw.pointSprites || draw.smoothPoints);
    if (sprites) glEnable(GL_POINT_SPRITE);
    bool drawn = Issue(draw, own);
    if (sprites) glDisable(GL_POINT_SPRITE);
    glUseProgram(0);
    return drawn;
}

bool BatchGl::Draw(const BatchDraw& draw) {
    if (draw.vertexCount == 0 || draw.primitiveClass == PrimitiveClass::None) return false;
    if (!Ensure()) return false;
    return draw.programs.Any() ? DrawUser(draw) : DrawOwn(draw);
}

}  // namespace ov

#include "engine/BatchGl.h"

#include "engine/BatchShaders.h"
#include "engine/RenderContext.h"

#include <epoxy/gl.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace ov {

namespace {

unsigned g_labelSerial = 0;

bool HasObjectLabels() {
    return epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_KHR_debug");
}

GLuint CompileShader(GLenum type, const char* source) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled) return shader;
    glDeleteShader(shader);
    return 0;
}

GLuint LinkProgram(GLuint vertexShader, GLuint fragmentShader) {
    GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glBindAttribLocation(program, kAttributePosition, "aPosition");
    glBindAttribLocation(program, kAttributeTexcoord, "aTexcoord");
    glBindAttribLocation(program, kAttributeColour, "aColour");
    glBindAttribLocation(program, kAttributeUnit, "aUnit");
    glBindFragDataLocation(program, 0, "fragColour");
    glLinkProgram(program);
    glDetachShader(program, vertexShader);
    glDetachShader(program, fragmentShader);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked) return program;
    glDeleteProgram(program);
    return 0;
}

void ToFloats(const double* matrix, GLfloat* out) {
    for (int i = 0; i < 16; ++i) out[i] = static_cast<GLfloat>(matrix[i]);
}

}  // namespace

// A context switch may mean a new object namespace (the engine was closed
// and started again), in which the old names are dead or someone else's.
bool BatchGl::StillOurs() const {
    if (!glIsProgram(program_) || !glIsBuffer(vertexBuffer_) || !glIsBuffer(indexBuffer_)) return false;
    if (!HasObjectLabels()) return true;
    char label[sizeof(label_)] = {};
    GLsizei length = 0;
    glGetObjectLabel(GL_PROGRAM, program_, sizeof(label), &length, label);
    return std::strcmp(label, label_) == 0;
}

bool BatchGl::Ensure() {
    if (checkedActivation_ != Render().Activations()) {
        checkedActivation_ = Render().Activations();
        failed_ = false;
        if (program_ && !StillOurs()) program_ = vertexBuffer_ = indexBuffer_ = 0;
    }
    if (program_) return true;
    if (failed_) return false;
    failed_ = !Create();
    return !failed_;
}

bool BatchGl::Create() {
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
    textureUnits_ = units < 1 ? 1 : units > BatchTextures::kMaximumUnits ? BatchTextures::kMaximumUnits : units;
    GLuint vertexShader = CompileShader(GL_VERTEX_SHADER, BatchVertexShaderSource());
    GLuint fragmentShader = CompileShader(GL_FRAGMENT_SHADER, BatchFragmentShaderSource(textureUnits_).c_str());
    GLuint program = vertexShader && fragmentShader ? LinkProgram(vertexShader, fragmentShader) : 0;
    if (vertexShader) glDeleteShader(vertexShader);
    if (fragmentShader) glDeleteShader(fragmentShader);
    if (!program) return false;
    program_ = program;
    projectionLocation_ = glGetUniformLocation(program_, "uProjection");
    pointSpriteLocation_ = glGetUniformLocation(program_, "uPointSprite");
    smoothPointsLocation_ = glGetUniformLocation(program_, "uSmoothPoints");
    glUseProgram(program_);
    for (int unit = 0; unit < textureUnits_; ++unit) {
        std::string name = "uTexture" + std::to_string(unit);
        glUniform1i(glGetUniformLocation(program_, name.c_str()), unit);
    }
    glUseProgram(0);
    GLuint buffers[2] = {};
    glGenBuffers(2, buffers);
    vertexBuffer_ = buffers[0];
    indexBuffer_ = buffers[1];
    // A buffer name becomes a buffer object only once bound.
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, indexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    LabelProgram();
    return true;
}

void BatchGl::LabelProgram() {
    if (!HasObjectLabels()) return;
    std::snprintf(label_, sizeof(label_), "ov batch %u", ++g_labelSerial);
    glObjectLabel(GL_PROGRAM, program_, -1, label_);
}

void BatchGl::SetUpAttributes() const {
    const GLsizei stride = sizeof(BatchVertex);
    glVertexAttribPointer(kAttributePosition, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(BatchVertex, x)));
    glVertexAttribPointer(kAttributeTexcoord, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(BatchVertex, s)));
    glVertexAttribPointer(kAttributeColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(BatchVertex, rgba)));
    glVertexAttribPointer(kAttributeUnit, 1, GL_UNSIGNED_BYTE, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(BatchVertex, unit)));
    for (GLuint attribute : {kAttributePosition, kAttributeTexcoord, kAttributeColour, kAttributeUnit}) {
        glEnableVertexAttribArray(attribute);
    }
}

void BatchGl::BindTextures(const BatchTextures& textures) const {
    for (int unit = 0; unit < textures.Limit(); ++unit) {
        if (textures.NameAt(unit) == 0) continue;
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, textures.NameAt(unit));
    }
    glActiveTexture(GL_TEXTURE0);
}

void BatchGl::SetUniforms(const BatchDraw& draw) const {
    GLfloat projection[16];
    ToFloats(draw.projection, projection);
    bool own = draw.program == 0;
    GLuint program = own ? program_ : draw.program;
    GLint projectionLocation = own ? projectionLocation_ : glGetUniformLocation(program, "uProjection");
    GLint spriteLocation = own ? pointSpriteLocation_ : glGetUniformLocation(program, "uPointSprite");
    GLint smoothLocation = own ? smoothPointsLocation_ : glGetUniformLocation(program, "uSmoothPoints");
    glUniformMatrix4fv(projectionLocation, 1, GL_FALSE, projection);
    glUniform1i(spriteLocation, draw.pointSprites ? 1 : 0);
    glUniform1i(smoothLocation, draw.smoothPoints ? 1 : 0);
}

bool BatchGl::Draw(const BatchDraw& draw) {
    bool points = draw.primitiveClass == PrimitiveClass::Points;
    if (draw.vertexCount == 0 || (!points && draw.indexCount == 0)) return false;
    if (!Ensure()) return false;
    glUseProgram(draw.program ? draw.program : program_);
    SetUniforms(draw);
    BindTextures(*draw.textures);
    bool sprites = points && (draw.pointSprites || draw.smoothPoints);
    if (sprites) glEnable(GL_POINT_SPRITE);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(draw.vertexCount * sizeof(BatchVertex)),
                 draw.vertices, GL_STREAM_DRAW);
    SetUpAttributes();
    if (points) {
        glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(draw.vertexCount));
    } else {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(draw.indexCount * sizeof(uint32_t)),
                     draw.indices, GL_STREAM_DRAW);
        GLenum mode = draw.primitiveClass == PrimitiveClass::Lines ? GL_LINES : GL_TRIANGLES;
        glDrawElements(mode, static_cast<GLsizei>(draw.indexCount), GL_UNSIGNED_INT, nullptr);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }
    for (GLuint attribute : {kAttributePosition, kAttributeTexcoord, kAttributeColour, kAttributeUnit}) {
        glDisableVertexAttribArray(attribute);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (sprites) glDisable(GL_POINT_SPRITE);
    glUseProgram(0);
    return true;
}

}  // namespace ov

// Drawing a batch with programs of the user's: the vertices reach them
// through the compatibility profile's built-in arrays and matrices, as if
// they had been drawn with glVertex, glColor and glTexCoord.
#include "ovcore/engine/render/BatchGl.h"

#include <epoxy/gl.h>

#include <bit>
#include <cstddef>

namespace ov {

namespace {

// The batch's texture, or 0: with programs of the user's a batch holds one
// texture at most.
unsigned FirstTexture(const BatchDraw& draw) {
    const uint32_t units = draw.vertexSummary.TexturedUnits();
    return units == 0 ? 0 : draw.textures->NameAt(std::countr_zero(units));
}

// The vertices are already in eye space: the model view stays the identity.
void LoadFixedMatrices(const double* projection) {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void EnableAssembly(GLenum target, unsigned program) {
    if (program == 0) return;
    glEnable(target);
    glBindProgramARB(target, program);
}

}  // namespace

void BatchGl::SetUpBuiltIns(size_t offset) {
    const GLsizei stride = sizeof(BatchVertex);
    auto at = [offset](size_t field) { return reinterpret_cast<const void*>(offset + field); };
    glVertexPointer(3, GL_FLOAT, stride, at(offsetof(BatchVertex, x)));
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, at(offsetof(BatchVertex, rgba)));
    glClientActiveTexture(GL_TEXTURE0);
    glTexCoordPointer(2, GL_FLOAT, stride, at(offsetof(BatchVertex, s)));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void BatchGl::TearDownBuiltIns() {
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

bool BatchGl::DrawUser(const BatchDraw& draw) {
    const UserPrograms& programs = draw.programs;
    glUseProgram(programs.glsl);
    if (programs.glsl == 0) {
        EnableAssembly(GL_VERTEX_PROGRAM_ARB, programs.assemblyVertex);
        EnableAssembly(GL_FRAGMENT_PROGRAM_ARB, programs.assemblyFragment);
    }
    LoadFixedMatrices(draw.projection);
    const unsigned texture = FirstTexture(draw);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Without a fragment program of the user's the fixed-function stage
    // colours the fragments: it modulates by the texture where there is one.
    const bool fixedFragments = programs.glsl == 0 && programs.assemblyFragment == 0;
    if (fixedFragments && texture != 0) glEnable(GL_TEXTURE_2D);
    bool drawn = Issue(draw, nullptr);
    if (fixedFragments && texture != 0) glDisable(GL_TEXTURE_2D);
    if (programs.glsl == 0 && programs.assemblyVertex != 0) glDisable(GL_VERTEX_PROGRAM_ARB);
    if (programs.glsl == 0 && programs.assemblyFragment != 0) glDisable(GL_FRAGMENT_PROGRAM_ARB);
    glUseProgram(0);
    return drawn;
}

}  // namespace ov

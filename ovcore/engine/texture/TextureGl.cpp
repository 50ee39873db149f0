#include "ovcore/engine/texture/TextureGl.h"

#include "ovcore/platform/Diagnostics.h"

#include <SDL2/SDL.h>
#include <epoxy/gl.h>

namespace ov {

namespace {

// Binds a texture for the scope and puts the previous binding back.
class ScopedTextureBinding {
public:
    explicit ScopedTextureBinding(unsigned glName) {
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous_);
        glBindTexture(GL_TEXTURE_2D, glName);
    }
    ~ScopedTextureBinding() { glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous_)); }
    ScopedTextureBinding(const ScopedTextureBinding&) = delete;
    ScopedTextureBinding& operator=(const ScopedTextureBinding&) = delete;

private:
    GLint previous_ = 0;
};

// Earlier, unrelated errors must not be taken for ours.
void ClearGlErrors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

// True when GL took the last calls; else reports what `what` ran into.
bool GlSucceeded(const char* what, int width, int height) {
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR) return true;
    PlatformReportFailure("engine: GL error 0x%04X: %s %d x %d", error, what, width, height);
    return false;
}

}  // namespace

bool GlAvailable() { return SDL_GL_GetCurrentContext() != nullptr; }

int MaxTextureSide() {
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side;
}

bool UploadTexture(unsigned& glName, int width, int height, const uint8_t* rgba) {
    if (width > MaxTextureSide() || height > MaxTextureSide()) {
        PlatformReportFailure("engine: texture refused: %d x %d: larger than this GL's limit of %d", width, height,
                              MaxTextureSide());
        return false;
    }
    ClearGlErrors();
    const bool created = glName == 0;
    if (created) glGenTextures(1, &glName);
    if (glName == 0) return false;
    {
        ScopedTextureBinding binding(glName);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        if (created) {
            // The default minifying filter wants mipmaps, without which the texture would not draw.
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        }
    }
    if (GlSucceeded("uploading texture", width, height)) return true;
    if (created) {
        glDeleteTextures(1, &glName);
        glName = 0;
    }
    return false;
}

bool UpdateTexture(unsigned glName, int width, int height, const uint8_t* rgba) {
    ClearGlErrors();
    ScopedTextureBinding binding(glName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return GlSucceeded("updating texture", width, height);
}

bool UpdateTextureRegion(unsigned glName, int x, int y, int width, int height, const uint8_t* rgba) {
    ClearGlErrors();
    ScopedTextureBinding binding(glName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return GlSucceeded("updating texture region", width, height);
}

bool ReadTexture(unsigned glName, uint8_t* rgba) {
    ClearGlErrors();
    ScopedTextureBinding binding(glName);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return glGetError() == GL_NO_ERROR;
}

void SetTextureParameter(unsigned glName, unsigned parameter, int value) {
    ScopedTextureBinding binding(glName);
    glTexParameteri(GL_TEXTURE_2D, parameter, value);
}

void GenerateMipmaps(unsigned glName) {
    ScopedTextureBinding binding(glName);
    glGenerateMipmap(GL_TEXTURE_2D);
}

void DeleteTexture(unsigned glName) {
    if (glName != 0) glDeleteTextures(1, &glName);
}

}  // namespace ov

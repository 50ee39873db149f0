// Stand-ins for the renderer's binding and flush, used only while the
// library has no renderer of its own: the renderer's definitions replace
// these weak ones at link time.
#include "engine/TextureBinding.h"

#include "engine/RenderContext.h"

#include <epoxy/gl.h>

namespace ov {

__attribute__((weak)) void BindTexture(unsigned glName, int, int) {
    if (Render().Ready()) glBindTexture(GL_TEXTURE_2D, glName);
}

__attribute__((weak)) void FlushBatch() {
    Render().Flush();
}

}  // namespace ov

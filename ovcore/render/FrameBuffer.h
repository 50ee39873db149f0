#pragma once

#include "ovcore/engine/OrvoCore.h"

namespace OvCore {

// An off-screen render target with a texture behind it. While active,
// drawing goes into the texture through an orthographic view of exactly its
// pixels; Deactivate brings back the projection from before Activate.
// Activations do not nest. The owner creates and destroys it.
class OV_FRAMEBUFFER {
public:
    OvHandle handle{1, 0};
    double savedProjection[16] = {};

    // The engine's result; the flag is passed through.
    bool Create(int width, int height, unsigned char flag);
    bool CreateFromTexture(OvHandle texture, unsigned char flag);
    void Destroy();

    // False, with nothing changed, when the engine cannot activate it.
    // flipVertically puts the texture's first row at the bottom of the view.
    bool Activate(bool flipVertically);
    // Ends drawing into the texture and leaves model-view matrix mode
    // selected. The projection is restored only after a successful Activate.
    void Deactivate(bool makeMipmaps);

    void ActivateTexture() const;
    int GetWidth() const;
    int GetHeight() const;
    OvHandle GetTexture() const;
    bool SwapTexture(OvHandle texture);
    bool UseFbo();

private:
    bool projectionSaved = false;
};

}  // namespace OvCore

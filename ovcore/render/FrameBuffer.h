// OV_FRAMEBUFFER: an off-screen render target drawing into a texture.
#pragma once

#include "ovcore/engine/OrvoCore.h"

namespace OvCore {

// An off-screen render target with a texture behind it. While active,
// drawing goes into the texture through an orthographic view of exactly its
// pixels; Deactivate brings back the projection from before Activate.
// Activations do not nest. The owner creates and destroys it.
class OV_FRAMEBUFFER {
public:
    OvHandle handle{1, 0};  // the engine frame buffer; empty before Create and after Destroy
    double savedProjection[16] = {};  // the projection matrix saved by Activate

    // The engine's result; the flag is passed through. Create makes a transparent
    // black texture of width x height pixels; CreateFromTexture draws into the given one:
    bool Create(int width, int height, unsigned char flag);
    bool CreateFromTexture(OvHandle texture, unsigned char flag);
    void Destroy();  // frees the engine frame buffer (and a texture it made)

    // False, with nothing changed, when the engine cannot activate it.
    // flipVertically puts the texture's first row at the bottom of the view.
    bool Activate(bool flipVertically);
    // Ends drawing into the texture and leaves model-view matrix mode
    // selected. The projection is restored only after a successful Activate.
    void Deactivate(bool makeMipmaps);

    void ActivateTexture() const;  // binds the frame buffer's texture for drawing
    // The texture's size in pixels; 0 without a frame buffer:
    int GetWidth() const;
    int GetHeight() const;
    OvHandle GetTexture() const;  // the texture drawn into; the empty handle without a frame buffer
    // Draws into another texture from now on (the old one stays alive); false when either is gone.
    bool SwapTexture(OvHandle texture);
    bool UseFbo();  // true when the frame buffer exists and GL has framebuffer objects

private:
    bool projectionSaved = false;
};

}  // namespace OvCore

// OV_TEXTURE: the framework's drawable image and its texture values.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/Angles.h"
#include "ovcore/foundation/Vector.h"

#include <cstdint>
#include <vector>

namespace OvCore {

// Texture parameter values (OvTextureParameter) and queries (OvTextureGet).
enum OV_TEXTURE_VALUE : int {
    TEXTURE_MIN_FILTER = OV_TEXTURE_MIN_FILTER,
    TEXTURE_MAG_FILTER = OV_TEXTURE_MAG_FILTER,
    TEXTURE_WRAP_S = OV_TEXTURE_WRAP_S,
    TEXTURE_WRAP_T = OV_TEXTURE_WRAP_T,
    TEXTURE_NEAREST = OV_TEXTURE_NEAREST,
    TEXTURE_LINEAR = OV_TEXTURE_LINEAR,
    TEXTURE_REPEAT = OV_TEXTURE_REPEAT,
    TEXTURE_CLAMP = OV_TEXTURE_CLAMP,
    TEXTURE_QUERY_WIDTH = OV_TEXTURE_WIDTH,
    TEXTURE_QUERY_HEIGHT = OV_TEXTURE_HEIGHT,
    TEXTURE_QUERY_BYTES = OV_TEXTURE_BYTES,
};

// The framework's drawable image: an ordered list of engine textures (its
// frames), one of them current, with the image size, the origin placed at
// the drawing position, a collision box, and the quad that draws it.
//
// Copies share: a copy holds the same engine texture handles (actors copy
// an entry of the texture collection by value). The engine textures belong
// to whoever created them; only that owner calls Release(false). A copy
// drops its list with Release(true). Calls on a handle that its owner has
// destroyed do nothing, so a stale copy draws nothing rather than garbage.
// Destruction does not release the frames.
class OV_TEXTURE {
public:
    bool loaded = false;  // true after a successful creation, until Release
    // The quad's corners relative to the drawing position, and their texture coordinates:
    OV_VECTOR corners[4];
    OV_VECTOR texcoords[4];
    std::vector<OvHandle> frames;  // the engine textures, in frame order
    int current = -1;  // index into frames; -1 when no frame is current
    float framePosition = -1.0f;  // the animation position in frames; -1 when no frame is current
    // The image size in pixels, the origin (the pixel at the drawing position), and
    // the collision box's size and origin in pixels:
    int32_t width = 0;
    int32_t height = 0;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t boxWidth = 0;
    int32_t boxHeight = 0;
    int32_t boxOriginX = 0;
    int32_t boxOriginY = 0;

    OV_TEXTURE();
    // Sets the geometry as SetGeometry does.
    OV_TEXTURE(int32_t width, int32_t height, int32_t originX, int32_t originY, int32_t boxWidth, int32_t boxHeight,
               int32_t boxOriginX, int32_t boxOriginY);

    // A negative box size is replaced by the image size. Rebuilds the quad.
    void SetGeometry(int32_t width, int32_t height, int32_t originX, int32_t originY, int32_t boxWidth,
                     int32_t boxHeight, int32_t boxOriginX, int32_t boxOriginY);

    // The creation operations append frames (an earlier creation's frames
    // stay), select frame 0 and take the size of the largest frame. Each is
    // false, with the object as it was, when no source gave a frame.
    // fileList: paths separated by ';' (empty pieces are skipped).
    bool Load(const char* fileList, int loadFlag, int minFilter, int magFilter, int32_t originX, int32_t originY,
              int32_t boxWidth, int32_t boxHeight, int32_t boxOriginX, int32_t boxOriginY);
    // images: count pointers to encoded images bounded by their own bytes;
    // null entries are skipped.
    bool LoadFromMemory(const void* const* images, int count, int loadFlag, int minFilter, int magFilter,
                        int32_t originX, int32_t originY, int32_t boxWidth, int32_t boxHeight, int32_t boxOriginX,
                        int32_t boxOriginY);
    // A copy of a rectangle of the current render target (x, y from its top-left).
    bool LoadFromRender(int x, int y, int width, int height, int minFilter, int magFilter, int32_t originX,
                        int32_t originY, int32_t boxWidth, int32_t boxHeight, int32_t boxOriginX, int32_t boxOriginY);
    // A transparent frame of width x height pixels.
    bool LoadEmpty(int width, int height, int minFilter, int magFilter, int32_t originX, int32_t originY,
                   int32_t boxWidth, int32_t boxHeight, int32_t boxOriginX, int32_t boxOriginY);

    void CenterOrigin();  // the origin to the middle of the image; rebuilds the quad
    void ResetBox();  // the collision box to the image size and origin

    // Selects frame trunc(index); outside the frames (or not a number) no
    // frame is current, framePosition becomes -1 and the result is false.
    bool SetFrame(float index);
    // Moves framePosition by delta, stepping the current frame by the whole
    // frames crossed, wrapping at either end. A delta that is not finite is
    // ignored.
    void Animate(float delta);
    // Refuses an empty handle.
    bool AddFrame(OvHandle handle);
    // Removes the first frame naming the same texture. The current frame
    // stays on the same texture when another was removed; when the current
    // one goes, the frame that took its place (the last, at the end) is current.
    bool RemoveFrame(OvHandle handle);
    OvHandle GetCurrentFrame() const;  // the current frame's texture; the empty handle when none is current
    int GetFrameCount() const { return static_cast<int>(frames.size()); }  // the number of frames
    float GetFramePosition() const { return framePosition; }  // the animation position (see Animate)

    // The current frame's pixels (RGBA, rows top to bottom) until Unlock;
    // null when there is no current frame or it cannot be locked.
    void* Lock(int* outWidth, int* outHeight);
    // flag non-zero uploads the locked pixels first.
    void Unlock(int flag);
    // The current frame's pixel bytes into path; a failed write leaves the
    // file that was there untouched.
    bool SaveFrame(const char* path) const;
    // Every frame that locks, as package entries "0", "1", ...
    bool SavePack(const char* path) const;

    // Destroys the frames' engine textures (unless keepEngineTextures) when
    // loaded, then empties the frame list.
    void Release(bool keepEngineTextures);

    // Drawing of the current frame (TextureDrawing.cpp); useArrays picks the
    // batched path, else the immediate one. Nothing without a current frame.
    void Draw(bool useArrays) const;
    // At position, turned (degrees: z about X, y about Y, x about Z) and scaled.
    void DrawTransformed(OV_VECTOR position, OV_ANGLES rotation, OV_VECTOR scale, bool useArrays) const;
    // Stretched over the rectangle (x1, y1)-(x2, y2), texture coordinates 0..s, 0..t.
    void DrawRect(double x1, double y1, double x2, double y2, float s, float t, bool useArrays) const;
    // Over the rectangle, the image repeated at its own size times scaleS, scaleT.
    void DrawTiled(double x1, double y1, double x2, double y2, float scaleS, float scaleT, bool useArrays) const;

private:
    // Appends handle as a frame when loader succeeds on it; otherwise the
    // engine texture is destroyed. True when a frame was added.
    template <class Loader>
    bool AddLoadedFrame(Loader loader, int minFilter, int magFilter);
    bool FinishCreation(int framesBefore, int32_t originX, int32_t originY, int32_t boxWidth, int32_t boxHeight,
                        int32_t boxOriginX, int32_t boxOriginY);
    void RebuildQuad();
    void DrawQuad(const OV_VECTOR* positions, const OV_VECTOR* coords, bool useArrays) const;
};

}  // namespace OvCore

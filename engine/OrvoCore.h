/* The engine library's public interface: a flat C ABI of Ov<Family><Verb>
 * functions over OpenGL, Box2D, Lua, libzip and sockets. Every engine object
 * is named by an 8-byte handle passed by value. */
#ifndef ORVO_CORE_H
#define ORVO_CORE_H

#include <stdint.h>

#if defined(__GNUC__)
#define OV_API __attribute__((visibility("default")))
#else
#define OV_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* An engine object's name. Live objects have word0 == 0 and a non-zero
 * word1 that is never reused. A handle is empty when the low byte of word0
 * is non-zero or word1 is 0; two handles are equal when their word1 match. */
typedef struct OvHandle {
    uint32_t word0;
    uint32_t word1;
} OvHandle;

/* ---- life ---- */
OV_API int OvInitiation(void);
OV_API void OvClosure(void);
OV_API int OvExtensions(int flags);
OV_API int OvRenderVsync(int on);

/* ---- geometry ----
 * angles and vectors are four doubles (x, y, z, w).
 * OvLengthdir: angles.x is a direction in degrees in screen space (y grows
 * downwards, so 90 points down), angles.w the length; writes (L cos a,
 * L sin a, 0, 1). OvDirection: the angle in degrees (atan2 of the difference), of the line
 * from `from` to `to`, in the same convention, into result->x. */
typedef struct OvFour {
    double x, y, z, w;
} OvFour;
OV_API void OvLengthdir(OvFour angles, OvFour* result);
OV_API void OvDirection(OvFour from, OvFour to, OvFour* result);

/* ---- render targets ---- */
OV_API int OvRenderTargetCreate(OvHandle* target, void* window, int flags, int bitsPerPixel);
OV_API void OvRenderTargetArea(OvHandle target, int x, int y, int width, int height,
                               double fieldOfView, double nearPlane, double farPlane, double scale);
OV_API int OvRenderTargetActivate(OvHandle target);
OV_API void* OvRenderTargetGet(OvHandle target, int query);
OV_API int OvRenderTargetShare(OvHandle target, OvHandle shareWith);
OV_API void OvRenderTargetDestroy(OvHandle target);
OV_API void OvRenderScene(int flags);

/* ---- state ---- */
OV_API void OvSetState(int id, ...);
OV_API void* OvGetState(int id);

/* ---- matrices and cameras ---- */
OV_API void OvCameraOrtho(double x, double y, double width, double height, double zoom);

#ifdef __cplusplus
}
#endif

#endif

/* The engine library's public interface: a flat C ABI of Ov<Family><Verb>
 * functions. Every engine object is named by an 8-byte handle passed by
 * value. */
#ifndef ORVO_CORE_H
#define ORVO_CORE_H

#include <stdint.h>

#if defined(__GNUC__)
/* Marks the library's exported functions. */
#define OV_API __attribute__((visibility("default")))
#else
/* Marks the library's exported functions. */
#define OV_API
#endif

/* The version this header describes. While the major version is 0 the
 * interface still grows and a new minor version may change it, so the
 * library's SONAME carries major and minor: libOrvoCore.so.0.1. Major,
 * minor and patch, and the three as major * 10000 + minor * 100 + patch: */
#define OV_VERSION_MAJOR 0
#define OV_VERSION_MINOR 1
#define OV_VERSION_PATCH 0
#define OV_VERSION (OV_VERSION_MAJOR * 10000 + OV_VERSION_MINOR * 100 + OV_VERSION_PATCH)

#ifdef __cplusplus
extern "C" {
#endif

/* The version of the library actually loaded, in OV_VERSION's form. */
OV_API int OvVersion(void);

/* ---- diagnostics ----
 * Failures stay silent: a refused call only returns its failure result. Its
 * reason is kept for the developer, for the platform layer, the engine and the
 * framework alike, as "<layer>: <what failed>: <path or name>[: <cause>]",
 * for example "engine: cannot open texture file: Data/a.ovt: No such file or
 * directory".
 * OvLastError: the reason of the calling thread's last failure, "" before
 * the first; valid until that thread's next failure. Success does not clear it.
 * OvLogCallback: `callback` receives every reason, on the failing thread, as
 * it is reported; a null callback removes it. With the environment variable
 * OV_LOG set (to anything but "" or "0"), every reason is also written to
 * standard error as "ov: <reason>". */
typedef void (*OvLogFunction)(const char* reason, void* user);
OV_API const char* OvLastError(void);
OV_API void OvLogCallback(OvLogFunction callback, void* user);

/* An engine object's name. Live objects have word0 == 0 and a non-zero
 * word1 that is never reused. A handle is empty when the low byte of word0
 * is non-zero or word1 is 0; two handles are equal when their word1 match. */
typedef struct OvHandle {
    /* The two words, as described above: */
    uint32_t word0;
    uint32_t word1;
} OvHandle;

/* 1 when the handle names no object (the rule above), else 0. */
static inline int OvHandleIsEmpty(OvHandle handle) { return (handle.word0 & 0xFFu) != 0 || handle.word1 == 0; }
#ifdef __cplusplus
/* The handle of no object, which every creating call gives back on failure
 * and every object holds before it is created. */
#define OV_NULL_HANDLE (OvHandle{1u, 0u})
#else
/* The handle of no object (C form). */
#define OV_NULL_HANDLE ((OvHandle){1u, 0u})
#endif

/* ---- life ----
 * OvExtensions: 1 when a target is current and its GL has vertex buffers and
 * framebuffer objects. OvRenderVsync: 1 when the swap interval was set on the
 * current target, 0 when it could not be or no target is current. */
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
    double x; /* the first component */
    double y; /* the second */
    double z; /* the third */
    double w; /* the fourth */
} OvFour;
OV_API void OvLengthdir(OvFour angles, OvFour* result);
OV_API void OvDirection(OvFour from, OvFour to, OvFour* result);

/* ---- render targets ----
 * OvRenderTargetCreate puts a GL context on a window (every context shares
 * one object namespace); 1 on success, 0 with the handle left empty.
 * OvRenderTargetArea stores the viewport (x, y from the bottom, width,
 * height, as GL counts it) and the perspective defaults; the viewport is
 * applied at once when the target is current, else at its activation.
 * OvRenderTargetGet: 432 x, 433 y, 434 width, 435 height (live integers: a
 * change takes effect at the next activation or camera call), 436 the
 * height of the target's window; null for other ids.
 * OvRenderScene flags (OV_SCENE_…), done in this order: flush pending
 * drawing, present, then the clears: colour (state 254), depth, stencil,
 * accumulation (where the context has one). Clears honour the clip. */
#define OV_SCENE_FLUSH 1 /* draw what is batched */
#define OV_SCENE_CLEAR_COLOR 2 /* clear to the clear colour (OV_STATE_CLEAR_COLOR) */
#define OV_SCENE_CLEAR_DEPTH 4
#define OV_SCENE_CLEAR_STENCIL 8
#define OV_SCENE_CLEAR_ACCUM 16
#define OV_SCENE_PRESENT 32 /* show the finished frame */
/* The end of a frame: flush, show, and clear for the next one (35). */
#define OV_SCENE_END_FRAME (OV_SCENE_FLUSH | OV_SCENE_PRESENT | OV_SCENE_CLEAR_COLOR)
#define OV_TARGET_X 432 /* OvRenderTargetGet queries */
#define OV_TARGET_Y 433
#define OV_TARGET_WIDTH 434
#define OV_TARGET_HEIGHT 435
#define OV_TARGET_WINDOW_HEIGHT 436
OV_API int OvRenderTargetCreate(OvHandle* target, void* window, int flags, int bitsPerPixel);
OV_API void OvRenderTargetArea(OvHandle target, int x, int y, int width, int height, double fieldOfView,
                               double nearPlane, double farPlane, double scale);
OV_API int OvRenderTargetActivate(OvHandle target);
OV_API void* OvRenderTargetGet(OvHandle target, int query);
OV_API int OvRenderTargetShare(OvHandle target, OvHandle shareWith);
OV_API void OvRenderTargetDestroy(OvHandle target);
OV_API void OvRenderScene(int flags);

/* ---- state ----
 * values per id: 254 clear colour, 255 drawing colour (4 doubles each),
 * 213 point size (1 double); 106 texturing, 152 blending, 98 line-break
 * character, 216, 217, 218 point-sprite and smoothing switches, 212 clipping
 * (1 int each); 153 blend factors source, destination (2 ints); 211 clip
 * rectangle x, y from the bottom, width, height (4 ints); 300 soft-body
 * gravity x, y (2 doubles, pixels a second, a second; finite), 301 soft-body
 * clock (1 int, 0 or 1; see the soft bodies). 16 is read-only:
 * the current target's handle (empty when none); so is the engine extension
 * 17: the handle of the texture bound for drawing (empty when none), which
 * OvTextureActivate takes to bind it again. Unknown ids are ignored by
 * OvSetState and give null from OvGetState.
 * Points: 216 (point sprites) and 217 (sprite coordinates) together make
 * every point a square of the point size textured across its whole extent
 * with the bound texture (top-left texel at the top-left corner); with either
 * off a point takes the texel of its vertex's coordinate. 218 cuts points to
 * the disc inscribed in their square. All three flush pending drawing when
 * they change, as the point size does. */
#define OV_STATE_CURRENT_TARGET 16
#define OV_STATE_BOUND_TEXTURE 17
#define OV_STATE_TEXTURING 106
#define OV_STATE_BLENDING 152
#define OV_STATE_BLEND_FACTORS 153
#define OV_STATE_CLIP_RECT 211
#define OV_STATE_CLIPPING 212
#define OV_STATE_POINT_SIZE 213
#define OV_STATE_POINT_SPRITES 216
#define OV_STATE_POINT_SPRITE_COORDS 217
#define OV_STATE_SMOOTH_POINTS 218
#define OV_STATE_GRAVITY 300
#define OV_STATE_PHYSICS_CLOCK 301
/* Soft-body units: 50 pixels make a metre; gravity starts at 9.8 m/s^2 down the screen. */
#define OV_PIXELS_PER_METRE 50.0
#define OV_DEFAULT_GRAVITY (9.8 * OV_PIXELS_PER_METRE)
#define OV_STATE_CLEAR_COLOR 254
#define OV_STATE_DRAW_COLOR 255
/* Blend factors: */
#define OV_BLEND_ZERO 156
#define OV_BLEND_ONE 157
#define OV_BLEND_SRC_COLOR 158
#define OV_BLEND_ONE_MINUS_SRC_COLOR 159
#define OV_BLEND_DST_COLOR 160
#define OV_BLEND_ONE_MINUS_DST_COLOR 161
#define OV_BLEND_SRC_ALPHA 162
#define OV_BLEND_ONE_MINUS_SRC_ALPHA 163
#define OV_BLEND_DST_ALPHA 164
#define OV_BLEND_ONE_MINUS_DST_ALPHA 165
#define OV_BLEND_SRC_ALPHA_SATURATE 166
#define OV_BLEND_CONSTANT_COLOR 167
#define OV_BLEND_ONE_MINUS_CONSTANT_COLOR 168
#define OV_BLEND_CONSTANT_ALPHA 169
#define OV_BLEND_ONE_MINUS_CONSTANT_ALPHA 170
OV_API void OvSetState(int id, ...);
OV_API void* OvGetState(int id);

/* ---- matrices and cameras ----
 * OvCameraOrtho: left x, right x + width, top y, bottom y + height (y grows
 * downwards; a negative height flips). A zoom z magnifies about the area's
 * centre, showing width / z by height / z; z <= 0 counts as 1. A zero width
 * or height leaves the matrices as they were. The model view becomes the
 * identity. */
#define OV_MATRIX_PROJECTION 256
#define OV_MATRIX_MODELVIEW 257
OV_API void OvCameraOrtho(double x, double y, double width, double height, double zoom);

/* ---- engine extensions: read-back for diagnostics and tests ----
 * OvRenderTargetReadPixels: the current target's back buffer, x and y from
 * the window's top-left, rows top to bottom, RGBA 8 bits a channel; 0 when
 * no target is current or the rectangle leaves the window.
 * OvRenderMatrixRead: the CPU matrix of a mode (column-major) into 16
 * doubles; 0 for another mode. */
OV_API int OvRenderTargetReadPixels(int x, int y, int width, int height, unsigned char* rgba);
OV_API int OvRenderMatrixRead(int mode, double* matrix16);

/* ---- virtual files ----
 * A package is a zip archive of named members. OvVirtualFileInfoOpen lists
 * its file members into a table (directory members are left out, and so are
 * members whose name does not fit the name field or whose size does not fit
 * 32 bits: names are never shortened). OvVirtualFileLoad reads one listed
 * member into an engine-owned copy named by a handle (word0 0, word1 never
 * reused); OvVirtualFileFree releases it. For writing, OvVirtualFileMakeFile
 * describes one member (it borrows the data until OvVirtualFileSave returns)
 * and OvVirtualFileSave writes them all as a new archive that replaces path
 * only once it is complete. Functions that return int give 1 on success. */
#define OV_VIRTUAL_FILE_NAME_SIZE 260
#define OV_VIRTUAL_FILE_STORE 1 /* OvVirtualFileSave flag: no compression */

/* One listed member of a package. */
typedef struct OvVirtualFileEntry {
    uint64_t member; /* the member's index in the archive */
    uint32_t size; /* its size in bytes */
    char name[OV_VIRTUAL_FILE_NAME_SIZE]; /* its name, zero-terminated */
} OvVirtualFileEntry;

/* The members OvVirtualFileInfoOpen lists. */
typedef struct OvVirtualFileTable {
    uint32_t count; /* the number of entries */
    OvVirtualFileEntry* entries; /* engine-owned; null when count is 0 */
} OvVirtualFileTable;

/* One member to write, as OvVirtualFileMakeFile describes it. */
typedef struct OvVirtualFileSource {
    const void* data; /* the member's bytes, borrowed until OvVirtualFileSave returns */
    uint32_t size; /* their count */
    char name[OV_VIRTUAL_FILE_NAME_SIZE]; /* the member's name, zero-terminated */
} OvVirtualFileSource;

/* Fills table (count 0, entries null on failure; a table that was filled
 * before must have been closed). */
OV_API int OvVirtualFileInfoOpen(const char* path, OvVirtualFileTable* table);
/* Frees the table's entries; count 0, entries null. */
OV_API void OvVirtualFileInfoClose(OvVirtualFileTable* table);
/* Fails when the member no longer matches the entry's name and size. */
OV_API int OvVirtualFileLoad(OvHandle* handle, const char* path, const OvVirtualFileEntry* entry);
/* The loaded member's size in bytes; 0 for an unknown handle. */
OV_API uint32_t OvVirtualFileSize(OvHandle handle);
/* Copies min(size, OvVirtualFileSize(handle)) bytes into data. */
OV_API int OvVirtualFileGetData(OvHandle handle, void* data, uint32_t size);
/* Releases a loaded member; an unknown handle does nothing. */
OV_API void OvVirtualFileFree(OvHandle handle);
/* Fails for a null or empty name, a name of OV_VIRTUAL_FILE_NAME_SIZE bytes
 * or more, or null data with a non-zero size. */
OV_API int OvVirtualFileMakeFile(OvVirtualFileSource* file, const char* name, const void* data, uint32_t size);
/* Fails for no files, duplicate names, or any write error; then path keeps
 * what it held before. */
OV_API int OvVirtualFileSave(const char* path, const OvVirtualFileSource* files, uint32_t count, int flags);

/* ---- textures ----
 * Handles: word0 0, word1 never reused; the GL texture is made when pixels
 * arrive. Pixels are RGBA, 8 bits a channel, rows top to bottom (the first
 * row is drawn at texture coordinate t = 0). Images are PNG, BMP or TGA,
 * detected from their bytes; at most 16384
 * pixels a side and 256 MiB of pixels. An image whose bytes cannot hold the
 * pixels its header declares is refused before anything is decoded: BMP and
 * uncompressed TGA must carry every pixel, a run-length TGA one packet per
 * 128 pixels, a PNG no more scanline bytes than 1032 times its image data
 * (deflate's largest expansion). Successful loads leave the texture
 * bound, so OvTextureParameter (which acts on the bound texture) applies to
 * it. The load flags are reserved.
 * OvTextureLoadFromMemory has no size, so it accepts only images whose own
 * bytes bound them: a PNG (signature, then chunks up to and including IEND)
 * or "OVIM" followed by the payload's byte count (32-bit little-endian) and
 * the payload, any readable image. Everything else is refused; no byte past
 * the declared end is read. OvTextureLoadFromMemorySized takes any format.
 * OvTextureFromRender copies a rectangle (x, y from the window's top-left)
 * of the current target's back buffer. Loading is refused while locked.
 * OvTextureLock: a copy of the pixels, valid until OvTextureUnlock (flag
 * non-zero uploads the copy back first); locking again returns the same
 * copy. OvTextureGet: a pointer to a 32-bit integer. Empty, unknown and
 * destroyed handles make every call do nothing (0 or null). */
#define OV_TEXTURE_MIN_FILTER 229
#define OV_TEXTURE_MAG_FILTER 230
#define OV_TEXTURE_WRAP_S 231
#define OV_TEXTURE_WRAP_T 232
#define OV_TEXTURE_NEAREST 234
#define OV_TEXTURE_LINEAR 235
#define OV_TEXTURE_REPEAT 240
#define OV_TEXTURE_CLAMP 241
#define OV_TEXTURE_WIDTH 250
#define OV_TEXTURE_HEIGHT 251
#define OV_TEXTURE_BYTES 253
#define OV_TEXTURE_GL_NAME 259 /* engine extension: the GL texture name, 0 before pixels */
OV_API int OvTextureCreate(OvHandle* texture);
OV_API int OvTextureLoad(OvHandle texture, const char* path, int loadFlag);
OV_API int OvTextureLoadFromMemory(OvHandle texture, const void* data, int loadFlag);
OV_API int OvTextureLoadEmpty(OvHandle texture, int width, int height, int flag);
OV_API int OvTextureFromRender(OvHandle texture, int x, int y, int width, int height, int flag);
OV_API void OvTextureParameter(int parameter, float value);
OV_API void* OvTextureGet(OvHandle texture, int query);
OV_API void* OvTextureLock(OvHandle texture, int flag);
OV_API void OvTextureUnlock(OvHandle texture, int flag);
OV_API void OvTextureActivate(OvHandle texture);
OV_API void OvTextureUnactivate(void);
OV_API void OvTextureDestroy(OvHandle texture);
/* Engine extensions: loading from a block of known size, and probing
 * (reads the header only: 1 with the size when the image is within the
 * limits and its bytes can hold its pixels; corrupt data past the header
 * is found only by a load). */
OV_API int OvTextureLoadFromMemorySized(OvHandle texture, const void* data, uint32_t size, int loadFlag);
OV_API int OvImageProbe(const void* data, uint32_t size, int* width, int* height);

/* ---- frame buffers ----
 * A frame buffer draws into a texture of its own (OvFrameBufferCreate, which
 * makes a transparent black one, destroyed with the frame buffer while still
 * attached) or into a given one. While active on the current target, drawing
 * and clears go to the texture and the viewport covers its pixels;
 * OvFrameBufferUnactivate returns to the target. Activation fails (0) when no
 * target is current, GL has no framebuffer objects or the texture is gone.
 * OvFrameBufferGet: 440 width, 441 height (32-bit integers), 442 the
 * texture's handle. OvFrameBufferSwapTexture attaches another texture (the
 * previous one is left alive). The creation flags are reserved. */
#define OV_FRAMEBUFFER_WIDTH 440
#define OV_FRAMEBUFFER_HEIGHT 441
#define OV_FRAMEBUFFER_TEXTURE 442
OV_API int OvFrameBufferCreate(OvHandle* frameBuffer, int width, int height, unsigned char flag);
OV_API int OvFrameBufferCreateFromTexture(OvHandle* frameBuffer, OvHandle texture, unsigned char flag);
OV_API int OvFrameBufferActivate(OvHandle frameBuffer);
OV_API void OvFrameBufferUnactivate(OvHandle frameBuffer);
OV_API void OvFrameBufferMipmap(OvHandle frameBuffer);
OV_API void* OvFrameBufferGet(OvHandle frameBuffer, int query);
OV_API void OvFrameBufferActivateTexture(OvHandle frameBuffer);
OV_API int OvFrameBufferSwapTexture(OvHandle frameBuffer, OvHandle texture);
OV_API int OvFrameBufferUseFBO(OvHandle frameBuffer);
OV_API void OvFrameBufferDestroy(OvHandle frameBuffer);

/* ---- matrices ----
 * The engine's matrix format: 16 doubles (128 bytes), column-major, element
 * [column * 4 + row], the translation in [12], [13], [14]. Two modes:
 * OV_MATRIX_PROJECTION (256) and OV_MATRIX_MODELVIEW (257, selected at
 * start); other modes are ignored. Translate, rotate (degrees about the axis
 * x, y, z; a zero axis does nothing) and scale multiply the current matrix
 * on the right, so the call made last applies to vertices first. Each mode
 * has a stack 32 deep: a push onto a full stack and a pop from an empty one
 * do nothing. OvMatrixSave writes the matrix of `mode` (256 or 257) to out;
 * OvMatrixLoad replaces the current mode's matrix with 16 doubles from in.
 * Vertices are transformed by the model view when they are added, so it may
 * change freely while drawing is batched; a change of the projection flushes
 * pending drawing first.
 * OvCameraPerspective: fieldOfView (vertical, degrees), aspect (width /
 * height, 0 = the current target's viewport), near and far (> 0, far >
 * near); 0 for the field of view, near or far takes the target's value from
 * OvRenderTargetArea. The eye sits at (eyeX, eyeY, eyeZ) looking towards -z
 * (eyeW is not used); yDown 1 makes y grow downwards on screen as with
 * OvCameraOrtho. The model view becomes the identity. 1 when applied, 0
 * (nothing changed) for values that make no perspective. */
OV_API void OvMatrixMode(int mode);
OV_API void OvMatrixIdentity(void);
OV_API void OvMatrixPush(void);
OV_API void OvMatrixPop(void);
OV_API void OvMatrixTranslate(double x, double y, double z);
OV_API void OvMatrixRotate(double degrees, double x, double y, double z);
OV_API void OvMatrixScale(double x, double y, double z);
OV_API void OvMatrixSave(int mode, void* out);
OV_API void OvMatrixLoad(const void* in);
OV_API int OvCameraPerspective(double fieldOfView, double aspect, double nearPlane, double farPlane, double eyeX,
                               double eyeY, double eyeZ, double eyeW, int yDown);

/* ---- drawing ----
 * Primitive kinds: */
#define OV_PRIMITIVE_POINTS 4
#define OV_PRIMITIVE_OUTLINE 6 /* closed line loop through the vertices */
#define OV_PRIMITIVE_TRIANGLES 8 /* every 3 vertices */
#define OV_PRIMITIVE_FAN 10 /* centre, then the points of the rim */
#define OV_PRIMITIVE_QUADS 11 /* every 4 vertices */
#define OV_COMPONENTS_FLOAT 2
#define OV_COMPONENTS_DOUBLE 3
/* Drawing is batched: vertices are transformed by the model view and
 * collected; pending vertices are drawn when the primitive class (triangles,
 * lines, points), blending, blend factors, clipping, point size or the
 * point-sprite states, the projection, the viewport, the program or the
 * target change, when the batch is full, at OvRenderScene(1) and before
 * OvRenderTargetReadPixels. Colour (state 255) and texturing (state 106 and
 * the bound texture) are taken per vertex and never flush. An incomplete
 * quad, triangle, fan (< 3 vertices) or outline (< 2) draws nothing.
 * OvPrimitiveBegin .. OvPrimitiveEnd: each OvPutVertex adds a vertex with the
 * texture coordinate of the last OvPutTexvertex (r and q are not used) and
 * the current colour. Nothing is drawn while no target is current.
 * OvDrawData: count vertices from index first of the arrays; componentType
 * OV_COMPONENTS_DOUBLE or OV_COMPONENTS_FLOAT for all arrays;
 * componentsPerVertex (2 to 4) for positions (x, y, z = 0, w = 1) and
 * texcoords (s, t); colours are 4 components (r, g, b, a in 0..1) per vertex,
 * null for the current colour; texcoords null for (0, 0). normals and the
 * parameters named reserved are not used (pass 0). Bad arguments, or a call
 * between OvPrimitiveBegin and OvPrimitiveEnd, draw nothing. */
OV_API void OvPrimitiveBegin(int kind);
OV_API void OvPutVertex(double x, double y, double z, double w);
OV_API void OvPutTexvertex(double s, double t, double r, double q);
OV_API void OvPrimitiveEnd(void);
OV_API void OvDrawData(int kind, int first, int count, const void* positions, const void* colours,
                       const void* texcoords, const void* normals, const void* reserved8, int componentType,
                       int reserved10, int reserved11, int reserved12, int reserved13, int reserved14, int reserved15,
                       int componentsPerVertex, int reserved17, int reserved18, int reserved19, int reserved20,
                       int reserved21, int reserved22, int reserved23);
/* Reserves the batch's memory (about 15 MB, once): 0 when the batch is ready
 * to draw, 1 when the memory could not be had. */
OV_API int OvVertexBufferInit(void);

/* ---- engine extensions: batch size and statistics ----
 * OvVertexBufferReserve: the batch holds `vertices` (64 to 4194304) before
 * it flushes for want of room; pending drawing is flushed first; 1 on
 * success. OvRenderStatistics: draw calls issued and vertices drawn since
 * the previous call (a frame's when called once a frame); either pointer may
 * be null. OvRenderBindGlTexture: what OvTextureActivate does, for a texture
 * made with GL directly (a GL_TEXTURE_2D name, 0 for none). */
OV_API int OvVertexBufferReserve(int vertices);
OV_API void OvRenderStatistics(int* drawCalls, int* vertices);
OV_API void OvRenderBindGlTexture(unsigned glName, int width, int height);

/* ---- engine extension: one transformed quad in one call ----
 * OvDrawTransformedQuad draws what this sequence draws, and leaves the same
 * state behind (the texture activated, the matrices as they were):
 *   OvMatrixPush(); OvMatrixIdentity();
 *   OvMatrixTranslate(translate[0], translate[1], translate[2]);
 *   OvMatrixRotate(turns[0], 1, 0, 0); OvMatrixRotate(turns[1], 0, 1, 0);
 *   OvMatrixRotate(turns[2], 0, 0, 1);
 *   OvMatrixScale(scale[0], scale[1], scale[2]);
 *   OvTextureActivate(texture);
 *   OvDrawData(11, 0, 4, corners, 0, coords, 0, 0, 3, ..., 4, ...);
 *   OvMatrixPop();
 * corners and coords are four vertices of four doubles each (x, y, z, w and
 * s, t, r, q). While the projection is the selected matrix mode the
 * sequence itself runs, as it would change the projection. A sprite costs
 * one call instead of eight and one matrix built in place. */
OV_API void OvDrawTransformedQuad(OvHandle texture, const double* translate, const double* turns, const double* scale,
                                  const double* corners, const double* coords);

/* ---- fonts ----
 * OvGenerateFont copies a glyph table (OvGlyphTable) into an engine font;
 * with a null table it makes a grid font: 16 x 16 cells over the texture
 * bound when drawing, character c in column c % 16 and row c / 16 from the
 * top. A grid font's metrics are the states 94 character width, 95
 * character height, 96 horizontal spacing, 97 vertical spacing (1 double
 * each; 16, 16, 0, 0 at start) and 98 its line-break character, all read
 * when drawing. 1 on success, 0 (handle left as it was) for a null handle.
 * OvDrawFont adds the text's glyphs as quads at the current model view with
 * the bound texture and the current colour: the pen starts at (0, 0) and y
 * grows downwards; a glyph c is the rectangle (pen + xoffset, yoffset) of
 * width x height with the texture coordinates (s0, t0) to (s1, t1), and the
 * pen moves on by xadvance + letterSpacing; the line-break character puts
 * the pen at x 0 of the next line, lineHeight + lineSpacing further down.
 * Glyphs of zero width or height add no quad. Every byte is its own
 * character (0 to 255). OvDisplaylistDestroy releases an engine font; empty,
 * unknown and destroyed handles make both calls do nothing. */
typedef struct OvGlyph {
    float width; /* the rectangle's width in pixels */
    float height; /* its height in pixels */
    float xoffset; /* its left edge from the pen */
    float yoffset; /* its top edge from the pen's line */
    float xadvance; /* how far the pen moves on */
    float s0; /* the top-left corner's texture coordinates */
    float t0; /* (s0, t0) */
    float s1; /* the bottom-right corner's texture coordinates */
    float t1; /* (s1, t1) */
} OvGlyph;

/* A described font's glyphs by character code, as OvGenerateFont copies them. */
typedef struct OvGlyphTable {
    float letterSpacing; /* extra pixels between letters */
    float lineSpacing; /* extra pixels between lines */
    char lineBreak; /* the character that starts a new line */
    float lineHeight; /* pixels from one line to the next */
    OvGlyph glyphs[256]; /* by character code */
} OvGlyphTable;

/* The grid font's metric states and the font calls, as described above: */
#define OV_STATE_CHARACTER_WIDTH 94
#define OV_STATE_CHARACTER_HEIGHT 95
#define OV_STATE_CHARACTER_SPACING 96
#define OV_STATE_LINE_SPACING 97
#define OV_STATE_LINE_BREAK 98
OV_API int OvGenerateFont(OvHandle* font, const void* glyphTable);
OV_API void OvDrawFont(OvHandle font, const char* text);
OV_API void OvDisplaylistDestroy(OvHandle font);

/* ---- TrueType and OpenType fonts ----
 * OvFontLoad opens a font file that FreeType reads (TrueType, OpenType,
 * at most OV_FONT_MAX_BYTES) at pixelSize pixels to the em (OV_FONT_MIN_PIXELS
 * to OV_FONT_MAX_PIXELS) as an engine font that OvDrawFont draws like any
 * other. texture, made by OvTextureCreate, becomes the font's glyph atlas:
 * it gets transparent pixels at once (which needs a current target) and is
 * left bound, so OvTextureParameter sets its filters; the caller activates
 * it before OvDrawFont and destroys it after the font, as for a bitmap font.
 * Text is Latin-1: byte c is the character U+00c. The font's glyph table
 * (OvFontGetTable) holds every character's size, offsets and advance from
 * the start, hinted and in whole pixels: yoffset counts from the top of the
 * line (the font's ascender), lineHeight is the font's line spacing, the
 * spacings are 0 and lineBreak is the given character. A glyph's pixels,
 * FreeType's 8-bit coverage as white texels with that alpha, enter the atlas
 * the first time OvDrawFont meets it; its texture coordinates are set then
 * (they change for every glyph when the atlas grows; the atlas is at most
 * 4096 texels a side, and a glyph that no longer fits draws as nothing).
 * Control characters and characters the font lacks have all-zero records.
 * 1 on success; 0, with *font unchanged, for a null font or path, a file
 * that cannot be read, bytes FreeType does not read as a scalable font, a
 * pixel size out of range, or a texture that is unknown or cannot be given
 * pixels. OvFontLoadFromMemory: the same from size bytes at data (copied).
 * OvFontGetTable copies a TrueType or table font's current glyph table into
 * glyphTable (an OvGlyphTable); 0 for grid fonts, empty, unknown and
 * destroyed handles.
 * OvFontDefaultPath: the framework's own font (DejaVu Sans), found in
 * share/OvCore/fonts/ beside the engine library or the program, or beside
 * their parent folder (an installed tree); null when it is not there. */
#define OV_FONT_MIN_PIXELS 4
#define OV_FONT_MAX_PIXELS 256
#define OV_FONT_MAX_BYTES (64u * 1024u * 1024u)
OV_API int OvFontLoad(OvHandle* font, OvHandle texture, const char* path, int pixelSize, int lineBreak);
OV_API int OvFontLoadFromMemory(OvHandle* font, OvHandle texture, const void* data, uint32_t size, int pixelSize,
                                int lineBreak);
OV_API int OvFontGetTable(OvHandle font, void* glyphTable);
OV_API const char* OvFontDefaultPath(void);

/* ---- sockets ----
 * TCP over POSIX sockets, IPv4 and IPv6. OvSocketCreate makes an empty
 * endpoint; OvSocketOpen readies it for one listening socket or connection
 * and its third argument picks the address family:
 *   OV_SOCKET_ANY (0): a connection tries every address the host name gives
 *     (getaddrinfo order) until one answers; a listening socket takes IPv6
 *     and IPv4 clients alike (IPv4 only where the system has no IPv6);
 *   OV_SOCKET_IPV4 (4), OV_SOCKET_IPV6 (6): that family only, so "::1"
 *     cannot be reached with 4, nor "127.0.0.1" with 6.
 * Opening again forgets the previous connection. OvSocketListen binds every
 * interface (port 0: a free port, see OvSocketLocalPort; backlog <= 0: the
 * system's largest). OvSocketConnect resolves host names and literal
 * addresses. OvSocketAccept moves the next waiting connection of a listening
 * socket into a fresh endpoint (0 when none waits on a non-blocking listener;
 * where the kernel offers io_uring, a ring watches each listener for
 * arrivals, so that answer costs no system call and one more descriptor).
 * New connections block until OvSocketAsync(s, 1) makes them non-blocking.
 * OvSocketNagle(s, 1) sends small writes at once (TCP_NODELAY, Nagle's
 * algorithm off); 0 lets the system gather them.
 *
 * Buffers (OvBuffer, the framework's byte buffer): OvSocketSend sends count
 * bytes from data + offset (count 0: up to the end of the array; bytes past
 * the array are never read). A blocking connection sends everything, or
 * stops when the connection fails. On a non-blocking one the third argument
 * says what happens to what the kernel cannot take at once:
 *   OV_SOCKET_SEND_KEEP (1): it is kept, in order, and handed over by later
 *     sends, receives and OvSocketFlush; the call returns count. When the
 *     kept bytes would pass OV_SOCKET_QUEUE_LIMIT, nothing is taken and the
 *     call returns 0 (a peer that never reads cannot exhaust memory);
 *   OV_SOCKET_SEND_NOW (0): only what the kernel takes now is sent and
 *     counted; nothing at all while earlier kept bytes still wait.
 * OvSocketReceive replaces the buffer's content with the next block of at
 * most blockSize bytes (0: 65536): the block starts at data, the cursor
 * stands after it, the array grows when too small and is otherwise kept.
 * It returns the block's size; 0 when nothing waits (non-blocking), the
 * peer closed or failed, or a blocking wait passed the timeout; the cursor
 * is then at data. With a null handle it empties the buffer (cursor at
 * data; flags OV_SOCKET_RECEIVE_RELEASE also frees the array).
 * OvSocketIsConnected: 1 until a send or receive has seen the peer close or
 * fail. No call ever raises SIGPIPE. OvSocketDestroy hands over what the
 * kernel takes at once of the kept bytes, then closes. OvSocketClosure
 * destroys every endpoint left. Functions that return int give 1 on success.
 * Failures leave their reason in OvLastError, once each: "net: cannot
 * listen: port P: <cause>", "net: cannot resolve: <host>: <cause>" (a URL
 * such as "http://example.org" given as the host is refused before any
 * lookup), "net: cannot connect: <host>:<port>: <cause>" (e.g. "Connection
 * refused"), and "net: connection lost: <peer>: <cause>" when a send or
 * receive meets an error such as "Connection reset by peer" (the peer's
 * orderly close is no failure and reports nothing). */
#define OV_SOCKET_ANY 0
#define OV_SOCKET_IPV4 4
#define OV_SOCKET_IPV6 6
#define OV_SOCKET_SEND_NOW 0
#define OV_SOCKET_SEND_KEEP 1
#define OV_SOCKET_RECEIVE_RELEASE 1
#define OV_SOCKET_QUEUE_LIMIT (16u * 1024u * 1024u)
#define OV_SOCKET_DEFAULT_BLOCK 65536u

/* A byte array with a cursor, laid out as the framework's byte buffer. */
typedef struct OvBuffer {
    uint32_t capacity; /* bytes in the array */
    uint8_t* data; /* from malloc: the engine may realloc and free it */
    uint8_t* cursor; /* the read and write position inside the array */
} OvBuffer;

/* OvSocketInitiation readies the socket layer (1 on success) and
 * OvSocketClosure destroys every endpoint left; the other calls as described
 * above: */
OV_API int OvSocketInitiation(void);
OV_API void OvSocketClosure(void);
OV_API int OvSocketCreate(OvHandle* socket);
OV_API int OvSocketOpen(OvHandle socket, int family);
OV_API int OvSocketListen(OvHandle socket, uint16_t port, int backlog);
OV_API int OvSocketConnect(OvHandle socket, const char* host, uint16_t port);
OV_API int OvSocketAccept(OvHandle pending, OvHandle listening);
OV_API int OvSocketNagle(OvHandle socket, int noDelay);
OV_API int OvSocketAsync(OvHandle socket, int nonBlocking);
OV_API uint32_t OvSocketSend(OvHandle socket, const OvBuffer* buffer, int keepRest, uint32_t offset, uint32_t count);
OV_API uint32_t OvSocketReceive(OvHandle socket, OvBuffer* buffer, uint32_t blockSize, int flags);
OV_API int OvSocketIsConnected(OvHandle socket);
OV_API void OvSocketDestroy(OvHandle socket);
/* Engine extensions. OvSocketTimeout: the longest a blocking connect, send
 * or receive waits for the peer, in milliseconds (0, the start value: as
 * long as the system does). OvSocketFlush: hands kept bytes to the kernel
 * as far as it takes them now; 0 when the connection failed. OvSocketQueued:
 * the kept bytes still waiting. OvSocketLocalPort: the local port of a
 * listening socket or connection, 0 without one. OvSocketReadable: one wait
 * of at most timeoutMs (0: none) over count endpoints; readable[i] becomes 1
 * where a receive would find data or the end of the connection (or where
 * the endpoint is not connected), and on a listening endpoint where a
 * connection waits to be accepted; kept bytes are handed over where the
 * kernel takes them; returns how many are readable. In that order: */
OV_API int OvSocketTimeout(OvHandle socket, uint32_t milliseconds);
OV_API int OvSocketFlush(OvHandle socket);
OV_API uint32_t OvSocketQueued(OvHandle socket);
OV_API uint16_t OvSocketLocalPort(OvHandle socket);
OV_API uint32_t OvSocketReadable(const OvHandle* sockets, uint32_t count, uint8_t* readable, int timeoutMs);

/* Datagrams (UDP), IPv4 and IPv6, in the same endpoints. OvSocketBind makes
 * an endpoint a datagram socket, forgetting what it was before, bound to a
 * local address and port; it never blocks. family as for OvSocketOpen:
 * OV_SOCKET_ANY takes IPv6 and IPv4 peers alike (IPv4 only where the system
 * has no IPv6), OV_SOCKET_IPV4 and OV_SOCKET_IPV6 that family only. host: an
 * address of this machine ("127.0.0.1", "::1", a name), null for every
 * interface. port 0: a free port (see OvSocketLocalPort). 0 when the handle
 * is unknown, the family is none of the three, the host does not resolve or
 * the port is taken. OvSocketAsync(s, 0) is refused (0) on a datagram socket.
 *
 * OvAddress is a peer: family OV_SOCKET_IPV4 or OV_SOCKET_IPV6 (0: none),
 * port in host order, the address bytes in network order (IPv4 in the first
 * four; the rest zero), the IPv6 scope (interface index of a link-local
 * address, else 0). OvSocketResolve fills one from a host name or literal
 * address in a family (OV_SOCKET_ANY: the first address the name gives);
 * names may be looked up on a name server, so resolve once, not every
 * frame. 0, with the address zeroed, when it does not resolve.
 * OvSocketAddressText writes "127.0.0.1:5150" or "[::1]:5150" with its
 * terminating NUL into text, and returns its length without the NUL; 0 when
 * the address is none or capacity is too small.
 *
 * OvSocketSendTo sends count bytes from data + offset (count 0: to the end of
 * the array) as one datagram to `to`, and returns count once the kernel has
 * taken it. Nothing is ever kept for later, nor cut: 0 when offset and count
 * pass the end of the array, the kernel's send buffer has no room now, the
 * datagram is larger than OV_SOCKET_DATAGRAM_LIMIT, the endpoint cannot
 * reach the address's family (an IPv4-only endpoint and an IPv6 peer, or the
 * reverse), or the network refuses it.
 * Whether it arrives is up to the network: datagrams may be lost, repeated
 * or reordered, never cut or merged.
 *
 * OvSocketReceiveFrom takes the next waiting datagram: it stands from data
 * (the array grows to OV_SOCKET_DATAGRAM_LIMIT bytes when smaller, and is
 * otherwise kept) with the cursor after it, its sender in *from (when from
 * is not null; IPv4 peers of an OV_SOCKET_ANY endpoint come as IPv4
 * addresses); returns 1, also for an empty datagram. 0 when none waits or
 * the endpoint is no datagram socket: the cursor is then at data and *from
 * zeroed.
 *
 * OvSocketReceiveLimit: how many bytes of datagrams the kernel may keep
 * waiting for the endpoint (its receive buffer, counted with the system's
 * overhead a datagram: the system may double or round the value); datagrams
 * that arrive beyond it are dropped, so a flooding peer costs bounded memory.
 * OV_SOCKET_DATAGRAM_QUEUE at bind time; 0 for an unknown handle or a
 * socket that is not bound. */
#define OV_SOCKET_DATAGRAM_LIMIT 65536u /* the largest datagram sent or received, in bytes */
#define OV_SOCKET_DATAGRAM_QUEUE (256u * 1024u) /* bytes of datagrams the kernel keeps at bind time */

/* A datagram peer's address (see above). */
typedef struct OvAddress {
    uint8_t family; /* OV_SOCKET_IPV4 or OV_SOCKET_IPV6; 0: none */
    uint8_t reserved; /* always 0 */
    uint16_t port; /* in host order */
    uint32_t scope; /* IPv6 interface index of a link-local address, else 0 */
    uint8_t bytes[16]; /* network order; IPv4 in the first four, the rest zero */
} OvAddress;

/* Binds the endpoint as a datagram socket; 1, or 0 (see above). */
OV_API int OvSocketBind(OvHandle socket, int family, const char* host, uint16_t port);
/* Fills *address from a host name or literal address; 1, or 0 with it zeroed. */
OV_API int OvSocketResolve(const char* host, uint16_t port, int family, OvAddress* address);
/* Writes "host:port" into text; its length without the NUL, or 0. */
OV_API uint32_t OvSocketAddressText(const OvAddress* address, char* text, uint32_t capacity);
/* Sends one datagram to `to`; count once the kernel took it, else 0. */
OV_API uint32_t OvSocketSendTo(OvHandle socket, const OvBuffer* buffer, uint32_t offset, uint32_t count,
                               const OvAddress* to);
/* Takes the next waiting datagram into buffer; 1, or 0 when none waits. */
OV_API int OvSocketReceiveFrom(OvHandle socket, OvBuffer* buffer, OvAddress* from);
/* Sets the bytes of datagrams the kernel may keep waiting; 1, or 0. */
OV_API int OvSocketReceiveLimit(OvHandle socket, uint32_t bytes);

/* ---- shaders ----
 * Kinds: 421 and 422 GL assembly vertex and fragment programs (the ARB
 * program text), 423 and 424 GLSL vertex and fragment shaders, 425 a GLSL
 * program made by OvShaderMakeProgram from loaded GLSL shaders (GLSL of the
 * compatibility profile). Building needs a current target. OvShaderLastLog:
 * GL's message for the last Load or MakeProgram that failed, empty after one
 * that succeeded (valid until the next call); its first line also goes to
 * OvLastError, once a failure: "render: cannot compile shader: <path, or
 * shader N for a load from memory>: <line>" and "render: cannot link shader
 * program: program N: <line>", N being the handle's number. Loading or making a shader
 * again releases what it held before. OvShaderActivate: an assembly program
 * replaces the active one of its kind, a linked GLSL program all of them
 * while it is active; 0 for anything else. OvShaderUnactivate(kind) ends the
 * active program of that kind. While programs are active, everything drawn
 * reaches them as on a compatibility-profile GL: gl_Vertex / vertex.position
 * (already through the model view: the built-in model view is the
 * identity), gl_Color, gl_MultiTexCoord0, the engine's projection as the
 * built-in projection (so gl_ModelViewProjectionMatrix, ftransform() and
 * state.matrix.mvp place vertices as the engine does), and the bound texture
 * on unit 0. Switching programs and every call that sets a value draws
 * pending drawing first. OvShaderUniform*, with count 1 to 4 components, act
 * on the active GLSL program; OvShaderLocalParam on the active assembly
 * program of the kind; OvShaderAttribute sets a generic attribute's value.
 * OvShaderUniformMatrix takes 16 doubles in the engine's matrix format.
 * Locations of anything but a program are -1. */
#define OV_SHADER_ASSEMBLY_VERTEX 421
#define OV_SHADER_ASSEMBLY_FRAGMENT 422
#define OV_SHADER_VERTEX 423
#define OV_SHADER_FRAGMENT 424
#define OV_SHADER_PROGRAM 425
OV_API int OvShaderInit(void);
OV_API int OvShaderCreate(OvHandle* shader);
OV_API int OvShaderLoad(OvHandle shader, int kind, const char* path);
OV_API int OvShaderLoadFromMemory(OvHandle shader, int kind, const char* source);
OV_API int OvShaderMakeProgram(OvHandle program, const OvHandle* shaders, int count);
OV_API const char* OvShaderLastLog(void);
OV_API int OvShaderActivate(OvHandle shader);
OV_API void OvShaderUnactivate(int kind);
OV_API int OvShaderUniformLocation(OvHandle program, const char* name);
OV_API int OvShaderAttributeLocation(OvHandle program, const char* name);
OV_API void OvShaderLocalParam(int kind, int index, float x, float y, float z, float w);
OV_API void OvShaderUniform(int location, float x, float y, float z, float w, int count);
OV_API void OvShaderUniformInteger(int location, const int* values, int count);
OV_API void OvShaderUniformMatrix(int location, const void* matrix, int transpose);
OV_API void OvShaderAttribute(int location, float x, float y, float z, float w, int count);
OV_API void OvShaderDestroy(OvHandle shader);

/* ---- script ----
 * Scripts are Lua 5.4 run in a sandbox. An extension is linked from a
 * definition header:
 *   !EXTERNAL: name
 *   !KEYWORDS: word word ...            (numbered from 0 in this order)
 *   !DEFINITIONS: count                 (decimal, an optional trailing d)
 *   COMMAND<blank>KIND<blank>KIND ...   (count lines; KIND is KEYWORD or VARIABLE)
 *   !END
 * (blanks are spaces or tabs; line feeds, a carriage return before one is
 * dropped). OvLumetBuildDefinitionList gathers the linked headers into a
 * list that compiling and executing take; handlers are registered per
 * extension and command and looked up when a command runs (a command
 * without a handler does nothing).
 * In a script every keyword is a global integer constant (its number) and
 * every command a global function. A name that is both (COLOR, CANVAS) is
 * the function, and passing it where a keyword goes passes the keyword.
 * The host's argument list of OvLumetExecute is an array of cells; the
 * script receives one variable per cell as the values of `...`:
 *   local shaders, slot = ...
 *   PASS(ENABLE, shaders, slot)
 * A command checks its argument count and kinds (an integer keyword number
 * in range, or a variable of this run) and calls its handler with the
 * argument stream: one pointer-sized value per argument, a keyword's number
 * or the address of a variable's cell.
 * Scripts see base (without load, loadfile, dofile, collectgarbage, print),
 * string (without the pattern functions), table, math and utf8; no io, os,
 * package, debug, coroutine or require; setmetatable refuses a metatable
 * with a __gc field (finalizers would run outside every budget). Each
 * execution has a budget of instructions and of wall-clock time, work done
 * inside table and utf8 functions counted as instructions; the bytes budget
 * covers all a prepared script holds across executions (OvLumetSetLimits,
 * OvLumetSetTimeLimit). A script that runs out of any, or raises an error,
 * stops and the execution fails with the script's line in OvLumetLastLog
 * ("script:LINE: message"). Every execution starts from the same globals:
 * what one changes, in _G or in a library table, the next does not see.
 * The compiled form is the engine's own (a checked header and the source
 * text, never Lua bytecode); bytes that are damaged or not ours are
 * refused. OvLumetCompile and OvLumetCompileFile fill a buffer with
 * malloc'ed bytes that OvLumetFree releases. Functions that return int give
 * 1 on success, 0 on failure; the first line of a failure's OvLumetLastLog
 * also goes to OvLastError, once: "script: cannot compile script: <path,
 * or text>: <line>" and "script: cannot run script: compiled script:
 * <line>". Handlers must return normally (no exceptions
 * or long jumps through the engine). */
typedef struct OvLumetBuffer {
    uint32_t capacity; /* bytes in the array */
    uint8_t* data; /* malloc'ed; OvLumetFree releases it */
    uint8_t* cursor; /* after the bytes written */
} OvLumetBuffer;
typedef struct OvLumetDefinitionList OvLumetDefinitionList;
typedef void (*OvLumetHandler)(const uintptr_t* arguments);
OV_API int OvLumetLinkDefinition(const char* name, const char* header, uint32_t length);
OV_API OvLumetDefinitionList* OvLumetBuildDefinitionList(void);
OV_API void OvLumetFreeDefinitionList(OvLumetDefinitionList* list);
OV_API void OvLumetUnlinkDefinitions(void);
OV_API void OvLumetClearDefinitionsProc(void);
OV_API int OvLumetAddDefinitionProc(const char* external, const char* command, OvLumetHandler handler);
OV_API int OvLumetCompile(OvLumetBuffer* script, const char* text, uint32_t size,
                          const OvLumetDefinitionList* definitions);
OV_API int OvLumetCompileFile(OvLumetBuffer* script, const char* path, const OvLumetDefinitionList* definitions);
OV_API int OvLumetCompileToFile(const char* text, uint32_t size, const char* target,
                                const OvLumetDefinitionList* definitions);
OV_API int OvLumetCompileFileToFile(const char* source, const char* target, const OvLumetDefinitionList* definitions);
OV_API int OvLumetExecute(const OvLumetBuffer* script, uintptr_t* arguments, uint32_t count,
                          const OvLumetDefinitionList* definitions);
OV_API void OvLumetFree(OvLumetBuffer* script);
/* Engine extensions: the message of the last call that failed (empty after
 * one that succeeded), and the budget of one execution (0 keeps a value;
 * 5,000,000 instructions and 16 MiB at start). */
OV_API const char* OvLumetLastLog(void);
OV_API void OvLumetSetLimits(uint64_t instructions, uint64_t bytes);
/* The wall-clock time one execution may take, in milliseconds (5,000 at
 * start; 0 keeps the value). */
OV_API void OvLumetSetTimeLimit(uint32_t milliseconds);

/* ---- soft bodies ----
 * A DNA is a soft body: arrays of substances (kind 34), covalence forces
 * (35) and surfaces (36), plus one texture handle (37, linked without an
 * index: the texture of the DNA's surfaces that have none of their own).
 * The engine simulates every DNA's linked objects together in one world:
 * - Units: positions and lengths in pixels (OV_PIXELS_PER_METRE pixels make
 *   a metre for the simulation), y growing down the screen; masses in
 *   kilograms; time in seconds.
 * - A substance is a point mass with a circle of its range (radius, pixels)
 *   that does not turn. Mass 0 or less pins it where it is put. A moving
 *   substance feels a drag of OV_PHYSICS_DRAG (its speed falls by that
 *   fraction a second, as in air), so a swinging body comes to rest. Solid
 *   substances (solid != 0) collide with the solid substances of every
 *   other DNA, never with those of their own DNA (its forces hold it);
 *   substances that are not solid, or of range 0, collide with nothing.
 * - A covalence force is a spring between its two substances (319, 320)
 *   whose rest length is set by OvCovalenceForceSetForce (pixels).
 *   Resilience is the spring's natural frequency in hertz (damping ratio
 *   0.5): higher is stiffer; 0 or less makes a rigid rod of the rest length.
 *   A force pulls only while it is linked and both its substances are.
 * - A surface is a triangle over three substances (336, 337, 338) with the
 *   texture coordinates (342, 343, 344; s, t in x, y) and a texture (58).
 * - Time: the world advances in fixed steps of 1/60 s. With state 301 at 0
 *   (the start) the engine advances it by the real time elapsed between
 *   presented frames (OvRenderScene with 32; at most 0.25 s a frame), so a
 *   body falls as fast at 30 as at 3,000 frames a second. With 301 at 1
 *   only OvDnaAdvance moves time (tests, tools). Gravity is state 300.
 * OvDnaBirth: each non-zero count (at most OV_DNA_MAX_LINKS) replaces that
 * kind's array by as many empty slots; what was linked there is unlinked
 * (it stays alive, outside the simulation). 0 on a count out of range or an
 * unknown DNA, with nothing changed. OvDnaLink puts *object in slot index
 * (0 when the slot or the object is not there); an object is linked to one
 * DNA slot at a time. OvDnaGet: a pointer to slot index of the kind's array
 * of 8-byte handles (index 0: the array itself); for 37 the handle; null
 * for anything not there. Pointers stay valid until the next Birth of that
 * kind, Die or Destroy. OvDnaCount: slots of a kind (37: 1 when a texture
 * is linked). OvDnaDraw adds every surface as a textured triangle (the
 * surface's texture, else the DNA's, else untextured) in the current colour
 * to the batch. OvDnaDie unlinks everything; with destroyLinked non-zero it
 * also destroys the linked substances, forces and surfaces (never the
 * texture). OvDnaDestroy unlinks and frees the DNA. OvDnaAdvance(seconds)
 * moves the world's time on (at most 10 s a call; not finite or <= 0 does
 * nothing). Get calls: 307 a substance's position (OvFour, pixels, kept up
 * to date after every step), 308 its mass, 309 its range (doubles), 310
 * solid (int); 319 and 320 a force's substance handles, 321 its rest
 * length, 322 its resilience (doubles); 336 to 338 a surface's substance
 * handles, 342 to 344 its coordinates (OvFour), 58 its texture handle.
 * Empty, unknown and destroyed handles make every call do nothing (0 or
 * null). */
#define OV_DNA_SUBSTANCES 34
#define OV_DNA_FORCES 35
#define OV_DNA_SURFACES 36
#define OV_DNA_TEXTURE 37
#define OV_DNA_MAX_LINKS 1048576
#define OV_SUBSTANCE_POSITION 307
#define OV_SUBSTANCE_MASS 308
#define OV_SUBSTANCE_RANGE 309
#define OV_SUBSTANCE_SOLID 310
#define OV_FORCE_FIRST 319
#define OV_FORCE_SECOND 320
#define OV_FORCE_LENGTH 321
#define OV_FORCE_RESILIENCE 322
#define OV_SURFACE_CORNER 336 /* 336, 337, 338 */
#define OV_SURFACE_COORD 342 /* 342, 343, 344 */
#define OV_SURFACE_TEXTURE 58
#define OV_PHYSICS_STEP (1.0 / 60.0)
#define OV_PHYSICS_DRAG 0.5
/* Setters refuse (do nothing on) values that are not finite or beyond these
 * magnitudes: positions' x and y, ranges and rest lengths in pixels, masses
 * in kilograms, resilience in hertz. */
#define OV_PHYSICS_MAX_LENGTH 1.0e7
#define OV_PHYSICS_MAX_MASS 1.0e9
#define OV_PHYSICS_MAX_RESILIENCE 1.0e4
OV_API int OvDnaCreate(OvHandle* dna);
OV_API int OvDnaBirth(OvHandle dna, int substances, int forces, int surfaces);
OV_API int OvDnaLink(OvHandle dna, int kind, int index, const OvHandle* object);
OV_API void* OvDnaGet(OvHandle dna, int kind, int index);
OV_API int OvDnaCount(OvHandle dna, int kind);
OV_API void OvDnaDraw(OvHandle dna);
OV_API void OvDnaDie(OvHandle dna, int destroyLinked);
OV_API void OvDnaDestroy(OvHandle dna);
OV_API void OvDnaAdvance(double seconds);
/* stop non-zero also takes the substance's speed away. */
OV_API int OvSubstanceCreate(OvHandle* substance);
OV_API void OvSubstanceSetPosition(OvHandle substance, OvFour position, int stop);
OV_API void OvSubstanceSetMass(OvHandle substance, double mass);
OV_API void OvSubstanceSetRange(OvHandle substance, double range);
OV_API void OvSubstanceSetSolid(OvHandle substance, int solid);
OV_API void* OvSubstanceGet(OvHandle substance, int property);
OV_API void OvSubstanceDestroy(OvHandle substance);
OV_API int OvCovalenceForceCreate(OvHandle* force);
OV_API void OvCovalenceForceSetSubstance(OvHandle force, int end, OvHandle substance);
OV_API void OvCovalenceForceSetResilience(OvHandle force, double resilience);
OV_API void OvCovalenceForceSetForce(OvHandle force, double restLength);
OV_API void* OvCovalenceForceGet(OvHandle force, int property);
OV_API void OvCovalenceForceDestroy(OvHandle force);
OV_API int OvSurfaceCreate(OvHandle* surface);
OV_API void OvSurfaceSetSubstance(OvHandle surface, int corner, OvHandle substance);
OV_API void OvSurfaceSetCoord(OvHandle surface, int corner, OvFour coord);
OV_API void OvSurfaceSetTexture(OvHandle surface, OvHandle texture, int property);
OV_API void* OvSurfaceGet(OvHandle surface, int property);
OV_API void OvSurfaceDestroy(OvHandle surface);

#ifdef __cplusplus
}
#endif

#endif

// Engine start and shutdown.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/font/FontStore.h"
#include "ovcore/engine/render/FrameCapture.h"
#include "ovcore/engine/core/LogoResource.h"
#include "ovcore/engine/render/RenderShutdown.h"
#include "ovcore/engine/physics/SoftBodyWorld.h"

namespace {
bool g_started = false;
}  // namespace

extern "C" OV_API int OvVersion(void) { return OV_VERSION; }

extern "C" OV_API int OvInitiation(void) {
    ov::RegisterLogoResource();
    g_started = true;
    return 1;
}

extern "C" OV_API void OvClosure(void) {
    ov::WriteCapturedFrame();
    OvShaderShutdown();
    OvRenderShutdown();
    ov::Fonts().DestroyAll();
    ov::SoftBodies().Reset();
    g_started = false;
}

// Engine start and shutdown.
#include "engine/OrvoCore.h"
#include "engine/font/FontStore.h"
#include "engine/render/FrameCapture.h"
#include "engine/core/LogoResource.h"
#include "engine/render/RenderShutdown.h"
#include "engine/physics/SoftBodyWorld.h"

namespace {
bool g_started = false;
}

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

// Engine start and shutdown.
#include "engine/OrvoCore.h"
#include "engine/FontStore.h"
#include "engine/FrameCapture.h"
#include "engine/LogoResource.h"
#include "engine/RenderShutdown.h"

namespace {
bool g_started = false;
}

extern "C" OV_API int OvInitiation(void) {
    ov::RegisterLogoResource();
    g_started = true;
    return 1;
}

extern "C" OV_API void OvClosure(void) {
    ov::WriteCapturedFrame();
    OvRenderShutdown();
    ov::Fonts().DestroyAll();
    g_started = false;
}

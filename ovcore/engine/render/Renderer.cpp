#include "ovcore/engine/render/Renderer.h"

#include "ovcore/engine/render/Batch.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/RenderContext.h"

namespace ov {

namespace {

[[maybe_unused]] const bool g_flushHookInstalled = (Render().SetFlushHook(&FlushBatch), true);

}  // namespace

void BindTexture(unsigned glName, int, int) { Batch::Instance().BindTexture(glName); }

void FlushBatch() { Batch::Instance().Flush(); }

void UseUserPrograms(const UserPrograms& programs) { Batch::Instance().UsePrograms(programs); }

}  // namespace ov

extern "C" OV_API void OvRenderBindGlTexture(unsigned glName, int width, int height) {
    ov::BindTexture(glName, width, height);
}

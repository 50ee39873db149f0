#include "engine/Renderer.h"

#include "engine/Batch.h"
#include "engine/RenderContext.h"

namespace ov {

namespace {

[[maybe_unused]] const bool g_flushHookInstalled = (Render().SetFlushHook(&FlushBatch), true);

}  // namespace

void BindTexture(unsigned glName, int, int) {
    Batch::Instance().BindTexture(glName);
}

void FlushBatch() {
    Batch::Instance().Flush();
}

void UseBatchProgram(unsigned program) {
    Batch::Instance().UseProgram(program);
}

}  // namespace ov

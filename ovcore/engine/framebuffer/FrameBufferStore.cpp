#include "ovcore/engine/framebuffer/FrameBufferStore.h"

#include "ovcore/engine/render/RenderContext.h"
#include "ovcore/engine/render/RenderTargetTable.h"
#include "ovcore/engine/render/Renderer.h"
#include "ovcore/engine/texture/TextureGl.h"
#include "ovcore/engine/texture/TextureStore.h"
#include "ovcore/platform/Diagnostics.h"

#include <epoxy/gl.h>

#include <algorithm>

namespace ov {

namespace {

uint32_t CurrentTargetId() {
    const RenderContext& render = Render();
    return render.Ready() ? render.Current()->id : 0;
}

// Attaches the texture and checks the result, keeping the draw binding as it was.
bool Attach(unsigned framebuffer, unsigned textureGlName) {
    GLint previous = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, textureGlName, 0);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    if (status == GL_FRAMEBUFFER_COMPLETE) return true;
    PlatformReportFailure("engine: frame buffer refused: GL status 0x%04X for texture %u", status, textureGlName);
    return false;
}

}  // namespace

FrameBuffer* FrameBufferStore::Create(uint32_t textureId, bool ownsTexture) {
    Texture* texture = Textures().FindById(textureId);
    if (!texture || !texture->HasPixels()) return nullptr;
    FrameBuffer* created = frameBuffers_.AddWithId();
    if (!created) return nullptr;
    created->textureId = textureId;
    created->ownTextureId = ownsTexture ? textureId : 0;
    AttachedTexture(*created);
    return created;
}

Texture* FrameBufferStore::AttachedTexture(FrameBuffer& frameBuffer) const {
    Texture* texture = Textures().FindById(frameBuffer.textureId);
    if (!texture || !texture->HasPixels()) return nullptr;
    frameBuffer.width = texture->width;
    frameBuffer.height = texture->height;
    frameBuffer.textureHandle = OvHandle{0, texture->id};
    return texture;
}

unsigned FrameBufferStore::ObjectFor(FrameBuffer& frameBuffer, uint32_t targetId, unsigned textureGlName) {
    FramebufferObject* object = nullptr;
    for (FramebufferObject& candidate : frameBuffer.objects) {
        if (candidate.targetId == targetId) object = &candidate;
    }
    if (!object) {
        FramebufferObject made{targetId, 0, 0};
        glGenFramebuffers(1, &made.glName);
        if (made.glName == 0) return 0;
        frameBuffer.objects.push_back(made);
        object = &frameBuffer.objects.back();
    }
    if (object->attachedTexture != frameBuffer.textureId) {
        object->attachedTexture = 0;
        if (!Attach(object->glName, textureGlName)) return 0;
        object->attachedTexture = frameBuffer.textureId;
    }
    return object->glName;
}

bool FrameBufferStore::Activate(FrameBuffer& frameBuffer) {
    const uint32_t targetId = CurrentTargetId();
    if (targetId == 0) {
        PlatformReportFailure("engine: frame buffer %u not activated: no render target is current", frameBuffer.id);
        return false;
    }
    if (!FramebufferObjectsSupported()) {
        PlatformReportFailure("engine: frame buffer %u not activated: this GL has no framebuffer objects",
                              frameBuffer.id);
        return false;
    }
    Texture* texture = AttachedTexture(frameBuffer);
    if (!texture) return false;
    FlushBatch();
    const unsigned object = ObjectFor(frameBuffer, targetId, texture->glName);
    if (object == 0) return false;
    glBindFramebuffer(GL_FRAMEBUFFER, object);
    if (activeId_ != 0 && activeTargetId_ != targetId) {
        RestoreTargetViewport();
        activeId_ = 0;
    }
    if (activeId_ == 0) SaveTargetViewport(targetId);
    activeId_ = frameBuffer.id;
    activeTargetId_ = targetId;
    CoverFrameBuffer(frameBuffer);
    return true;
}

// Cameras and area changes re-apply the target's viewport, so while a frame
// buffer is active the target's rectangle is its pixels; the target's own
// comes back at deactivation unless it was set anew meanwhile.
void FrameBufferStore::SaveTargetViewport(uint32_t targetId) {
    RenderTarget* target = RenderTargets().Find(OvHandle{0, targetId});
    if (target) std::copy(target->viewport, target->viewport + 4, savedViewport_);
}

void FrameBufferStore::CoverFrameBuffer(const FrameBuffer& frameBuffer) {
    RenderTarget* target = RenderTargets().Find(OvHandle{0, activeTargetId_});
    if (!target) return;
    const int cover[4] = {0, 0, frameBuffer.width, frameBuffer.height};
    std::copy(cover, cover + 4, target->viewport);
    std::copy(cover, cover + 4, coverViewport_);
    Render().ApplyViewport();
}

void FrameBufferStore::RestoreTargetViewport() {
    RenderTarget* target = RenderTargets().Find(OvHandle{0, activeTargetId_});
    if (!target || !std::equal(coverViewport_, coverViewport_ + 4, target->viewport)) return;
    std::copy(savedViewport_, savedViewport_ + 4, target->viewport);
}

void FrameBufferStore::Unactivate(FrameBuffer& frameBuffer) {
    if (activeId_ != frameBuffer.id) return;
    FlushBatch();
    const bool onCurrent = ActiveOnCurrentTarget();
    RestoreTargetViewport();
    activeId_ = 0;
    activeTargetId_ = 0;
    if (!onCurrent) return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    Render().ApplyViewport();
}

bool FrameBufferStore::SwapTexture(FrameBuffer& frameBuffer, uint32_t textureId) {
    Texture* texture = Textures().FindById(textureId);
    if (!texture || !texture->HasPixels()) return false;
    FlushBatch();
    frameBuffer.textureId = textureId;
    AttachedTexture(frameBuffer);
    if (activeId_ == frameBuffer.id && ActiveOnCurrentTarget()) {
        const unsigned object = ObjectFor(frameBuffer, activeTargetId_, texture->glName);
        if (object == 0) {
            Unactivate(frameBuffer);
            return false;
        }
        CoverFrameBuffer(frameBuffer);
    }
    return true;
}

void FrameBufferStore::DeleteObjects(FrameBuffer& frameBuffer) {
    // Objects of other contexts go with their contexts.
    const uint32_t targetId = CurrentTargetId();
    if (targetId == 0) return;
    for (FramebufferObject& object : frameBuffer.objects) {
        if (object.targetId == targetId) glDeleteFramebuffers(1, &object.glName);
    }
}

void FrameBufferStore::Destroy(FrameBuffer& frameBuffer) {
    FlushBatch();
    Unactivate(frameBuffer);
    DeleteObjects(frameBuffer);
    Texture* own =
        frameBuffer.ownTextureId == frameBuffer.textureId ? Textures().FindById(frameBuffer.ownTextureId) : nullptr;
    if (own) Textures().Destroy(*own);
    frameBuffers_.Destroy(OvHandle{0, frameBuffer.id});
}

void FrameBufferStore::DestroyAll() {
    if (activeId_ != 0 && ActiveOnCurrentTarget()) glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (activeId_ != 0) RestoreTargetViewport();
    frameBuffers_.ForEach([this](OvHandle, FrameBuffer& frameBuffer) { DeleteObjects(frameBuffer); });
    frameBuffers_.Clear();
    activeId_ = 0;
    activeTargetId_ = 0;
}

bool FrameBufferStore::ActiveOnCurrentTarget() const { return activeId_ != 0 && CurrentTargetId() == activeTargetId_; }

FrameBufferStore& FrameBuffers() {
    static FrameBufferStore store;
    return store;
}

bool FramebufferObjectsSupported() {
    if (!GlAvailable()) return false;
    static const bool supported = epoxy_gl_version() >= 30 || epoxy_has_gl_extension("GL_ARB_framebuffer_object");
    return supported;
}

bool ReadTargetBackBuffer(int x, int y, int width, int height, uint8_t* rgba) {
    if (!FrameBuffers().ActiveOnCurrentTarget()) {
        return OvRenderTargetReadPixels(x, y, width, height, rgba) == 1;
    }
    GLint previous = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    const bool read = OvRenderTargetReadPixels(x, y, width, height, rgba) == 1;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previous));
    return read;
}

}  // namespace ov

// Engine-internal: releases every render target and the share root; the
// engine's closure calls it.
#pragma once

void OvRenderShutdown();
void OvTextureShutdown();
void OvFrameBufferShutdown();
void OvShaderShutdown();

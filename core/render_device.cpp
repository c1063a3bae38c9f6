#include "core/render_device.h"

namespace tovan {

cRenderer* RenderDevice = nullptr;
int RenderDeviceEpoch = 0;
cRenderStateCache RenderStates;
cMat4 UiTransform;

namespace {
// Without a device the cache keeps its value, so the first real device is
// told every state that differs from the start values.
template <class T>
void SetCached(T& cached, T value, void (cRenderer::*set)(T)) {
    if (cached == value || !RenderDevice)
        return;
    (RenderDevice->*set)(value);
    cached = value;
}
}  // namespace

void cRenderStateCache::SetBlendState(int state) { SetCached(m_BlendState, state, &cRenderer::SetBlendState); }
void cRenderStateCache::SetStateA(int state) { SetCached(m_StateA, state, &cRenderer::SetRenderStateA); }
void cRenderStateCache::SetStateB(int state) { SetCached(m_StateB, state, &cRenderer::SetRenderStateB); }
void cRenderStateCache::SetRenderFlag(bool on) { SetCached(m_RenderFlag, on, &cRenderer::SetRenderFlag); }

void SetUiTransform(const cMat4& transform) {
    UiTransform = transform;
    if (RenderDevice)
        RenderDevice->ApplyUiTransform();
}

}  // namespace tovan

// cRenderer: the graphics back end the host program supplies through
// RenderDevice before the first frame. The framework only declares and calls
// it. Integer ids name textures, shaders, uniforms, samplers, buffers and
// states; callers never free them. The operations are declared in the order
// of the device's table of virtual operations, which the host implements.
#pragma once
#include "core/mat.h"
#include "core/rect.h"
#include "core/vec.h"

namespace tovan {

class cRenderer {
public:
    virtual void SetScissor(const cRect* rect) = 0;
    virtual int LoadTexture(const char* path) = 0;  // -1 on failure
    virtual void ReloadTextures() = 0;              // ids stay valid
    virtual void ReloadTexture(const char* path) = 0;
    virtual int GetTextureWidth(int texture) = 0;
    virtual int GetTextureHeight(int texture) = 0;
    virtual int GetTextureDepth(int texture) = 0;  // 1 when flat
    virtual int GetTextureFormat(int texture) = 0;
    virtual int GetTextureMipCount(int texture) = 0;  // 1 without mip levels
    // Callers pass (name, -1, defines or null, 0); the id is stable per name and defines.
    virtual int GetShader(const char* name, int variant, const char* defines, int flags) = 0;
    virtual int GetUniform(int shader, const char* name) = 0;
    virtual void BindShader(int shader) = 0;
    virtual void ReloadShaders() = 0;  // shader ids stay valid
    virtual int CreateVertexBuffer(const void* data, int bytes) = 0;
    virtual int CreateIndexBuffer(const void* data, int count, int indexBytes) = 0;  // indexBytes 4
    virtual void ReleaseVertexBuffer(int buffer) = 0;
    virtual void ReleaseIndexBuffer(int buffer) = 0;
    // Primitive 1 line list, 2 line strip, 3 triangle list.
    virtual void Draw(int primitive, const void* vertices, int count) = 0;
    virtual void DrawIndexed(int primitive, const void* vertices, int vertexCount, const void* indices, int indexCount,
                             int indexBytes) = 0;
    virtual void SetRenderFlag(bool on) = 0;
    virtual int CreateSamplerState(int a, int b, int c, int d) = 0;
    virtual void SetTextureSampler(int texture, int state) = 0;  // state -1: the default
    virtual int GetSampler(int shader, const char* name) = 0;
    virtual void BindTexture(int sampler, int texture) = 0;
    virtual void SetUniformColor(int uniform, const cColor* color) = 0;
    virtual void SetUniformVec2(int uniform, const float* xy) = 0;
    virtual void SetUniformFloat(int uniform, float value) = 0;
    virtual void ApplyUiTransform() = 0;  // UiTransform changed
    virtual int CreateBlendState(int a, int b, int c, int d) = 0;
    virtual void SetBlendState(int state) = 0;
    virtual void SetRenderStateA(int state) = 0;
    virtual void SetRenderStateB(int state) = 0;

protected:
    ~cRenderer() = default;  // owned by the host, never deleted through this interface
};

// Set by the host; null until then, and every call below does nothing while it is.
extern cRenderer* RenderDevice;
// Moved on by whoever puts in a new device at an old one's address (test
// doubles), so that ids kept per device are asked for again.
extern int RenderDeviceEpoch;

// The device state every caller shares, so a set reaches the device only when
// the value changes. Start values: blend state, states A and B 0, flag false.
class cRenderStateCache {
public:
    int m_BlendState = 0;
    int m_StateA = 0;
    int m_StateB = 0;
    bool m_RenderFlag = false;

    void SetBlendState(int state);
    void SetStateA(int state);
    void SetStateB(int state);
    void SetRenderFlag(bool on);
    void Reset() { *this = cRenderStateCache(); }  // the start values, for a fresh device
};

extern cRenderStateCache RenderStates;

// The shared UI transform (GUI coordinates to device pixels), identity at start.
extern cMat4 UiTransform;
// Stores the matrix and tells the device.
void SetUiTransform(const cMat4& transform);

}  // namespace tovan

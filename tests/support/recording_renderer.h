// A render device for tests. It records every call in order with its
// arguments, and copies the vertex and index data of draws and buffers at the
// time of the call, so a test reads back what was drawn or uploaded after the
// caller's own lists changed. While it lives it is the RenderDevice, and the
// shared render-state cache and UI transform start from their initial values.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/render_device.h"

namespace tovan::test {

struct RenderCall {
    std::string op;                 // the operation's name, as "DrawIndexed"
    std::vector<int> ints;          // integer and id arguments in order (bools as 0 or 1)
    std::vector<float> floats;      // float arguments, a rectangle's or colour's four values, a vec2's two
    std::string text;               // the path, name or defines ("" for null)
    bool null = false;              // a pointer argument was null
    std::vector<uint8_t> vertices;  // copied vertex bytes
    std::vector<uint32_t> indices;  // copied indices
};

class RecordingRenderer : public cRenderer {
public:
    RecordingRenderer();
    ~RecordingRenderer();
    RecordingRenderer(const RecordingRenderer&) = delete;
    RecordingRenderer& operator=(const RecordingRenderer&) = delete;

    const std::vector<RenderCall>& Calls() const { return m_Calls; }
    std::vector<RenderCall> CallsNamed(const std::string& op) const;
    std::vector<std::string> Ops() const;  // the names in order
    void ClearCalls() { m_Calls.clear(); }

    // Bytes per vertex of draws while the shader of this name is bound (16, the
    // UI vertex, for every other shader).
    void SetVertexBytes(const std::string& shader, int bytes) { m_VertexBytes[shader] = bytes; }
    // What the texture queries answer for a texture id (else 0, depth and mips 1).
    struct TextureInfo {
        int width = 0, height = 0, depth = 1, format = 0, mips = 1;
    };
    void SetTexture(int id, const TextureInfo& info) { m_Textures[id] = info; }
    // LoadTexture answers -1 for this path.
    void FailTexture(const std::string& path) { m_FailedPaths.push_back(path); }
    // Buffer ids count up from 1; the shader id is stable per name and defines.
    int BoundShader() const { return m_Shader; }
    std::string ShaderName(int id) const;

    void SetScissor(const cRect* rect) override;
    int LoadTexture(const char* path) override;
    void ReloadTextures() override;
    void ReloadTexture(const char* path) override;
    int GetTextureWidth(int texture) override;
    int GetTextureHeight(int texture) override;
    int GetTextureDepth(int texture) override;
    int GetTextureFormat(int texture) override;
    int GetTextureMipCount(int texture) override;
    int GetShader(const char* name, int variant, const char* defines, int flags) override;
    int GetUniform(int shader, const char* name) override;
    void BindShader(int shader) override;
    void ReloadShaders() override;
    int CreateVertexBuffer(const void* data, int bytes) override;
    int CreateIndexBuffer(const void* data, int count, int indexBytes) override;
    void ReleaseVertexBuffer(int buffer) override;
    void ReleaseIndexBuffer(int buffer) override;
    void Draw(int primitive, const void* vertices, int count) override;
    void DrawIndexed(int primitive, const void* vertices, int vertexCount, const void* indices, int indexCount,
                     int indexBytes) override;
    void SetRenderFlag(bool on) override;
    int CreateSamplerState(int a, int b, int c, int d) override;
    void SetTextureSampler(int texture, int state) override;
    int GetSampler(int shader, const char* name) override;
    void BindTexture(int sampler, int texture) override;
    void SetUniformColor(int uniform, const cColor* color) override;
    void SetUniformVec2(int uniform, const float* xy) override;
    void SetUniformFloat(int uniform, float value) override;
    void ApplyUiTransform() override;
    int CreateBlendState(int a, int b, int c, int d) override;
    void SetBlendState(int state) override;
    void SetRenderStateA(int state) override;
    void SetRenderStateB(int state) override;

private:
    RenderCall& Record(const char* op, std::vector<int> ints = {}, const char* text = nullptr);
    int Id(const std::string& key);  // stable per key
    int VertexBytes() const;
    const TextureInfo& Texture(int id) const;

    cRenderer* m_Previous;
    std::vector<RenderCall> m_Calls;
    std::map<std::string, int> m_Ids;
    std::map<int, std::string> m_ShaderNames;
    std::map<std::string, int> m_VertexBytes;
    std::map<int, TextureInfo> m_Textures;
    std::vector<std::string> m_FailedPaths;
    int m_NextId = 1;
    int m_NextBuffer = 1;
    int m_Shader = -1;
};

}  // namespace tovan::test

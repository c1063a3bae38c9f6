#include "tests/support/recording_renderer.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tovan::test {

namespace {
std::string TextOf(const char* text) { return text ? text : ""; }

std::vector<uint32_t> CopyIndices(const void* data, int count, int indexBytes) {
    std::vector<uint32_t> out;
    if (!data || count <= 0)
        return out;
    out.resize(size_t(count));
    const uint8_t* p = static_cast<const uint8_t*>(data);
    for (int i = 0; i < count; ++i) {
        if (indexBytes == 2) {
            uint16_t v;
            std::memcpy(&v, p + 2 * i, 2);
            out[size_t(i)] = v;
        } else {
            std::memcpy(&out[size_t(i)], p + 4 * size_t(i), 4);
        }
    }
    return out;
}

std::vector<uint8_t> CopyBytes(const void* data, int64_t bytes) {
    if (!data || bytes <= 0)
        return {};
    const uint8_t* p = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(p, p + bytes);
}
}  // namespace

RecordingRenderer::RecordingRenderer() : m_Previous(RenderDevice) {
    RenderDevice = this;
    ++RenderDeviceEpoch;
    RenderStates.Reset();
    UiTransform.SetIdentity();
}

RecordingRenderer::~RecordingRenderer() {
    RenderDevice = m_Previous;
    RenderStates.Reset();
    UiTransform.SetIdentity();
}

std::vector<RenderCall> RecordingRenderer::CallsNamed(const std::string& op) const {
    std::vector<RenderCall> out;
    for (const RenderCall& call : m_Calls)
        if (call.op == op)
            out.push_back(call);
    return out;
}

std::vector<std::string> RecordingRenderer::Ops() const {
    std::vector<std::string> out;
    for (const RenderCall& call : m_Calls)
        out.push_back(call.op);
    return out;
}

std::string RecordingRenderer::ShaderName(int id) const {
    auto found = m_ShaderNames.find(id);
    return found == m_ShaderNames.end() ? "" : found->second;
}

RenderCall& RecordingRenderer::Record(const char* op, std::vector<int> ints, const char* text) {
    m_Calls.push_back({});
    RenderCall& call = m_Calls.back();
    call.op = op;
    call.ints = std::move(ints);
    call.text = TextOf(text);
    return call;
}

int RecordingRenderer::Id(const std::string& key) {
    auto found = m_Ids.find(key);
    if (found != m_Ids.end())
        return found->second;
    return m_Ids[key] = m_NextId++;
}

int RecordingRenderer::VertexBytes() const {
    auto found = m_VertexBytes.find(ShaderName(m_Shader));
    return found == m_VertexBytes.end() ? 16 : found->second;
}

const RecordingRenderer::TextureInfo& RecordingRenderer::Texture(int id) const {
    static const TextureInfo none;
    auto found = m_Textures.find(id);
    return found == m_Textures.end() ? none : found->second;
}

void RecordingRenderer::SetScissor(const cRect* rect) {
    RenderCall& call = Record("SetScissor");
    call.null = !rect;
    if (rect)
        call.floats = {rect->x0, rect->y0, rect->x1, rect->y1};
}

int RecordingRenderer::LoadTexture(const char* path) {
    const std::string name = TextOf(path);
    const bool failed = std::find(m_FailedPaths.begin(), m_FailedPaths.end(), name) != m_FailedPaths.end();
    const int id = failed ? -1 : Id("texture:" + name);
    Record("LoadTexture", {id}, path);
    return id;
}

void RecordingRenderer::ReloadTextures() { Record("ReloadTextures"); }
void RecordingRenderer::ReloadTexture(const char* path) { Record("ReloadTexture", {}, path); }

int RecordingRenderer::GetTextureWidth(int texture) {
    Record("GetTextureWidth", {texture});
    return Texture(texture).width;
}
int RecordingRenderer::GetTextureHeight(int texture) {
    Record("GetTextureHeight", {texture});
    return Texture(texture).height;
}
int RecordingRenderer::GetTextureDepth(int texture) {
    Record("GetTextureDepth", {texture});
    return Texture(texture).depth;
}
int RecordingRenderer::GetTextureFormat(int texture) {
    Record("GetTextureFormat", {texture});
    return Texture(texture).format;
}
int RecordingRenderer::GetTextureMipCount(int texture) {
    Record("GetTextureMipCount", {texture});
    return Texture(texture).mips;
}

int RecordingRenderer::GetShader(const char* name, int variant, const char* defines, int flags) {
    const int id = Id("shader:" + TextOf(name) + "|" + TextOf(defines));
    m_ShaderNames[id] = TextOf(name);
    RenderCall& call = Record("GetShader", {variant, flags, id}, name);
    call.null = !defines;
    if (defines)
        call.text += "|" + std::string(defines);
    return id;
}

int RecordingRenderer::GetUniform(int shader, const char* name) {
    const int id = Id("uniform:" + std::to_string(shader) + ":" + TextOf(name));
    Record("GetUniform", {shader, id}, name);
    return id;
}

void RecordingRenderer::BindShader(int shader) {
    m_Shader = shader;
    Record("BindShader", {shader});
}

void RecordingRenderer::ReloadShaders() { Record("ReloadShaders"); }

int RecordingRenderer::CreateVertexBuffer(const void* data, int bytes) {
    const int id = m_NextBuffer++;
    RenderCall& call = Record("CreateVertexBuffer", {bytes, id});
    call.vertices = CopyBytes(data, bytes);
    return id;
}

int RecordingRenderer::CreateIndexBuffer(const void* data, int count, int indexBytes) {
    const int id = m_NextBuffer++;
    RenderCall& call = Record("CreateIndexBuffer", {count, indexBytes, id});
    call.indices = CopyIndices(data, count, indexBytes);
    return id;
}

void RecordingRenderer::ReleaseVertexBuffer(int buffer) { Record("ReleaseVertexBuffer", {buffer}); }
void RecordingRenderer::ReleaseIndexBuffer(int buffer) { Record("ReleaseIndexBuffer", {buffer}); }

void RecordingRenderer::Draw(int primitive, const void* vertices, int count) {
    RenderCall& call = Record("Draw", {primitive, count, m_Shader});
    call.vertices = CopyBytes(vertices, int64_t(count) * VertexBytes());
}

void RecordingRenderer::DrawIndexed(int primitive, const void* vertices, int vertexCount, const void* indices,
                                    int indexCount, int indexBytes) {
    RenderCall& call = Record("DrawIndexed", {primitive, vertexCount, indexCount, indexBytes, m_Shader});
    call.vertices = CopyBytes(vertices, int64_t(vertexCount) * VertexBytes());
    call.indices = CopyIndices(indices, indexCount, indexBytes);
}

void RecordingRenderer::SetRenderFlag(bool on) { Record("SetRenderFlag", {on ? 1 : 0}); }

int RecordingRenderer::CreateSamplerState(int a, int b, int c, int d) {
    const int id = m_NextId++;
    Record("CreateSamplerState", {a, b, c, d, id});
    return id;
}

void RecordingRenderer::SetTextureSampler(int texture, int state) { Record("SetTextureSampler", {texture, state}); }

int RecordingRenderer::GetSampler(int shader, const char* name) {
    const int id = Id("sampler:" + std::to_string(shader) + ":" + TextOf(name));
    Record("GetSampler", {shader, id}, name);
    return id;
}

void RecordingRenderer::BindTexture(int sampler, int texture) { Record("BindTexture", {sampler, texture}); }

void RecordingRenderer::SetUniformColor(int uniform, const cColor* color) {
    RenderCall& call = Record("SetUniformColor", {uniform});
    call.null = !color;
    if (color)
        call.floats = {color->r, color->g, color->b, color->a};
}

void RecordingRenderer::SetUniformVec2(int uniform, const float* xy) {
    RenderCall& call = Record("SetUniformVec2", {uniform});
    call.null = !xy;
    if (xy)
        call.floats = {xy[0], xy[1]};
}

void RecordingRenderer::SetUniformFloat(int uniform, float value) {
    Record("SetUniformFloat", {uniform}).floats = {value};
}

void RecordingRenderer::ApplyUiTransform() {
    RenderCall& call = Record("ApplyUiTransform");
    for (const auto& row : UiTransform.m)
        call.floats.insert(call.floats.end(), row, row + 4);
}

int RecordingRenderer::CreateBlendState(int a, int b, int c, int d) {
    const int id = m_NextId++;
    Record("CreateBlendState", {a, b, c, d, id});
    return id;
}

void RecordingRenderer::SetBlendState(int state) { Record("SetBlendState", {state}); }
void RecordingRenderer::SetRenderStateA(int state) { Record("SetRenderStateA", {state}); }
void RecordingRenderer::SetRenderStateB(int state) { Record("SetRenderStateB", {state}); }

}  // namespace tovan::test

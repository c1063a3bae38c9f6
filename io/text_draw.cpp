// Drawing laid-out text through the render device, in GUI space or at the
// screen position of a world point.
#include "core/pack_color.h"
#include "core/render_device.h"
#include "core/view.h"
#include "io/font.h"

namespace tovan {

namespace {

// Which device an id came from: ids are fetched once, and again only when the
// host puts in another device.
struct DeviceStamp {
    const cRenderer* device = nullptr;
    int epoch = 0;

    bool Renew(const cRenderer& d) {
        if (device == &d && epoch == RenderDeviceEpoch)
            return false;
        device = &d, epoch = RenderDeviceEpoch;
        return true;
    }
};

struct FontDeviceIds {
    DeviceStamp blendFrom, shaderFrom;
    int blend = -1, shader = -1, glyphs = -1, sampler = -1;

    int Blend(cRenderer& d) {
        if (blendFrom.Renew(d))
            blend = d.CreateBlendState(4, 5, 0, 15);
        return blend;
    }
    void Shader(cRenderer& d) {
        if (!shaderFrom.Renew(d))
            return;
        shader = d.GetShader("Font", -1, nullptr, 0);
        glyphs = d.GetSampler(shader, "s_Glyphs");
        sampler = d.CreateSamplerState(1, 1, 1, 1);
    }
};

FontDeviceIds g_Ids;
// Emptied at every draw; they keep their blocks so drawing stops allocating.
cList<cTextVertex> g_Vertices;
cList<int32_t> g_Indices;

void Submit(const cFont& font) {
    cRenderer& device = *RenderDevice;
    const bool flagWasOn = RenderStates.m_RenderFlag;
    if (flagWasOn)
        RenderStates.SetRenderFlag(false);
    RenderStates.SetBlendState(g_Ids.Blend(device));
    RenderStates.SetStateA(-1);
    RenderStates.SetStateB(0);
    g_Ids.Shader(device);
    device.BindShader(g_Ids.shader);
    device.SetTextureSampler(font.m_Texture, g_Ids.sampler);
    device.BindTexture(g_Ids.glyphs, font.m_Texture);
    device.DrawIndexed(3, g_Vertices.Data(), g_Vertices.Count(), g_Indices.Data(), g_Indices.Count(), 4);
    if (flagWasOn)
        RenderStates.SetRenderFlag(true);
}

// The planes of the GUI-space box that the view-projection maps the visible
// world into: x and y within the viewport, z from 0 to w (row vectors).
void FrustumFromMatrix(const cView& view, cVec4 planes[6]) {
    const cMat4& m = view.m_ViewProjection;
    auto column = [&](int j) { return cVec4{m.m[0][j], m.m[1][j], m.m[2][j], m.m[3][j]}; };
    const cVec4 x = column(0), y = column(1), z = column(2), w = column(3);
    const cRect& port = view.m_Viewport;
    planes[0] = x - w * port.x0;
    planes[1] = w * port.x1 - x;
    planes[2] = y - w * port.y0;
    planes[3] = w * port.y1 - y;
    planes[4] = z;
    planes[5] = w - z;
}

bool InsideFrustum(const cView& view, const cVec3& p) {
    const cVec4* planes = view.m_Frustum;
    cVec4 derived[6];
    bool carried = false;
    for (int i = 0; i < 6; ++i)
        carried = carried || planes[i] != cVec4{};
    if (!carried) {  // a host that leaves the planes unset
        FrustumFromMatrix(view, derived);
        planes = derived;
    }
    for (int i = 0; i < 6; ++i)
        if (planes[i].x * p.x + planes[i].y * p.y + planes[i].z * p.z + planes[i].w < 0)
            return false;
    return true;
}

}  // namespace

cRect DrawTextCodes(int32_t font, float x, const cList<uint16_t>& codes, float y, uint8_t flags, const cColor* color) {
    const cFont* f = GetFont(font);
    if (!f || codes.IsEmpty())
        return {0, 0, 0, 0};
    g_Vertices.ResizeUnset(0);
    g_Indices.ResizeUnset(0);
    const uint32_t packed = PackColor(color ? *color : cColor{0, 0, 0, 1});
    const cRect box = LayoutText(*f, x, y, codes.Data(), codes.Count(), flags, packed, g_Vertices, g_Indices);
    if (!g_Indices.IsEmpty() && RenderDevice)
        Submit(*f);
    return box;
}

cRect DrawText(int32_t font, float x, const char* utf8, float y, uint8_t flags, const cColor* color) {
    static cStr text;
    static cList<uint16_t> codes;
    text.SetText(utf8);
    text.ToUtf16(codes);  // an invalid sequence ends the text
    return DrawTextCodes(font, x, codes, y, flags, color);
}

cRect DrawText3D(int32_t font, const char* utf8, const cVec3& point, uint8_t flags, const cColor* color) {
    const cView* view = CurrentView;
    if (!view || !InsideFrustum(*view, point))
        return {0, 0, 0, 0};
    const cMat4& m = view->m_ViewProjection;
    const float w = point.x * m.m[0][3] + point.y * m.m[1][3] + point.z * m.m[2][3] + m.m[3][3];
    if (!(w > 0))  // on or behind the eye: no position on the screen
        return {0, 0, 0, 0};
    const cVec3 gui = m.TransformPoint(point);
    return DrawText(font, gui.x, utf8, gui.y, flags, color);
}

}  // namespace tovan

// The 2-D primitives and the clip stack.
#include "core/render_device.h"
#include "core/pack_color.h"
#include "ui/draw.h"
#include "ui/draw_internal.h"
#include "ui/rect_ops.h"

#include <cmath>

namespace tovan {

using draw_detail::DeviceId;
using draw_detail::ShaderId;

cRect CurrentClip;
cList<cRect> ClipStack;

namespace {

bool Differs(const cRect& a, const cRect& b) {
    return std::fabs(a.x0 - b.x0) > 0.001f || std::fabs(a.y0 - b.y0) > 0.001f || std::fabs(a.x1 - b.x1) > 0.001f ||
           std::fabs(a.y1 - b.y1) > 0.001f;
}

void ApplyClip(const cRect& rect) {
    if (CurrentClip.IsEmpty() && rect.IsEmpty())
        return;
    if (!Differs(CurrentClip, rect))
        return;
    CurrentClip = rect;
    if (RenderDevice)
        RenderDevice->SetScissor(&CurrentClip);
}

const uint32_t kQuadIndices[6] = {0, 1, 2, 0, 2, 3};

// The uniforms of one variant of the gradient shader.
struct GradientShader {
    DeviceId shader;
    DeviceId from, to, centreColor, boundColor, segRadius, gradRadius, power;
    DeviceId caveFrom, caveTo, flatFrom, flatTo, halfFrom, halfTo, halfFlat;
};

int Uniform(DeviceId& cache, int shader, const char* name) {
    return cache.Get([&](cRenderer& d) { return d.GetUniform(shader, name); });
}

}  // namespace

void PushClip(const cRect& rect) {
    ClipStack.PushBack(CurrentClip);
    ApplyClip(rect);
}

void PopClip() {
    if (ClipStack.IsEmpty())
        return;
    const cRect saved = ClipStack[ClipStack.Count() - 1];
    ClipStack.RemoveAt(ClipStack.Count() - 1);
    ApplyClip(saved);
}

void DrawSolidRect(const cRect* rect, const cColor* color) {
    if (!rect || rect->IsEmpty() || !color || !RenderDevice)
        return;
    static DeviceId shader;
    static ColorVertex vertices[4];
    const uint32_t c = PackColor(*color);
    vertices[0] = {rect->x0, rect->y1, 0, c};
    vertices[1] = {rect->x0, rect->y0, 0, c};
    vertices[2] = {rect->x1, rect->y0, 0, c};
    vertices[3] = {rect->x1, rect->y1, 0, c};
    RenderStates.SetStateA(-1);
    RenderStates.SetStateB(0);
    RenderDevice->BindShader(ShaderId(shader, "SolidUI"));
    RenderDevice->DrawIndexed(3, vertices, 4, kQuadIndices, 6, 4);
}

void DrawRadialGradient(const cVec2& from, const cVec2& toPoint, float segRadius, float gradRadius, float power,
                        int flags, const cColor* centreColor, const cColor* boundColor) {
    if (!RenderDevice || !centreColor || !boundColor)
        return;
    cVec2 to = toPoint;
    if (to == from)
        to = from + cVec2{0.001f, 0};
    const cVec2 d = Normalize(to - from);
    const cVec2 n{-d.y, d.x};  // the left of from -> to
    const float margin = segRadius + gradRadius;
    const float beforeFrom = flags & (kGradientStopFrom | kGradientFlatFrom) ? 0 : margin;
    const float afterTo = flags & (kGradientStopTo | kGradientFlatTo) ? 0 : margin;
    const float left = flags & kGradientRightOnly ? 0 : margin;
    const float right = flags & kGradientLeftOnly ? 0 : margin;
    const cVec2 corners[4] = {from - d * beforeFrom + n * left, from - d * beforeFrom - n * right,
                              to + d * afterTo - n * right, to + d * afterTo + n * left};

    cRect screen;
    for (const cVec2& corner : corners) {
        const cVec3 p = UiTransform.TransformPoint({corner.x, corner.y, 0});
        const float x = RoundPixel(p.x), y = RoundPixel(p.y);
        screen.x0 = std::fmin(screen.x0, x), screen.x1 = std::fmax(screen.x1, x);
        screen.y0 = std::fmin(screen.y0, y), screen.y1 = std::fmax(screen.y1, y);
    }
    screen = Intersect(screen, CurrentClip);
    if (screen.IsEmpty())
        return;

    static DeviceId blend;
    static GradientShader variants[2];  // horizontal, general
    RenderStates.SetBlendState(blend.Get([](cRenderer& r) { return r.CreateBlendState(4, 5, 0, 15); }));
    RenderStates.SetStateA(-1);
    RenderStates.SetStateB(0);
    const bool horizontal = std::fabs(d.x - 1) <= 0.001f && std::fabs(d.y) <= 0.001f;
    GradientShader& g = variants[horizontal ? 0 : 1];
    const int shader = ShaderId(g.shader, "RadialGradientUI", horizontal ? "#define HORIZONTAL" : nullptr);
    cRenderer& r = *RenderDevice;
    r.BindShader(shader);
    const cVec2 halfLeft = n, halfRight = -n, none{0, 0};
    const cVec2 half = flags & kGradientHalfLeft ? halfLeft : flags & kGradientHalfRight ? halfRight : none;
    r.SetUniformVec2(Uniform(g.from, shader, "c_SegFrom"), &from.x);
    r.SetUniformVec2(Uniform(g.to, shader, "c_SegTo"), &to.x);
    r.SetUniformColor(Uniform(g.centreColor, shader, "c_CenterColor"), centreColor);
    r.SetUniformColor(Uniform(g.boundColor, shader, "c_BoundColor"), boundColor);
    r.SetUniformFloat(Uniform(g.segRadius, shader, "c_SegRadius"), segRadius);
    r.SetUniformFloat(Uniform(g.gradRadius, shader, "c_GradRadius"), gradRadius);
    r.SetUniformFloat(Uniform(g.power, shader, "c_Power"), power);
    r.SetUniformFloat(Uniform(g.caveFrom, shader, "c_CaveFrom"), flags & kGradientCaveFrom ? 1.0f : 0.0f);
    r.SetUniformFloat(Uniform(g.caveTo, shader, "c_CaveTo"), flags & kGradientCaveTo ? 1.0f : 0.0f);
    r.SetUniformFloat(Uniform(g.flatFrom, shader, "c_FlatFrom"), flags & kGradientFlatFrom ? 1.0f : 0.0f);
    r.SetUniformFloat(Uniform(g.flatTo, shader, "c_FlatTo"), flags & kGradientFlatTo ? 1.0f : 0.0f);
    r.SetUniformVec2(Uniform(g.halfFrom, shader, "c_HalfFrom"), &half.x);
    r.SetUniformVec2(Uniform(g.halfTo, shader, "c_HalfTo"), &half.x);
    r.SetUniformFloat(Uniform(g.halfFlat, shader, "c_HalfFlat"),
                      flags & (kGradientHalfRight | kGradientRightOnly) ? 1.0f : 0.0f);

    static ColorVertex vertices[4];
    const uint32_t c = PackColor(*centreColor);
    for (int i = 0; i < 4; ++i)
        vertices[i] = {corners[i].x, corners[i].y, 0, c};
    PushClip(screen);
    r.DrawIndexed(3, vertices, 4, kQuadIndices, 6, 4);
    PopClip();
}

void DrawFramedRect(const cRect* rect, const cColor* centreColor, float segRadius, float gradRadius, float power,
                    const cColor* boundColor) {
    if (!rect)
        return;
    if (gradRadius == 0)
        gradRadius = segRadius;
    const cRect& r = *rect;
    // Each side runs so that its left is the outside: top and bottom reach
    // round the corners, the two upright sides stop at them.
    struct Side {
        cVec2 from, to;
        int flags;
    };
    const Side sides[4] = {
        {{r.x0, r.y1}, {r.x1, r.y1}, kGradientHalfLeft},
        {{r.x1, r.y0}, {r.x0, r.y0}, kGradientLeftOnly},
        {{r.x0, r.y0}, {r.x0, r.y1}, kGradientHalfLeft | kGradientStopTo | kGradientStopFrom},
        {{r.x1, r.y1}, {r.x1, r.y0}, kGradientLeftOnly | kGradientStopTo | kGradientStopFrom},
    };
    for (const Side& side : sides)
        DrawRadialGradient(side.from, side.to, segRadius, gradRadius, power, side.flags, centreColor, boundColor);
    DrawSolidRect(rect, centreColor);
}

}  // namespace tovan

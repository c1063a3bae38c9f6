// The 3-D primitives of the manipulators and splines, all with the "Colored"
// shader.
#include "core/mat.h"
#include "core/render_device.h"
#include "core/view.h"
#include "core/pack_color.h"
#include "ui/draw.h"
#include "ui/draw_internal.h"

#include <cmath>

namespace tovan {

using draw_detail::DeviceId;
using draw_detail::ShaderId;

namespace {

constexpr float kPi = 3.1415927f;
// A sector of 180 degrees at this many segments already looks round; more
// would only let a tiny step ask for unbounded lists.
constexpr int kMaxSectorSegments = 3600;

void BindColored() {
    static DeviceId shader;
    RenderDevice->BindShader(ShaderId(shader, "Colored"));
}

ColorVertex Vertex(const cVec3& p, uint32_t color) { return {p.x, p.y, p.z, color}; }

void DrawTriangles(const cList<ColorVertex>& vertices, const cList<uint32_t>& indices) {
    RenderDevice->DrawIndexed(3, vertices.Data(), vertices.Count(), indices.Data(), indices.Count(), 4);
}

// The direction from the viewer towards a point.
cVec3 ViewDirection(const cView& view, const cVec3& at) {
    return view.m_Orthographic ? view.m_Forward : at - view.m_CameraPosition;
}

}  // namespace

void DrawLine3D(const cVec3* a, const cVec3* b, const cColor* color) {
    if (!a || !b || !color || !RenderDevice)
        return;
    static ColorVertex vertices[2];
    const uint32_t c = PackColor(*color);
    vertices[0] = Vertex(*a, c);
    vertices[1] = Vertex(*b, c);
    BindColored();
    RenderDevice->Draw(1, vertices, 2);
}

void DrawSector(const cVec3& centre, const cVec3& fromDir, float radius, const cVec3& toDir, const cColor& fillColor,
                const cColor& edgeColor, float degreesPerSegment) {
    if (!RenderDevice || Dot(fromDir, fromDir) == 0 || Dot(toDir, toDir) == 0)
        return;
    const cVec3 a = Normalize(fromDir), b = Normalize(toDir);
    const float cosine = Dot(a, b);
    const float theta = cosine <= -1 ? kPi : cosine >= 1 ? 0 : std::acos(cosine);
    int segments = 1;
    if (degreesPerSegment > 0) {
        const float wanted = std::floor(theta * 57.295776f / degreesPerSegment + 0.5f);
        segments = wanted < 1 ? 1 : wanted > kMaxSectorSegments ? kMaxSectorSegments : int(wanted);
    }
    // Opposite directions span no plane of their own: sweep through a fixed
    // perpendicular of the first.
    const bool opposite = 1 - cosine > 0.001f && std::sin(theta) < 1e-3f;
    cVec3 across, unused;
    cVec3::PerpendicularAxes(a, across, unused);
    const cVec3 normal = opposite ? Cross(a, across) : Cross(a, b);

    static cList<ColorVertex> fill, edge;
    static cList<uint32_t> indices;
    fill.DestroyItems();
    edge.DestroyItems();
    indices.DestroyItems();
    const uint32_t fillPacked = PackColor(fillColor), edgePacked = PackColor(edgeColor);
    fill.PushBack(Vertex(centre, fillPacked));
    edge.PushBack(Vertex(centre, edgePacked));
    for (int i = 0; i <= segments; ++i) {
        const float t = float(i) / float(segments);
        cVec3 dir;
        if (opposite) {
            dir = a * std::cos(t * kPi) + across * std::sin(t * kPi);
        } else if (1 - cosine > 0.001f) {
            const float s = std::sin(theta);
            dir = a * (std::sin((1 - t) * theta) / s) + b * (std::sin(t * theta) / s);
        } else {
            dir = a * (1 - t) + b * t;
        }
        const cVec3 rim = centre + Normalize(dir) * radius;
        fill.PushBack(Vertex(rim, fillPacked));
        edge.PushBack(Vertex(rim, edgePacked));
    }
    edge.PushBack(Vertex(centre, edgePacked));
    // Wound counter-clockwise as the viewer sees it.
    const bool away = CurrentView && Dot(ViewDirection(*CurrentView, centre), normal) > 0;
    for (int i = 1; i <= segments; ++i) {
        indices.PushBack(0);
        indices.PushBack(uint32_t(away ? i + 1 : i));
        indices.PushBack(uint32_t(away ? i : i + 1));
    }
    BindColored();
    if (indices.Count() > 2)
        DrawTriangles(fill, indices);
    RenderDevice->Draw(2, edge.Data(), edge.Count());
}

void DrawBox(const cVec3& centre, float edgeLength, const cQuat* rotation, const cColor& color) {
    if (!RenderDevice)
        return;
    static const uint32_t kBoxIndices[36] = {
        0, 1, 3, 0, 3, 2,  // -z
        4, 6, 7, 4, 7, 5,  // +z
        0, 4, 5, 0, 5, 1,  // -y
        2, 3, 7, 2, 7, 6,  // +y
        0, 2, 6, 0, 6, 4,  // -x
        1, 5, 7, 1, 7, 3,  // +x
    };
    static ColorVertex vertices[8];
    const cMat3 turn = rotation ? rotation->ToMat3() : cMat3::Identity();
    const float h = edgeLength * 0.5f;
    const uint32_t c = PackColor(color);
    for (int i = 0; i < 8; ++i) {  // bit 0 x, bit 1 y, bit 2 z
        const cVec3 corner{i & 1 ? h : -h, i & 2 ? h : -h, i & 4 ? h : -h};
        vertices[i] = Vertex(centre + turn.Transform(corner), c);
    }
    BindColored();
    RenderDevice->DrawIndexed(3, vertices, 8, kBoxIndices, 36, 4);
}

void DrawPoints(const cVec3* points, int count, float size, const cColor& color) {
    if (!RenderDevice || !CurrentView || !points || count < 1)
        return;
    static cList<ColorVertex> vertices;
    static cList<uint32_t> indices;
    vertices.DestroyItems();
    indices.DestroyItems();
    const cVec3 right = CurrentView->m_Right, up = CurrentView->m_Up;
    const uint32_t c = PackColor(color);
    for (int i = 0; i < count; ++i) {
        const cVec3 topLeft = points[i] - right * (size / 2) + up * (size / 2);
        const cVec3 bottomLeft = topLeft - up * size;
        const uint32_t base = uint32_t(vertices.Count());
        vertices.PushBack(Vertex(topLeft, c));
        vertices.PushBack(Vertex(bottomLeft, c));
        vertices.PushBack(Vertex(topLeft + right * size, c));
        vertices.PushBack(Vertex(bottomLeft + right * size, c));
        for (uint32_t k : {0u, 1u, 3u, 0u, 3u, 2u})
            indices.PushBack(base + k);
    }
    BindColored();
    DrawTriangles(vertices, indices);
}

void DrawCircle(const cVec3& centre, const cColor& color, float radius) {
    if (!RenderDevice || !CurrentView)
        return;
    static cList<ColorVertex> vertices;
    vertices.DestroyItems();
    const cVec3 up = CurrentView->m_Up * radius;
    const cVec3 side = Cross(Normalize(CurrentView->m_Forward), up);  // up turned a quarter about the view direction
    const uint32_t c = PackColor(color);
    cVec3 last = centre + up;
    for (int step = 1; step <= 360; ++step) {
        const float angle = float(step) * (kPi / 180);
        const cVec3 next = centre + up * std::cos(angle) + side * std::sin(angle);
        vertices.PushBack(Vertex(last, c));
        vertices.PushBack(Vertex(next, c));
        last = next;
    }
    BindColored();
    RenderDevice->Draw(1, vertices.Data(), vertices.Count());
}

void DrawFacingCircle(const cVec3& centre, const cVec3& axis, float radius, const cColor& color) {
    if (!RenderDevice || !CurrentView || Dot(axis, axis) == 0)
        return;
    const cView& view = *CurrentView;
    cVec3 u, v;
    cVec3::PerpendicularAxes(axis, u, v);
    const cVec3 towardViewer = view.m_Orthographic ? -view.m_Forward : view.m_CameraPosition - centre;
    const cVec3 centreOnScreen = view.m_ViewProjection.TransformPoint(centre);
    const cVec3 edgeOnScreen = view.m_ViewProjection.TransformPoint(centre + view.m_Right * radius);
    const float dx = edgeOnScreen.x - centreOnScreen.x, dy = edgeOnScreen.y - centreOnScreen.y;
    const float screenRadius2 = dx * dx + dy * dy;
    auto rimAt = [&](int step) {
        const float angle = float(step) * 7.5f * (kPi / 180);
        return centre + (u * std::cos(angle) + v * std::sin(angle)) * radius;
    };
    cVec3 a = rimAt(0);
    for (int step = 1; step <= 48; ++step) {
        const cVec3 b = rimAt(step);
        const cVec3 mid = (a + b) * 0.5f;
        const cVec3 midOnScreen = view.m_ViewProjection.TransformPoint(mid);
        const float mx = midOnScreen.x - centreOnScreen.x, my = midOnScreen.y - centreOnScreen.y;
        if (Dot(mid - centre, towardViewer) >= 0 && mx * mx + my * my <= screenRadius2)
            DrawLine3D(&a, &b, &color);
        a = b;
    }
}

void DrawCone(const cVec3& tip, const cVec3& direction, float baseRadius, float length, const cColor& color) {
    if (!RenderDevice || Dot(direction, direction) == 0)
        return;
    const cVec3 d = Normalize(direction);
    cVec3 u, v;
    cVec3::PerpendicularAxes(d, u, v);
    static ColorVertex vertices[14];  // tip, base centre, 12 rim points
    static uint32_t indices[72];
    const uint32_t c = PackColor(color);
    const cVec3 base = tip - d * length;
    vertices[0] = Vertex(tip, c);
    vertices[1] = Vertex(base, c);
    for (int i = 0; i < 12; ++i) {
        const float angle = float(i) * 30 * (kPi / 180);
        vertices[2 + i] = Vertex(base + (u * std::cos(angle) + v * std::sin(angle)) * baseRadius, c);
    }
    for (uint32_t i = 0; i < 12; ++i) {
        const uint32_t a = 2 + i, b = 2 + (i + 1) % 12;
        uint32_t* t = indices + i * 6;
        t[0] = 0, t[1] = a, t[2] = b;  // side
        t[3] = 1, t[4] = b, t[5] = a;  // base
    }
    BindColored();
    RenderDevice->DrawIndexed(3, vertices, 14, indices, 72, 4);
}

}  // namespace tovan

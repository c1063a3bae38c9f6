#include "tools/rotate_tool.h"

#include <cmath>

#include "core/quat.h"
#include "core/view.h"
#include "io/font.h"
#include "tools/gizmo_geometry.h"
#include "tools/manipulator_state.h"
#include "ui/draw.h"
#include "ui/input.h"

namespace tovan {

using namespace gizmo;

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kDegreesPerRadian = 57.2957763671875f;
constexpr float kBandFactor = 0.08f;  // |cos| to a ring's axis below which the sphere grabs that ring
constexpr cColor kAxisColors[3] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}};
constexpr cColor kActive{1, 1, 0, 1};
constexpr cColor kViewRingColor{1, 1, 1, 1};
constexpr cColor kOutline{0, 0, 0, 1};
constexpr cColor kMarker{128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1};
constexpr cColor kSweep{128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 0.5f};

// Into [0, 360), then into (-180, 180].
float WrapDegrees(float a) {
    if (a < 0 || a >= 360)
        a -= std::floor(a / 360) * 360;
    if (a > 180)
        a -= 360;
    return a;
}

}  // namespace

bool cRotateTool::UpdateGeometry() {
    if (!m_Rotation || !m_Position || !CurrentView)
        return false;
    const cView& view = *CurrentView;
    const cVec3 centre = WorldCentre(m_ParentMatrix, *m_Position);
    float size;
    if (!ScreenConstantSize(view, centre, kScreenSize, size))
        return false;
    const cMat3 parent = m_ParentMatrix.GetUpper3x3();
    const cMat3 turn = m_LocalEffective ? cMat3::FromAngles(*m_Rotation) : cMat3::Identity();
    for (int i = 0; i < 3; ++i)
        m_RingAxes[i] = Normalize(parent.Transform(turn.Row(i)));
    m_Centre = centre;
    m_ViewDirection = view.m_Forward;
    m_Size = size;
    m_RingRadius = kRingFactor * size;
    m_Tolerance = kRingTolerance * size;
    return true;
}

cVec3 cRotateTool::SpherePoint(const cRay& ray) const {
    cVec3 hit;
    if (RaySphereHit(ray, m_Centre, m_RingRadius, hit))
        return hit;
    return ray.ClosestPoint(m_Centre, cRay::kClampStart);
}

bool cRotateTool::Direction(int part, const cRay& ray, const cVec3& axis, cVec3& direction) const {
    cVec3 v;
    if (part == kViewRing) {
        cVec3 hit;
        if (!RayPlaneHitAt(ray, axis, m_Centre, hit))
            return false;
        v = hit - m_Centre;
    } else {
        v = SpherePoint(ray) - m_Centre;
        if (part != kFree)
            v -= axis * Dot(v, axis);
    }
    if (!(Length(v) >= kMinLength))
        return false;
    direction = Normalize(v);
    return true;
}

int cRotateTool::Pick(bool) {
    if (!UpdateGeometry())
        return kNone;
    cRay ray;
    CurrentView->ScreenPointToRay(ray, CursorPosition);
    cVec3 hit;
    if (RayPlaneHitAt(ray, m_ViewDirection, m_Centre, hit) &&
        std::fabs(Length(hit - m_Centre) - m_Size) <= m_Tolerance) {
        m_GrabVector = Normalize(hit - m_Centre);
        m_DragAxis = m_ViewDirection;
        return kViewRing;
    }
    if (!RaySphereHit(ray, m_Centre, m_RingRadius, hit))
        return kNone;
    const cVec3 v = Normalize(hit - m_Centre);
    int ring = 0;
    float across = std::fabs(Dot(v, m_RingAxes[0]));
    for (int i = 1; i < 3; ++i) {
        const float d = std::fabs(Dot(v, m_RingAxes[i]));
        if (d <= across)
            ring = i, across = d;
    }
    if (kBandFactor > across) {
        const cVec3& axis = m_RingAxes[ring];
        m_GrabVector = Normalize(v - axis * Dot(v, axis));
        m_DragAxis = axis;
        return kRingX + ring;
    }
    if (m_Universal)
        return kNone;  // the free part would cover the move gizmo's handles
    m_GrabVector = v;
    m_DragAxis = {};
    return kFree;
}

int cRotateTool::Regrab(int part) {
    if (!UpdateGeometry() || part < kFree || part > kViewRing || (part == kFree && m_Universal))
        return kNone;
    cRay ray;
    CurrentView->ScreenPointToRay(ray, CursorPosition);
    const cVec3 axis = part == kViewRing ? m_ViewDirection : part == kFree ? cVec3{} : m_RingAxes[part - kRingX];
    if (!Direction(part, ray, axis, m_GrabVector))
        return kNone;
    m_DragAxis = axis;
    return part;
}

void cRotateTool::OnGrab(int) {
    m_GrabAngles = *m_Rotation;
    m_GrabTimeVector = m_GrabVector;
    m_CurrentVector = m_GrabVector;
    m_TurnAxis = m_DragAxis;
}

bool cRotateTool::OnMouseMove() {
    if (!HoldsCapture(this))
        return false;
    if (!m_Rotation || !m_Position || !CurrentView || !IsDragging())
        return true;
    cRay ray;
    CurrentView->ScreenPointToRay(ray, CursorPosition);
    const cVec3 g = m_GrabTimeVector;
    cVec3 c;
    if (!Direction(m_Part, ray, m_DragAxis, c) || std::fabs(Dot(c, c) - 1) > 0.001f)
        c = g;
    const float ratio = Dot(g, c) / (Length(g) * Length(c));
    float angle = (ratio <= -1 ? kPi : ratio >= 1 ? 0.0f : std::acos(ratio)) * kDegreesPerRadian;
    const cVec3 turn = Cross(g, c);
    cVec3 axis = Normalize(turn);
    if (m_Part != kFree) {
        const float side = Dot(turn, m_DragAxis);
        angle *= side > 0 ? 1.0f : side < 0 ? -1.0f : 0.0f;
        axis = m_DragAxis;
    }
    cAngles result = m_GrabAngles;
    if (std::fabs(Length(axis) - 1) <= 0.001f) {
        const cVec3 inParent = Normalize(m_ParentInverse.GetUpper3x3().Transform(axis));
        result = (cQuat::FromAxisAngle(inParent, angle) * cQuat::FromAngles(m_GrabAngles)).ToAngles();
    }
    for (float* a : {&result.x, &result.y, &result.z})
        *a = Snap(WrapDegrees(*a), ManipulatorSnap);
    if (!IsFinite(cVec3{result.x, result.y, result.z}))
        return true;
    m_CurrentVector = c;
    if (m_Part == kFree)
        m_TurnAxis = axis;
    *m_Rotation = result;
    return true;
}

void cRotateTool::Update() {
    if (!UpdateGeometry())
        return;
    auto lit = [&](int part) { return m_Part == part || m_HoveredPart == part; };
    for (int i = 0; i < 3; ++i)
        DrawFacingCircle(m_Centre, m_RingAxes[i], m_RingRadius, lit(kRingX + i) ? kActive : kAxisColors[i]);
    DrawCircle(m_Centre, kOutline, m_RingRadius);
    DrawCircle(m_Centre, lit(kViewRing) ? kActive : kViewRingColor, m_Size);
    if (!IsDragging())
        return;
    const float radius = m_Part == kViewRing ? m_Size : m_RingRadius;
    DrawSector(m_Centre, m_GrabTimeVector, radius, m_CurrentVector, kSweep, kMarker, 5);
    if (Dot(m_TurnAxis, m_TurnAxis) > 0) {
        const cVec3 axisEnd = m_Centre + m_TurnAxis * (1.2f * m_Size);
        DrawLine3D(&m_Centre, &axisEnd, &kMarker);
    }
    const cVec3 ends[2] = {m_Centre + m_GrabTimeVector * radius, m_Centre + m_CurrentVector * radius};
    DrawPoints(ends, 2, 0.08f * m_Size, kMarker);
    const float angles[3] = {m_Rotation->x, m_Rotation->y, m_Rotation->z};
    const cStr label = GizmoLabel(angles, 3);
    DrawText3D(GizmoLabelFont(), label.GetText(), m_Centre, kTextCentreX | kTextCentreY, &kActive);
}

}  // namespace tovan

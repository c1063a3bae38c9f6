#include "tools/move_tool.h"

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

constexpr cColor kAxisColors[3] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}};
constexpr cColor kActive{1, 1, 0, 1};
constexpr cColor kCentreColor{1, 1, 1, 1};
constexpr cColor kMarker{128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1};

cVec3 UnitAxis(int i) {
    cVec3 v;
    v[i] = 1;
    return v;
}

bool SameDirection(const cVec3& a, const cVec3& b) {
    return std::fabs(a.x - b.x) <= 0.001f && std::fabs(a.y - b.y) <= 0.001f && std::fabs(a.z - b.z) <= 0.001f;
}

}  // namespace

bool cMoveTool::UpdateGeometry() {
    if (!m_Position || !CurrentView)
        return false;
    const cView& view = *CurrentView;
    const cVec3 centre = WorldCentre(m_ParentMatrix, *m_Position);
    float size;
    if (!ScreenConstantSize(view, centre, kScreenSize, size))
        return false;
    const cMat3 turn = m_LocalEffective && m_Rotation ? cQuat::FromAngles(*m_Rotation).ToMat3() : cMat3::Identity();
    cMat3 normal = m_ParentMatrix.GetNormalMatrix();
    normal.Orthonormalize();
    cRay axes[3];
    for (int i = 0; i < 3; ++i) {
        axes[i] = cRay::FromPoints(centre, centre + normal.Transform(turn.Row(i)) * size);
        if (!(axes[i].length >= kMinLength))
            return false;
    }
    m_Centre = centre;
    m_Size = size;
    for (int i = 0; i < 3; ++i)
        m_Axes[i] = axes[i];
    m_PickRadius = kTolerance * size;
    if (!IsDragging()) {
        const cVec3 viewing = ViewingDirection(view, centre);
        for (int i = 0; i < 3; ++i)
            m_Usable[i] = std::fabs(Dot(viewing, m_Axes[i].direction)) <= kAlignment;
    }
    return true;
}

cVec3 cMoveTool::DefaultPlaneNormal(bool fromX) const {
    int facing = -1;
    for (int k = 0; k < 3; ++k) {
        const int i = fromX ? k : 2 - k;
        if (!m_Usable[i])
            facing = i;
    }
    return facing >= 0 ? m_Axes[facing].direction : CurrentView->m_Forward;
}

void cMoveTool::SaveGrab() {
    m_GrabCentre = m_Centre;
    for (int i = 0; i < 3; ++i)
        m_GrabAxes[i] = m_Axes[i];
}

int cMoveTool::Pick(bool pressing) {
    if (!UpdateGeometry())
        return kNone;
    cRay ray;
    CurrentView->ScreenPointToRay(ray, CursorPosition);
    float distance[3];
    cVec3 grab[3];
    for (int i = 0; i < 3; ++i) {
        distance[i] = kFloatMax;
        if (!m_Usable[i])
            continue;
        const cVec3 along = m_Axes[i].end - m_Axes[i].origin;
        distance[i] = NearestRayLine(ray, m_Centre, along, true).Distance();
        grab[i] = NearestRayLine(ray, m_Centre, along, false).onLine;
    }
    SetPlane(DefaultPlaneNormal(true));
    cVec3 hit;
    const float away = RayPlaneHit(ray, m_PlaneNormal, m_PlaneDistance, hit) ? Length(hit - m_Centre) : kFloatMax;
    const float r = m_PickRadius;
    int part = kNone;
    if (m_Universal ? r < away && away < 2 * r : away < r) {
        part = kPlane;
        m_GrabPoint = hit;
    } else {
        int nearest = 0;
        for (int i = 1; i < 3; ++i)
            if (distance[i] <= distance[nearest])
                nearest = i;
        if (distance[nearest] < r) {
            part = kAxisX + nearest;
            m_GrabPoint = grab[nearest];
            if (pressing && IsKeyDown(kKeyControl)) {
                const cVec3 normal = UnitAxis(nearest);
                if (RayPlaneHitAt(ray, normal, m_Centre, hit)) {
                    SetPlane(normal);
                    m_GrabPoint = hit;
                    part = kPlane;
                }
            }
        }
    }
    if (part != kNone)
        SaveGrab();
    return part;
}

int cMoveTool::Regrab(int part) {
    if (!UpdateGeometry())
        return kNone;
    cRay ray;
    CurrentView->ScreenPointToRay(ray, CursorPosition);
    if (part >= kAxisX && part <= kAxisZ) {
        const cRay& axis = m_Axes[part - kAxisX];
        m_GrabPoint = NearestRayLine(ray, m_Centre, axis.end - axis.origin, false).onLine;
    } else if (part == kPlane) {
        SetPlane(DefaultPlaneNormal(false));
        if (!RayPlaneHit(ray, m_PlaneNormal, m_PlaneDistance, m_GrabPoint))
            return kNone;
    } else {
        return kNone;
    }
    SaveGrab();
    return part;
}

bool cMoveTool::OnMouseMove() {
    if (!HoldsCapture(this))
        return false;
    if (!m_Position || !CurrentView || !IsDragging())
        return true;
    cRay ray;
    CurrentView->ScreenPointToRay(ray, CursorPosition);
    cVec3 point = m_GrabPoint;  // a ray parallel to the plane puts the grab value back
    if (m_Part == kPlane) {
        RayPlaneHit(ray, m_PlaneNormal, m_PlaneDistance, point);
    } else {
        const cRay& axis = m_GrabAxes[m_Part - kAxisX];
        point = NearestRayLine(ray, axis.origin, axis.end - axis.origin, false).onLine;
    }
    const cVec3 centre = m_GrabCentre + (point - m_GrabPoint);
    cVec3 position = m_ParentInverse.TransformPoint(centre);
    for (int i = 0; i < 3; ++i) {
        const bool snaps = m_Part == kPlane ? !SameDirection(m_PlaneNormal, UnitAxis(i)) : m_Part == kAxisX + i;
        if (snaps)
            position[i] = Snap(position[i], ManipulatorSnap);
    }
    if (!IsFinite(position))  // a degenerate view or parent: keep the value
        return true;
    m_Centre = centre;
    *m_Position = position;
    return true;
}

bool cMoveTool::Drawn(int axis) const {
    if (!m_Usable[axis])
        return false;
    if (m_Part == kPlane)
        return std::fabs(Dot(m_Axes[axis].direction, m_PlaneNormal)) < 0.999f;
    return m_Part == kNone || m_Part == kAxisX + axis;
}

void cMoveTool::Update() {
    if (!UpdateGeometry())
        return;
    const cView& view = *CurrentView;
    const float length = m_Size;
    if (IsDragging()) {
        const cVec3 ends[2] = {m_GrabCentre, m_Centre};
        DrawLine3D(&ends[0], &ends[1], &kMarker);
        DrawPoints(ends, 2, 0.06f * length, kMarker);
        for (const cRay& axis : m_GrabAxes)
            DrawLine3D(&axis.origin, &axis.end, &kMarker);
    }
    for (int i = 0; i < 3; ++i) {
        if (!Drawn(i))
            continue;
        const cRay& axis = m_Axes[i];
        const bool lit = m_Part == kAxisX + i || m_HoveredPart == kAxisX + i;
        const cColor& color = lit ? kActive : kAxisColors[i];
        DrawLine3D(&axis.origin, &axis.end, &color);
        if (m_Part != kPlane)
            DrawCone(axis.end, axis.direction, 0.06f * length, 0.3f * length, color);
    }
    const bool planeLit = m_Part == kPlane || m_HoveredPart == kPlane;
    DrawCircle(m_Centre, planeLit ? kActive : kCentreColor, m_Universal ? 2 * m_PickRadius : m_PickRadius);
    if (!IsDragging())
        return;
    const int32_t font = GizmoLabelFont();
    for (int i = 0; i < 3; ++i) {
        if (!Drawn(i))
            continue;
        const float value = (*m_Position)[i];
        const cStr label = GizmoLabel(&value, 1);
        DrawText3D(font, label.GetText(), m_Axes[i].end + view.m_Up * (0.2f * length), kTextCentreX | kTextCentreY,
                   &kActive);
    }
}

}  // namespace tovan

#include "tools/scale_tool.h"

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
constexpr cColor kLine{128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1};
constexpr cColor kMarker{105 / 255.0f, 105 / 255.0f, 105 / 255.0f, 1};

}  // namespace

bool cScaleTool::UpdateGeometry() {
    if (!m_Scale || !m_Rotation || !m_Position || !CurrentView)
        return false;
    const cView& view = *CurrentView;
    const cVec3 centre = WorldCentre(m_ParentMatrix, *m_Position);
    float size;
    if (!ScreenConstantSize(view, centre, kScreenSize, size))
        return false;
    const cMat3 turn = cMat3::FromAngles(*m_Rotation);
    const cMat3 parent = m_ParentMatrix.GetUpper3x3();
    const cVec3 viewing = ViewingDirection(view, centre);
    for (int i = 0; i < 3; ++i) {
        const cVec3 row = (*m_Scale)[i] < 0 ? -turn.Row(i) : turn.Row(i);
        m_Axes[i] = Normalize(parent.Transform(row));
        m_Handles[i] = centre + m_Axes[i] * size;
        m_Usable[i] = std::fabs(Dot(viewing, m_Axes[i])) <= kAlignment;
    }
    m_Handles[3] = centre;
    m_Usable[3] = true;
    m_Centre = centre;
    m_Size = size;
    m_PickRadius = kTolerance * size;
    return true;
}

int cScaleTool::Grab(int handle, const cRay& ray) {
    m_DragStart = m_Centre;
    m_DragAlong = (handle < 3 ? m_Axes[handle] : Normalize(CurrentView->m_Right)) * m_Size;
    m_GrabPoint = NearestRayLine(ray, m_DragStart, m_DragAlong, false).onLine;
    for (int i = 0; i < 3; ++i)
        m_GrabScale[i] = (*m_Scale)[i] == 0 ? 1.0f : (*m_Scale)[i];
    for (int i = 0; i < 4; ++i)
        m_GrabHandles[i] = m_Handles[i];
    return kAxisX + handle;
}

int cScaleTool::Pick(bool) {
    if (!UpdateGeometry())
        return kNone;
    cRay ray;
    CurrentView->ScreenPointToRay(ray, CursorPosition);
    int nearest = 0;
    float best = kFloatMax;
    for (int i = 0; i < 4; ++i) {
        const float distance =
            m_Usable[i] ? Length(m_Handles[i] - ray.ClosestPoint(m_Handles[i], cRay::kClampStart)) : kFloatMax;
        if (distance <= best)
            nearest = i, best = distance;
    }
    if (!(m_PickRadius > best))
        return kNone;
    return Grab(nearest, ray);
}

int cScaleTool::Regrab(int part) {
    if (part < kAxisX || part > kCentre || !UpdateGeometry())
        return kNone;
    cRay ray;
    CurrentView->ScreenPointToRay(ray, CursorPosition);
    return Grab(part - kAxisX, ray);
}

void cScaleTool::OnGrab(int part) { m_Control = part != kCentre && IsKeyDown(kKeyControl); }

void cScaleTool::ScaledComponents(bool scaled[3]) const {
    for (int i = 0; i < 3; ++i) {
        if (m_Part == kCentre)
            scaled[i] = m_Usable[i];
        else
            scaled[i] = (m_Part == kAxisX + i) != m_Control;
    }
}

bool cScaleTool::OnMouseMove() {
    if (!HoldsCapture(this))
        return false;
    if (!m_Scale || !m_Rotation || !m_Position || !CurrentView || !IsDragging())
        return true;
    cRay ray;
    CurrentView->ScreenPointToRay(ray, CursorPosition);
    const cVec3 moved = NearestRayLine(ray, m_DragStart, m_DragAlong, false).onLine - m_GrabPoint;
    const float along = Dot(moved, m_DragAlong);
    const float sign = along > 0 ? 1.0f : along < 0 ? -1.0f : 0.0f;
    const float factor = Length(moved) * sign / m_Size + 1;
    bool scaled[3];
    ScaledComponents(scaled);
    cVec3 scale = *m_Scale;
    for (int i = 0; i < 3; ++i) {
        if (!scaled[i])
            continue;  // written back as it is: a zero stays zero, a sign stays
        const float value = Snap(factor * m_GrabScale[i], ManipulatorSnap);
        scale[i] = m_GrabScale[i] < 0 ? std::fmin(value, -kMinScale) : std::fmax(value, kMinScale);
    }
    if (!IsFinite(scale))
        return true;
    *m_Scale = scale;
    return true;
}

void cScaleTool::Update() {
    if (!UpdateGeometry())
        return;
    const cQuat turn = cQuat::FromAngles(*m_Rotation);
    for (int i = 0; i < 4; ++i) {
        if (!m_Usable[i])
            continue;
        if (i < 3)
            DrawLine3D(&m_Centre, &m_Handles[i], &kLine);
        const bool lit = m_Part == kAxisX + i || m_HoveredPart == kAxisX + i;
        const cColor& color = lit ? kActive : i < 3 ? kAxisColors[i] : kCentreColor;
        DrawBox(m_Handles[i], 0.1f * m_Size, &turn, color);
    }
    if (!IsDragging())
        return;
    DrawPoints(m_GrabHandles, 4, 0.06f * m_Size, kMarker);
    const float values[3] = {m_Scale->x, m_Scale->y, m_Scale->z};
    const cStr label = GizmoLabel(values, 3);
    DrawText3D(GizmoLabelFont(), label.GetText(), m_Centre + CurrentView->m_Up * (0.2f * m_Size),
               kTextCentreX | kTextCentreY, &kActive);
}

}  // namespace tovan

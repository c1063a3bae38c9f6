// cMoveTool: the 3-D move gizmo. Three axis arrows and a centre circle at the
// bound position; dragging an arrow moves the position along that axis,
// dragging the circle moves it within a plane. An axis pointing almost at the
// viewer is neither drawn nor picked, and the circle then moves in the plane
// across it. Control held at the press turns an axis grab into a drag in the
// plane across that world axis. In universal mode the disc inside the circle
// does not pick; the ring out to twice its radius does.
#pragma once
#include "core/ray.h"
#include "core/vec.h"
#include "tools/gizmo.h"

namespace tovan {

class cMoveTool : public cLocalGizmo {
public:
    enum Part : int { kNone = 0, kAxisX = 1, kAxisY = 2, kAxisZ = 3, kPlane = 4 };
    static constexpr float kScreenSize = 78.0f;  // axis length in GUI pixels
    static constexpr float kTolerance = 0.12f;   // pick radius per axis length
    static constexpr float kAlignment = 0.98f;   // |cos| above which an axis faces the viewer

    cMoveTool() : cLocalGizmo(kGizmoMove) {}

    bool OnMouseMove() override;
    void Update() override;
    int Pick(bool pressing) override;
    int Regrab(int part) override;
    void Unbind() override { m_Position = nullptr, m_Rotation = nullptr; }

    // Places the gizmo for this frame; false (nothing bound, no view, a centre
    // off the screen or a degenerate axis) disables picking and drawing.
    bool UpdateGeometry();

    cVec3* m_Position = nullptr;    // required
    cAngles* m_Rotation = nullptr;  // for local axes; may stay null

    // The geometry of the last UpdateGeometry that succeeded.
    cVec3 m_Centre;    // world
    float m_Size = 0;  // world length of kScreenSize pixels at the centre
    cRay m_Axes[3];    // centre to centre + axis x size
    float m_PickRadius = 0;
    bool m_Usable[3] = {true, true, true};  // kept while a drag runs

private:
    void SetPlane(const cVec3& normal) { m_PlaneNormal = normal, m_PlaneDistance = -Dot(normal, m_Centre); }
    // The plane of a plane grab without Control: across the axis that faces
    // the viewer (the last in the given order), else across the view.
    cVec3 DefaultPlaneNormal(bool fromX) const;
    void SaveGrab();
    bool Drawn(int axis) const;

    cVec3 m_GrabPoint;
    cVec3 m_GrabCentre;
    cVec3 m_PlaneNormal{0, 0, 1};
    float m_PlaneDistance = 0;
    cRay m_GrabAxes[3];
};

}  // namespace tovan

// cScaleTool: the 3-D scale gizmo. Box handles at the ends of the object's own
// axes and one at the centre. Dragging an axis handle scales along that axis
// (with Control held at the press: along the two others), the centre handle
// scales uniformly. One size of drag outwards doubles the scale. A scaled
// component keeps the sign it had at the grab and at least 0.1 of magnitude;
// the others are left as they are.
#pragma once
#include "core/ray.h"
#include "core/vec.h"
#include "tools/gizmo.h"

namespace tovan {

class cScaleTool : public cGizmo {
public:
    enum Part : int { kNone = 0, kAxisX = 1, kAxisY = 2, kAxisZ = 3, kCentre = 4 };
    static constexpr float kScreenSize = 90.0f;  // axis length in GUI pixels
    static constexpr float kTolerance = 0.12f;   // pick radius per axis length
    static constexpr float kAlignment = 0.98f;   // |cos| above which an axis faces the viewer
    static constexpr float kMinScale = 0.1f;

    cScaleTool() : cGizmo(kGizmoScale) {}

    bool OnMouseMove() override;
    void Update() override;
    int Pick(bool pressing) override;
    int Regrab(int part) override;
    void Unbind() override { m_Scale = nullptr, m_Rotation = nullptr, m_Position = nullptr; }

    // False (a binding missing, no view, a centre off the screen) disables
    // picking and drawing for this frame.
    bool UpdateGeometry();

    // All three required.
    cVec3* m_Scale = nullptr;
    cAngles* m_Rotation = nullptr;
    cVec3* m_Position = nullptr;

    // The geometry of the last UpdateGeometry that succeeded.
    cVec3 m_Centre;
    cVec3 m_Axes[3];     // unit, flipped where the scale is negative
    cVec3 m_Handles[4];  // the three axis ends, then the centre
    float m_Size = 0;    // world length of kScreenSize pixels at the centre
    float m_PickRadius = 0;
    bool m_Usable[4] = {true, true, true, true};

private:
    int Grab(int handle, const cRay& ray);
    void OnGrab(int part) override;
    void OnDragEnd() override { m_Control = false; }
    // The components a drag of the active part scales.
    void ScaledComponents(bool scaled[3]) const;

    bool m_Control = false;  // latched at the press
    cVec3 m_GrabScale;       // zero components replaced by 1
    cVec3 m_GrabPoint;
    cVec3 m_DragStart, m_DragAlong;  // the grabbed handle's drag line
    cVec3 m_GrabHandles[4];
};

}  // namespace tovan

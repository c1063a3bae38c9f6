// cRotateTool: the 3-D rotate gizmo. Three rings around the bound position,
// one per axis, an outer ring facing the viewer and a sphere inside them.
// Dragging a ring turns the bound Euler angles about that ring's axis, the
// outer ring about the viewing direction, the sphere freely (not in universal
// mode). Angles are written wrapped into (-180, 180] and snapped.
#pragma once
#include "core/ray.h"
#include "core/vec.h"
#include "tools/gizmo.h"

namespace tovan {

class cRotateTool : public cLocalGizmo {
public:
    enum Part : int { kNone = 0, kFree = 1, kRingX = 2, kRingY = 3, kRingZ = 4, kViewRing = 5 };
    static constexpr float kScreenSize = 120.0f;  // view ring radius in GUI pixels
    static constexpr float kRingFactor = 0.86f;   // axis rings and sphere per view ring
    static constexpr float kRingTolerance = 0.08f;

    cRotateTool() : cLocalGizmo(kGizmoRotate) {}

    bool OnMouseMove() override;
    void Update() override;
    int Pick(bool pressing) override;
    int Regrab(int part) override;
    void Unbind() override { m_Rotation = nullptr, m_Position = nullptr; }

    // False (nothing bound, no view, a centre off the screen) disables picking
    // and drawing for this frame.
    bool UpdateGeometry();

    cAngles* m_Rotation = nullptr;  // required
    cVec3* m_Position = nullptr;    // required

    // The geometry of the last UpdateGeometry that succeeded.
    cVec3 m_Centre;
    cVec3 m_RingAxes[3];
    cVec3 m_ViewDirection{0, 0, 1};
    float m_Size = 0;  // world length of kScreenSize pixels at the centre
    float m_RingRadius = 0;
    float m_Tolerance = 0;

private:
    void OnGrab(int part) override;
    // Where the ray meets the sphere, else its point nearest to the centre.
    cVec3 SpherePoint(const cRay& ray) const;
    // The unit direction from the centre that a ray points at for a part: on
    // the plane across `axis` for the view ring, else on the sphere, within
    // the plane across `axis` for an axis ring. False when there is none.
    bool Direction(int part, const cRay& ray, const cVec3& axis, cVec3& direction) const;

    cVec3 m_GrabVector;
    cAngles m_GrabAngles;
    cVec3 m_GrabTimeVector;
    cVec3 m_DragAxis;       // the part's own axis: a ring's, or the viewing direction
    cVec3 m_TurnAxis;       // what the drag turns about, world; the free part's follows the drag
    cVec3 m_CurrentVector;  // where the drag points now, for the swept sector
};

}  // namespace tovan

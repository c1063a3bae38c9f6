// cSpline and cSpline_Node: a reflected, editable 3-D curve of cubic Bezier
// segments through the nodes' end points. The class-engine side saves and
// shows the members and runs the resampling commands; while edited the spline
// is also a widget in layer 0 that draws the curve and gives every control
// point a move gizmo in layer 1. Node points are in the spline's local space,
// placed in the world by its Transform.
#pragma once
#include <cstdint>

#include "classes/class.h"
#include "classes/class_list.h"
#include "core/list.h"
#include "core/mat.h"
#include "tools/spline_math.h"
#include "tools/transform.h"
#include "ui/widget.h"
#include "ui/widget_registry.h"

namespace tovan {

class cSpline_Node : public cClass {
    TOVAN_CLASS(cSpline_Node)
public:
    enum : int { kGizmoCV0 = 0, kGizmoEP = 1, kGizmoCV1 = 2 };

    cSpline_Node() = default;

    void SetDefaults() override;
    void ReleaseHooks() override { RemoveGizmos(); }  // also on destruction
    void RegisterMembers() override;
    // "1. Node": the position in the owning list plus 1.
    cStr ToString() override;

    cSplinePoints Points() const { return {m_CV0, m_EP, m_CV1}; }
    void SetPoints(const cSplinePoints& p) { m_CV0 = p.cv0, m_EP = p.ep, m_CV1 = p.cv1; }
    bool HasGizmos() const { return m_Gizmos[0] != -1 || m_Gizmos[1] != -1 || m_Gizmos[2] != -1; }
    // Unbinds, removes and deletes the three gizmos; they point into this node.
    void RemoveGizmos();

    cVec3 m_CV0{-10, 10, 0};
    cVec3 m_EP{0, 10, 0};
    cVec3 m_CV1{10, 10, 0};
    WidgetHandle m_Gizmos[3] = {-1, -1, -1};  // CV0, EP, CV1 while edited
    cVec3 m_DraggedEP;                        // EP as the last edited frame left it
};

class cSpline : public cClass, public cWidget {
    TOVAN_CLASS(cSpline)
public:
    static constexpr int kMaxResampledNodes = 65536;  // uniform resampling and adaptive splitting stop here
    static constexpr int kMaxDrawnSamples = 10000;

    cSpline() = default;

    void SetDefaults() override;
    // Only unregisters the spline's widget (also on destruction, before the
    // Transform and the nodes release their gizmos).
    void ReleaseHooks() override;
    void RegisterMembers() override;
    // "Spline", or "2. Spline" as an item of a list of splines.
    cStr ToString() override;

    // The widget side, while edited: gizmos, tangents, labels and the curve.
    void Update() override;

    void RebuildSegments();
    void EnsureSegments();  // rebuilds an empty table when there are nodes
    cSplineParameter ParameterAtDistance(float distance);
    cVec3 PointAt(float t);  // local space
    const cSplineTable& Segments() const { return m_Table; }
    // Local to the Transform's parent space: rows Scale x rotation rows, then Translate.
    cMat4 TransformMatrix() const;

    bool IsEditing() const { return m_Widget != -1; }
    void StopEditing();

    // The commands shown as buttons.
    void Edit();
    void CenterTransform();
    void SetUniformSampled();
    void SetAdaptiveSampled();
    // What the resampling commands do once confirmed; nothing with fewer than two nodes.
    void ResampleUniformNodes(int count);
    void ResampleAdaptiveNodes(float maxErrorSquared);
    // The node count and error limit the commands use and ask about.
    int UniformNodeCount() const;
    float AdaptiveErrorLimit() const;

    cTransform m_Transform;
    cClassList<cSpline_Node> m_Nodes;
    bool m_Closed = false;
    int32_t m_SetUniformSampledNodeCount = 10;
    float m_SetAdaptiveSampledMaxErrSq = 100.0f;

private:
    void CollectPoints(cList<cSplinePoints>& out) const;
    // The nodes become new ones at these points: gizmos bound to the old nodes
    // go with them, and so does every undo entry that could point into them.
    void ReplaceNodes(const cList<cSplinePoints>& points);
    bool TransformHasGizmos() const;
    void EditNodes(const cMat4& matrix);
    void DrawCurve(const cMat4& matrix);

    WidgetHandle m_Widget = -1;
    cSplineTable m_Table;
};

}  // namespace tovan

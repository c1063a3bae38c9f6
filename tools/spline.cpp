#include "tools/spline.h"

#include <cmath>
#include <cstring>

#include "classes/button_field.h"
#include "classes/field_types.h"
#include "classes/member.h"
#include "classes/vector_fields.h"
#include "core/log.h"
#include "tools/explorer_objects.h"
#include "win32/question_box.h"

namespace tovan {

// --- cSpline_Node ----------------------------------------------------------------

void cSpline_Node::SetDefaults() {
    RemoveGizmos();
    m_CV0 = {-10, 10, 0};
    m_EP = {0, 10, 0};
    m_CV1 = {10, 10, 0};
    m_DraggedEP = m_EP;
}

void cSpline_Node::RegisterMembers() {
    if (!BeginMembers())
        return;
    TOVAN_MEMBER(_cFloat3, m_CV0, "CV0");
    TOVAN_MEMBER(_cFloat3, m_EP, "EP");
    TOVAN_MEMBER(_cFloat3, m_CV1, "CV1");
}

cStr cSpline_Node::ToString() {
    cClass* owner = GetOwner();
    const int index = owner ? owner->IndexOfItem(this) : -1;
    return cStr::Format("%d. Node", index + 1);
}

// --- cSpline: class-engine side --------------------------------------------------

namespace {

// Undo entries and the focused row hold addresses inside the object they were
// made in: nodes about to be freed may be among them, in the record of this
// spline or of any registered object that holds it.
void ForgetEditsInto(cClass* object) {
    for (int i = 0; i < CountExplorerObjects(); ++i) {
        ExplorerObject* record = GetExplorerObject(i);
        if (!record)
            continue;
        for (cClass* holder = object; holder; holder = holder->GetOwner())
            if (record->m_Object == holder) {
                record->ClearUndo();
                record->m_Selection = ExplorerSelection();  // may name a row of a node too
                break;
            }
    }
}

}  // namespace

void cSpline::SetDefaults() {
    m_SetUniformSampledNodeCount = 10;
    m_SetAdaptiveSampledMaxErrSq = 100.0f;
    m_Table.Clear();
}

void cSpline::ReleaseHooks() {
    if (m_Widget == -1)
        return;
    RemoveWidget(m_Widget, false);
    m_Widget = -1;
}

void cSpline::RegisterMembers() {
    if (!BeginMembers())
        return;
    TOVAN_BUTTON(Edit);
    TOVAN_MEMBER(cTransform, m_Transform, "Transform");
    TOVAN_BUTTON(CenterTransform);
    TOVAN_MEMBER(cClassList<cSpline_Node>, m_Nodes, "Nodes");
    TOVAN_MEMBER(_cBool, m_Closed, "Closed");
    DeclareHeading<_cSeparator>(this, "");
    TOVAN_BUTTON(SetUniformSampled);
    TOVAN_MEMBER(_cInt, m_SetUniformSampledNodeCount, "SetUniformSampledNodeCount");
    TOVAN_BUTTON(SetAdaptiveSampled);
    TOVAN_MEMBER(_cFloat, m_SetAdaptiveSampledMaxErrSq, "SetAdaptiveSampledMaxErrSq");
}

cStr cSpline::ToString() {
    cClass* owner = GetOwner();
    if (owner && owner->GetClassName() &&
        std::strcmp(owner->GetClassName(), cClassList<cSpline>::StaticClassName()) == 0)
        return cStr::Format("%d. Spline", owner->IndexOfItem(this) + 1);
    return cStr("Spline");
}

void cSpline::CollectPoints(cList<cSplinePoints>& out) const {
    out.Free();
    for (int i = 0; i < m_Nodes.Count(); ++i)
        if (const cSpline_Node* node = m_Nodes.At(i))
            out.PushBack(node->Points());
}

void cSpline::RebuildSegments() {
    cList<cSplinePoints> points;
    CollectPoints(points);
    m_Table.Build(points.Data(), points.Count(), m_Closed);
}

void cSpline::EnsureSegments() {
    if (m_Table.IsEmpty() && m_Nodes.Count() > 0)
        RebuildSegments();
}

cSplineParameter cSpline::ParameterAtDistance(float distance) {
    EnsureSegments();
    return m_Table.ParameterAtDistance(distance);
}

cVec3 cSpline::PointAt(float t) {
    EnsureSegments();
    return m_Table.PointAt(t);
}

cMat4 cSpline::TransformMatrix() const {
    const cMat3 r = cMat3::FromAngles(m_Transform.m_Rotate);
    const cVec3& s = m_Transform.m_Scale;
    cMat4 m;
    for (int row = 0; row < 3; ++row) {
        const float scale = row == 0 ? s.x : row == 1 ? s.y : s.z;
        for (int col = 0; col < 3; ++col)
            m.m[row][col] = r.m[row][col] * scale;
        m.m[row][3] = 0;
    }
    m.SetTranslation(m_Transform.m_Translate);
    return m;
}

void cSpline::CenterTransform() {
    cList<cSplinePoints> points;
    CollectPoints(points);
    if (points.IsEmpty())
        return;
    const cVec3 centre = CenterNodes(points.Data(), points.Count(), TransformMatrix());
    m_Transform.m_Scale = {1, 1, 1};
    m_Transform.m_Rotate = {};
    m_Transform.m_Translate = centre;
    int next = 0;
    for (int i = 0; i < m_Nodes.Count(); ++i)
        if (cSpline_Node* node = m_Nodes.At(i))
            node->SetPoints(points[next++]);
    m_Table.Clear();  // rebuilt on next use
}

int cSpline::UniformNodeCount() const {
    const int count = m_SetUniformSampledNodeCount;
    return count < 3 ? 3 : count > kMaxResampledNodes ? kMaxResampledNodes : count;
}

float cSpline::AdaptiveErrorLimit() const {
    const float e = m_SetAdaptiveSampledMaxErrSq;
    return e > 0.001f ? e : 0.001f;  // NaN too
}

void cSpline::SetUniformSampled() {
    const int count = UniformNodeCount();
    if (!AskYesNo("Confirm Set Uniform Sampled", "Are you sure you want to set uniform sampled spline with %d nodes ?",
                  count))
        return;
    ResampleUniformNodes(count);
}

void cSpline::SetAdaptiveSampled() {
    const float e = AdaptiveErrorLimit();
    if (!AskYesNo("Confirm Set Adaptive Sampled",
                  "Are you sure you want to set adaptive sampled spline with error %.2f ?", double(e)))
        return;
    ResampleAdaptiveNodes(e);
}

void cSpline::ResampleUniformNodes(int count) {
    if (m_Nodes.Count() < 2)
        return;
    RebuildSegments();  // the nodes may have changed since the table was made
    cList<cSplinePoints> points;
    if (ResampleUniform(m_Table, m_Closed, count, points))
        ReplaceNodes(points);
}

void cSpline::ResampleAdaptiveNodes(float maxErrorSquared) {
    if (m_Nodes.Count() < 2)
        return;
    RebuildSegments();
    cList<cSplinePoints> points;
    bool coarse = false;
    if (!ResampleAdaptive(m_Table, m_Closed, maxErrorSquared, kMaxResampledNodes, points, &coarse))
        return;
    if (coarse)
        Log("Adaptive sampling stopped at %d nodes: parts of the spline are coarser than the error limit",
            points.Count());
    ReplaceNodes(points);
}

void cSpline::ReplaceNodes(const cList<cSplinePoints>& points) {
    cClassList<cSpline_Node> fresh;
    cClass* prototype = SharedPrototype<cSpline_Node>();
    for (const cSplinePoints& p : points) {
        cClass* made = prototype->CreateInstance();
        cSpline_Node* node = dynamic_cast<cSpline_Node*>(made);
        if (!node) {
            delete made;
            continue;
        }
        node->SetPoints(p);
        node->m_DraggedEP = p.ep;
        fresh.AddItem(node);
    }
    ForgetEditsInto(this);
    // The old nodes are deleted here, taking their gizmos with them.
    fresh.Copy(static_cast<cClass*>(&fresh), 0, &m_Nodes, static_cast<cClass*>(&m_Nodes), 0);
    fresh.RemoveItems(0, fresh.Count());
    RebuildSegments();
}

}  // namespace tovan

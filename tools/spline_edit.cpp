// The spline's editing side: the Edit command, the per-frame widget update that
// keeps the node gizmos, draws the tangents, labels and the curve, and the end
// of editing.
#include <cmath>

#include "core/vec.h"
#include "core/render_device.h"
#include "io/font.h"
#include "tools/manipulator_state.h"
#include "tools/move_tool.h"
#include "tools/spline.h"
#include "ui/draw.h"

namespace tovan {

namespace {

constexpr cColor kTangentColor{1.0f, 0.85f, 0.2f, 1.0f};
constexpr cColor kSampleColor{0.2f, 0.8f, 1.0f, 1.0f};
constexpr cColor kLabelColor{1.0f, 1.0f, 1.0f, 1.0f};
constexpr float kSampleSize = 0.5f;

// Looked up once per render device: a font that cannot be loaded would
// otherwise raise its warning every edited frame.
struct cCachedFont {
    const char* name;
    int32_t font = -1;
    int epoch = -1;
    int32_t Get() {
        if (epoch != RenderDeviceEpoch) {
            font = LoadFont(name);
            epoch = RenderDeviceEpoch;
        }
        return font;
    }
};
cCachedFont g_RootFont{"Tahoma B8"};
cCachedFont g_LabelFont{"Calibri 11"};

cMoveTool* MoveToolOf(WidgetHandle handle) { return dynamic_cast<cMoveTool*>(GetWidget(handle)); }

// The opposite tangent follows the dragged one's direction and keeps its length;
// a tangent folded onto its end point has no direction and moves nothing.
void AlignOpposite(const cVec3& ep, const cVec3& dragged, cVec3& opposite) {
    const cVec3 u = Normalize(dragged - ep);
    if (std::fabs(Length(u) - 1.0f) > 0.001f)
        return;
    opposite = ep - u * Length(opposite - ep);
}

}  // namespace

void cSpline_Node::RemoveGizmos() {
    for (WidgetHandle& handle : m_Gizmos) {
        if (handle == -1)
            continue;
        if (cGizmo* gizmo = dynamic_cast<cGizmo*>(GetWidget(handle)))
            gizmo->Unbind();  // its removal may wait for the end of the frame
        RemoveWidget(handle, true);
        handle = -1;
    }
}

void cSpline::Edit() {
    if (m_Widget != -1) {
        StopEditing();
        return;
    }
    if (ManipulatorMode == kManipulatorNone)
        ManipulatorMode = kManipulatorMove;
    m_Transform.SyncGizmos();
    m_Widget = AddWidget(this, 0);
}

void cSpline::StopEditing() {
    if (m_Widget != -1) {
        RemoveWidget(m_Widget, false);
        m_Widget = -1;
    }
    for (int i = 0; i < m_Nodes.Count(); ++i)
        if (cSpline_Node* node = m_Nodes.At(i))
            node->RemoveGizmos();
    m_Transform.RemoveGizmos();
}

bool cSpline::TransformHasGizmos() const {
    return m_Transform.MoveTool() || m_Transform.RotateTool() || m_Transform.ScaleTool();
}

void cSpline::Update() {
    if (!TransformHasGizmos()) {
        StopEditing();
        return;
    }
    const cMat4 matrix = TransformMatrix();
    EditNodes(matrix);
    DrawCurve(matrix);
}

void cSpline::EditNodes(const cMat4& matrix) {
    cMat4 inverse;
    if (!matrix.Invert(inverse))
        inverse.SetIdentity();
    DrawText3D(g_RootFont.Get(), "Spline Root", m_Transform.m_Translate, 0, &kLabelColor);
    const int labelFont = g_LabelFont.Get();
    for (int i = 0; i < m_Nodes.Count(); ++i) {
        cSpline_Node* node = m_Nodes.At(i);
        if (!node)
            continue;
        if (!node->HasGizmos()) {
            cVec3* bound[3] = {&node->m_CV0, &node->m_EP, &node->m_CV1};
            for (int k = 0; k < 3; ++k) {
                cMoveTool* tool = new cMoveTool();
                tool->m_Position = bound[k];
                node->m_Gizmos[k] = AddWidget(tool, 1);
                if (node->m_Gizmos[k] == -1)
                    delete tool;
            }
            node->m_DraggedEP = node->m_EP;
        }
        for (WidgetHandle handle : node->m_Gizmos)
            if (cMoveTool* tool = MoveToolOf(handle)) {
                tool->m_ParentMatrix = matrix;
                tool->m_ParentInverse = inverse;
            }

        const cVec3 cv0 = matrix.TransformPoint(node->m_CV0);
        const cVec3 ep = matrix.TransformPoint(node->m_EP);
        const cVec3 cv1 = matrix.TransformPoint(node->m_CV1);
        DrawLine3D(&ep, &cv0, &kTangentColor);
        DrawLine3D(&ep, &cv1, &kTangentColor);

        const WidgetHandle captured = CapturedWidget;
        if (captured != -1 && captured == node->m_Gizmos[cSpline_Node::kGizmoCV1]) {
            AlignOpposite(node->m_EP, node->m_CV1, node->m_CV0);
        } else if (captured != -1 && captured == node->m_Gizmos[cSpline_Node::kGizmoCV0]) {
            AlignOpposite(node->m_EP, node->m_CV0, node->m_CV1);
        } else if (captured != -1 && captured == node->m_Gizmos[cSpline_Node::kGizmoEP]) {
            const cVec3 offset = node->m_EP - node->m_DraggedEP;
            node->m_CV0 += offset;
            node->m_CV1 += offset;
        }
        node->m_DraggedEP = node->m_EP;

        const cStr label = cStr::Format("EP%d", i + 1);
        DrawText3D(labelFont, label.GetText(), ep, 0, &kLabelColor);
    }
}

void cSpline::DrawCurve(const cMat4& matrix) {
    RebuildSegments();
    const float total = m_Table.TotalLength();
    if (!(total > 0.001f) || !std::isfinite(total))
        return;
    // About one dot per length unit, but never more than the cap: a huge curve
    // would otherwise ask for an unbounded list every frame.
    float step = 1.0f / total;
    if (total > float(kMaxDrawnSamples))
        step = 1.0f / float(kMaxDrawnSamples);
    cList<cVec3> samples;
    for (int i = 0;; ++i) {
        const float t = float(i) * step;
        if (!(t < 1.001f))
            break;
        samples.PushBack(matrix.TransformPoint(m_Table.PointAt(t)));
    }
    DrawPoints(samples.Data(), samples.Count(), kSampleSize, kSampleColor);
}

}  // namespace tovan

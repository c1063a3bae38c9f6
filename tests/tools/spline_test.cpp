#include "tools/spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "classes/member.h"
#include "tests/support/log_capture.h"
#include "tests/support/recording_renderer.h"
#include "tools/explorer_objects.h"
#include "tools/manipulator_state.h"
#include "tools/move_tool.h"
#include "tools/tool_classes.h"

namespace tovan {
namespace {

template <class T>
std::unique_ptr<T> Make() {
    return std::unique_ptr<T>(static_cast<T*>(SharedPrototype<T>()->CreateInstance()));
}

void AddNode(cSpline& spline, const cSplinePoints& p) {
    cSpline_Node* node = static_cast<cSpline_Node*>(SharedPrototype<cSpline_Node>()->CreateInstance());
    node->SetPoints(p);
    ASSERT_GE(spline.m_Nodes.AddItem(node), 0);
}

cSplinePoints OnX(float x, float in = 1, float out = 1) { return {{x - in, 0, 0}, {x, 0, 0}, {x + out, 0, 0}}; }

void ExpectNear(const cVec3& a, const cVec3& b, float eps = 1e-3f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

TEST(Spline, NewObjectsAndNames) {
    auto spline = Make<cSpline>();
    EXPECT_EQ(spline->m_Nodes.Count(), 0);
    EXPECT_FALSE(spline->m_Closed);
    EXPECT_EQ(spline->m_SetUniformSampledNodeCount, 10);
    EXPECT_EQ(spline->m_SetAdaptiveSampledMaxErrSq, 100.0f);
    EXPECT_FALSE(spline->IsEditing());
    EXPECT_STREQ(spline->ToString().GetText(), "Spline");
    ExpectNear(spline->PointAt(0.5f), kZeroVec3);  // nothing to evaluate

    auto node = Make<cSpline_Node>();
    ExpectNear(node->m_CV0, {-10, 10, 0}, 0);
    ExpectNear(node->m_EP, {0, 10, 0}, 0);
    ExpectNear(node->m_CV1, {10, 10, 0}, 0);
    for (WidgetHandle h : node->m_Gizmos)
        EXPECT_EQ(h, -1);

    AddNode(*spline, OnX(0));
    AddNode(*spline, OnX(3));
    EXPECT_STREQ(spline->m_Nodes.At(1)->ToString().GetText(), "2. Node");

    cClassList<cSpline> splines;
    splines.AddItem(Make<cSpline>().release());
    splines.AddItem(Make<cSpline>().release());
    EXPECT_STREQ(splines.At(1)->ToString().GetText(), "2. Spline");
    EXPECT_STREQ(cClassList<cSpline_Node>::StaticClassName(), "cClassList.cSpline_Node");
}

TEST(Spline, XmlRoundTripThroughTheRegistry) {
    RegisterToolClasses();
    auto spline = Make<cSpline>();
    AddNode(*spline, OnX(0));
    AddNode(*spline, {{1, 2, 3}, {4.5f, -6, 7}, {8, 9, 10.25f}});
    spline->m_Closed = true;
    spline->m_SetUniformSampledNodeCount = 4;
    spline->m_Transform.m_Translate = {1, 2, 3};
    cStr text;
    ASSERT_TRUE(spline->SaveToText(text));
    const std::string xml = text.GetText();
    EXPECT_NE(xml.find("<EP>4.500 -6.000 7.000</EP>"), std::string::npos) << xml;
    EXPECT_EQ(xml.find("cSpline::"), std::string::npos) << xml;  // buttons write nothing

    auto back = Make<cSpline>();
    ASSERT_TRUE(back->LoadFromText(text.GetText()));
    ASSERT_EQ(back->m_Nodes.Count(), 2);
    ExpectNear(back->m_Nodes.At(1)->m_CV1, {8, 9, 10.25f}, 0);
    EXPECT_TRUE(back->m_Closed);
    EXPECT_EQ(back->m_SetUniformSampledNodeCount, 4);
    ExpectNear(back->m_Transform.m_Translate, {1, 2, 3}, 0);
    EXPECT_STREQ(back->m_Nodes.At(0)->ToString().GetText(), "1. Node");
}

TEST(Spline, CommandLimits) {
    auto spline = Make<cSpline>();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        int count;
        int used;
    } counts[] = {{1, 3}, {-5, 3}, {3, 3}, {10, 10}, {0x7fffffff, cSpline::kMaxResampledNodes}};
    for (const auto& c : counts) {
        spline->m_SetUniformSampledNodeCount = c.count;
        EXPECT_EQ(spline->UniformNodeCount(), c.used);
    }
    const struct {
        float error;
        float used;
    } errors[] = {{0, 0.001f}, {-4, 0.001f}, {nan, 0.001f}, {0.001f, 0.001f}, {2.5f, 2.5f}};
    for (const auto& e : errors) {
        spline->m_SetAdaptiveSampledMaxErrSq = e.error;
        EXPECT_EQ(spline->AdaptiveErrorLimit(), e.used);
    }
    // Fewer than two nodes: the commands change nothing.
    AddNode(*spline, OnX(5));
    spline->ResampleUniformNodes(5);
    spline->ResampleAdaptiveNodes(0.001f);
    ASSERT_EQ(spline->m_Nodes.Count(), 1);
    ExpectNear(spline->m_Nodes.At(0)->m_EP, {5, 0, 0}, 0);
}

TEST(Spline, AdaptiveResamplingStopsAtTheNodeCapAndSaysSoOnce) {
    // 20 nodes 1e6 apart (flat as far as float rounding tells, coarser than the
    // limit), and 200 loops that the limit would split into more nodes than the
    // cap allows.
    struct Case {
        int nodes;
        float spacing, along, across;
        bool closed, cut;
    };
    const Case cases[] = {
        {20, 1e6f, 3e5f, 3e5f, false, false},
        {200, 10, 1000, 3000, false, true},
        {200, 10, 1000, 3000, true, true},
    };
    for (const Case& c : cases) {
        test::LogCapture log;
        auto spline = Make<cSpline>();
        for (int i = 0; i < c.nodes; ++i) {
            const cVec3 ep = {float(i) * c.spacing, 0, 0}, tangent = {c.along, i % 2 ? -c.across : c.across, 0};
            AddNode(*spline, {ep - tangent, ep, ep + tangent});
        }
        spline->m_Closed = c.closed;
        spline->ResampleAdaptiveNodes(0.001f);
        const int count = spline->m_Nodes.Count();
        EXPECT_GT(count, c.nodes);
        EXPECT_LE(count, cSpline::kMaxResampledNodes);
        EXPECT_EQ(count == cSpline::kMaxResampledNodes, c.cut) << count;
        EXPECT_EQ(spline->m_Nodes.At(0)->m_EP, (cVec3{0, 0, 0}));
        if (!c.closed) {
            EXPECT_EQ(spline->m_Nodes.At(count - 1)->m_EP, (cVec3{float(c.nodes - 1) * c.spacing, 0, 0}));
        }
        const std::string said = "Adaptive sampling stopped at " + std::to_string(count) +
                                 " nodes: parts of the spline are coarser than the error limit";
        EXPECT_EQ(log.Logs(), std::vector<std::string>{said}) << c.nodes << (c.closed ? " closed" : " open");
    }
}

TEST(Spline, CenterTransformKeepsWorldPositions) {
    auto spline = Make<cSpline>();
    AddNode(*spline, {{-1, 0, 0}, {0, 0, 0}, {1, 0, 2}});
    AddNode(*spline, {{3, 4, 0}, {4, 4, 0}, {5, 4, 0}});
    spline->m_Transform.m_Scale = {2, 1, 1};
    spline->m_Transform.m_Rotate = {0, 0, 90};
    spline->m_Transform.m_Translate = {10, 0, 0};
    const cMat4 before = spline->TransformMatrix();
    cSplinePoints world[2];
    for (int i = 0; i < 2; ++i) {
        const cSpline_Node* n = spline->m_Nodes.At(i);
        world[i] = {before.TransformPoint(n->m_CV0), before.TransformPoint(n->m_EP), before.TransformPoint(n->m_CV1)};
    }
    spline->CenterTransform();
    ExpectNear(spline->m_Transform.m_Scale, {1, 1, 1}, 0);
    ExpectNear(spline->m_Transform.m_Translate, (world[0].ep + world[1].ep) * 0.5f);
    const cMat4 after = spline->TransformMatrix();
    for (int i = 0; i < 2; ++i) {
        const cSpline_Node* n = spline->m_Nodes.At(i);
        ExpectNear(after.TransformPoint(n->m_CV0), world[i].cv0);
        ExpectNear(after.TransformPoint(n->m_EP), world[i].ep);
        ExpectNear(after.TransformPoint(n->m_CV1), world[i].cv1);
    }
    auto empty = Make<cSpline>();
    empty->m_Transform.m_Translate = {1, 1, 1};
    empty->CenterTransform();  // no nodes: the Transform stays
    ExpectNear(empty->m_Transform.m_Translate, {1, 1, 1}, 0);
}

TEST(Spline, ReplacingNodesClearsTheUndoHistoriesThatHoldThem) {
    // Registered directly and through a list that holds it; an unrelated object keeps its history.
    cClassList<cSpline> holder;
    holder.AddItem(Make<cSpline>().release());
    cSpline* spline = holder.At(0);
    AddNode(*spline, OnX(0));
    AddNode(*spline, OnX(3));
    auto other = Make<cSpline>();
    cClass* objects[3] = {spline, &holder, other.get()};
    for (cClass* object : objects) {
        ExplorerObject* record = GetExplorerObject(RegisterExplorerObject("object", object));
        UndoRecord edit;
        edit.m_Float = &spline->m_Nodes.At(1)->m_EP.x;
        edit.m_OldFloat = 3;
        edit.m_NewFloat = 4;
        record->PushUndo(edit);
        record->m_Selection.m_Address = edit.m_Float;
    }
    spline->ResampleUniformNodes(3);
    const bool cleared[3] = {true, true, false};
    for (int i = 0; i < CountExplorerObjects(); ++i) {
        const ExplorerObject* record = GetExplorerObject(i);
        for (int k = 0; k < 3; ++k) {
            if (record->m_Object == objects[k]) {
                EXPECT_EQ(record->m_Undo.Count(), cleared[k] ? 0 : 1) << k;
                EXPECT_EQ(record->m_Selection.m_Address == nullptr, cleared[k]) << k;
            }
        }
    }
    for (cClass* object : objects)
        UnregisterExplorerObject(object);
}

cMoveTool* ToolAt(WidgetHandle handle) { return dynamic_cast<cMoveTool*>(GetWidget(handle)); }

// Editing drives the spline's widget update directly, as the frame loop would.
class SplineEditing : public ::testing::Test {
protected:
    void SetUp() override {
        ManipulatorMode = kManipulatorNone;
        baseline = CountWidgets();
        spline = Make<cSpline>();
        AddNode(*spline, {{-1, 0, 0}, {0, 0, 0}, {1, 0, 0}});
        AddNode(*spline, {{4, 0, 0}, {5, 0, 0}, {6, 0, 0}});
        spline->m_Transform.m_Translate = {0, 0, 10};
    }
    void TearDown() override {
        CapturedWidget = -1;
        spline.reset();
        EXPECT_EQ(CountWidgets(), baseline);  // nothing left behind
        ManipulatorMode = kManipulatorNone;
    }
    test::LogCapture log;  // no log window for the fonts the tests do not have
    test::RecordingRenderer device;
    int baseline = 0;
    std::unique_ptr<cSpline> spline;
};

TEST_F(SplineEditing, EditRegistersTheSplineAndGivesEveryPointAGizmo) {
    spline->Edit();
    ASSERT_TRUE(spline->IsEditing());
    EXPECT_EQ(ManipulatorMode, kManipulatorMove);
    EXPECT_NE(spline->m_Transform.MoveTool(), nullptr);
    spline->Update();
    const cMat4 matrix = spline->TransformMatrix();
    for (int i = 0; i < 2; ++i) {
        cSpline_Node* node = spline->m_Nodes.At(i);
        cVec3* bound[3] = {&node->m_CV0, &node->m_EP, &node->m_CV1};
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(WidgetLayer(node->m_Gizmos[k]), 1);
            cMoveTool* tool = ToolAt(node->m_Gizmos[k]);
            ASSERT_NE(tool, nullptr);
            EXPECT_EQ(tool->m_Position, bound[k]);
            EXPECT_EQ(tool->m_ParentMatrix.m[3][2], matrix.m[3][2]);
            EXPECT_EQ(tool->m_ParentInverse.m[3][2], -10.0f);
        }
    }
    spline->Update();
    int fontWarnings = 0;  // asked once per device, not every frame
    for (const std::string& w : log.Warnings())
        fontWarnings += w.find("Tahoma B8") != std::string::npos;
    EXPECT_EQ(fontWarnings, 1);
    spline->Edit();  // the toggle ends editing and takes every gizmo away
    EXPECT_FALSE(spline->IsEditing());
    EXPECT_EQ(spline->m_Nodes.At(0)->m_Gizmos[1], -1);
    EXPECT_EQ(spline->m_Transform.MoveTool(), nullptr);
    EXPECT_EQ(CountWidgets(), baseline);
}

TEST_F(SplineEditing, DraggedTangentsAndEndPoints) {
    spline->Edit();
    spline->Update();
    cSpline_Node* node = spline->m_Nodes.At(0);
    struct Case {
        int gizmo;
        cSplinePoints start;  // as the gizmo left the node this frame
        cSplinePoints expected;
    };
    const Case cases[] = {
        // CV1 turned: CV0 opposite it, keeping its length.
        {cSpline_Node::kGizmoCV1, {{-2, 0, 0}, {0, 0, 0}, {0, 3, 0}}, {{0, -2, 0}, {0, 0, 0}, {0, 3, 0}}},
        {cSpline_Node::kGizmoCV0, {{0, 0, 4}, {0, 0, 0}, {1, 0, 0}}, {{0, 0, 4}, {0, 0, 0}, {0, 0, -1}}},
        // CV1 on EP has no direction: CV0 stays.
        {cSpline_Node::kGizmoCV1, {{-2, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {{-2, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    };
    for (const Case& c : cases) {
        node->SetPoints(c.start);
        CapturedWidget = node->m_Gizmos[c.gizmo];
        spline->Update();
        ExpectNear(node->m_CV0, c.expected.cv0);
        ExpectNear(node->m_EP, c.expected.ep);
        ExpectNear(node->m_CV1, c.expected.cv1);
    }
    // EP moved by its gizmo: both controls follow by the same offset.
    CapturedWidget = -1;
    node->SetPoints({{-1, 0, 0}, {0, 0, 0}, {1, 0, 0}});
    spline->Update();
    CapturedWidget = node->m_Gizmos[cSpline_Node::kGizmoEP];
    node->m_EP = {2, 3, 0};
    spline->Update();
    ExpectNear(node->m_CV0, {1, 3, 0});
    ExpectNear(node->m_CV1, {3, 3, 0});
}

TEST_F(SplineEditing, ReplacedNodesTakeTheirGizmosAndModeNoneEndsEditing) {
    spline->Edit();
    spline->Update();
    const int editing = CountWidgets();
    EXPECT_EQ(editing, baseline + 2 + 6);  // the spline, the Transform's move gizmo, 2 x 3 node gizmos
    spline->ResampleUniformNodes(3);
    EXPECT_EQ(CountWidgets(), baseline + 2);
    spline->Update();
    EXPECT_EQ(CountWidgets(), baseline + 2 + 9);

    ManipulatorMode = kManipulatorNone;
    spline->m_Transform.SyncGizmos();
    spline->Update();
    EXPECT_FALSE(spline->IsEditing());
    EXPECT_EQ(CountWidgets(), baseline);
}

}  // namespace
}  // namespace tovan

// The rotate gizmo: its parts, and ring drags with wrapping and snapping.
#include "tools/rotate_tool.h"

#include <cmath>
#include <cstdio>

#include "tests/core/math_support.h"
#include "tests/tools/gizmo_scene.h"
#include "tools/manipulator_state.h"

namespace tovan {
namespace {

using test::FixedView;

constexpr float kRadians = 3.14159265f / 180;

class RotateToolTest : public test::GizmoScene {
protected:
    cRotateTool* AddRotateTool() { return AddRotate(&position, &angles); }
    // A point on a circle of `pixels` around the gizmo, at `degrees` from GUI x.
    cVec2 OnCircle(const FixedView& at, float pixels, float degrees) const {
        const cVec3 centre = at.Project(position);
        return {centre.x + pixels * std::cos(degrees * kRadians), centre.y + pixels * std::sin(degrees * kRadians)};
    }

    cVec3 position{0.5f, -0.5f, 1};
    cAngles angles;
};

// Offsets from the centre in GUI pixels, the view along +Z: the view ring at
// 120, the sphere at 103.2, the Z ring near its rim; the X and Y rings are
// seen edge on, as lines through the centre.
TEST_F(RotateToolTest, PicksRingsTheSphereAndTheViewRing) {
    struct Case {
        cVec2 offset;
        int plain, universal;
    };
    const Case cases[] = {
        {{120, 0}, 5, 5}, {{0, -126}, 5, 5}, {{72.8f, 72.8f}, 4, 4}, {{0, 50}, 2, 2},
        {{50, 0}, 3, 3},  {{40, 40}, 1, 0},  {{108, 0}, 0, 0},       {{200, 0}, 0, 0},
    };
    cRotateTool* tool = AddRotateTool();
    for (const Case& c : cases) {
        for (bool universal : {false, true}) {
            tool->m_Universal = universal;
            MoveTo(Pixel(position) + c.offset);
            EXPECT_EQ(tool->HoveredPart(), universal ? c.universal : c.plain) << c.offset.x << "," << c.offset.y;
        }
    }
}

// Each drag looks along the ring's axis and sweeps the cursor round the ring.
TEST_F(RotateToolTest, RingDragsWrapAndSnap) {
    struct Case {
        cVec3 forward, up;
        cAngles start;
        float snap, sweep;
        cAngles expected;
    };
    const Case cases[] = {
        {{0, 0, 1}, {0, 1, 0}, {0, 0, 0}, 0, 22, {0, 0, 22}},
        {{0, 0, 1}, {0, 1, 0}, {0, 0, 0}, 15, 22, {0, 0, 15}},
        {{0, 0, 1}, {0, 1, 0}, {0, 0, 0}, 15, 23, {0, 0, 30}},
        {{0, 0, 1}, {0, 1, 0}, {0, 0, 0}, 15, -23, {0, 0, -30}},
        {{1, 0, 0}, {0, 1, 0}, {170, 0, 0}, 0, 20, {-170, 0, 0}},  // 190 about X
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 0}, 0, 120, {120, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.snap << " " << c.sweep);
        const FixedView along =
            FixedView::Orthographic({0, 0, 800, 800}, {position - c.forward * 100, c.forward, c.up}, 100);
        ManipulatorSnap = c.snap;
        angles = c.start;
        cRotateTool* tool = AddRotateTool();
        Press(OnCircle(along, 103, 45));
        ASSERT_EQ(tool->ActivePart(), c.forward.x ? cRotateTool::kRingX : cRotateTool::kRingZ);
        MoveTo(OnCircle(along, 103, 45 + c.sweep));
        Release();
        EXPECT_TRUE(test::Near(cVec3{angles.x, angles.y, angles.z}, {c.expected.x, c.expected.y, c.expected.z}, 1e-3f));
        RemoveGizmo(tool);
    }
}

// The turned object carries the grabbed point of a ring onto the cursor, in
// the ring's plane, whichever ring.
TEST_F(RotateToolTest, TheTurnCarriesTheGrabbedPointToTheCursor) {
    cRotateTool* tool = AddRotateTool();
    const cVec3 right = view.m_Right, up = view.m_Up;
    auto ringPoint = [&](float degrees) {
        return right * std::cos(degrees * kRadians) + up * std::sin(degrees * kRadians);
    };
    for (float sweep : {30.0f, -75.0f, 150.0f}) {
        angles = {};
        Press(OnCircle(view, 103, 45));
        ASSERT_EQ(tool->ActivePart(), cRotateTool::kRingZ);
        MoveTo(OnCircle(view, 103, 45 + sweep));
        Release();
        const cVec3 turned = cMat3::FromAngles(angles).Transform(ringPoint(45));
        EXPECT_TRUE(test::Near(turned, ringPoint(45 + sweep), 1e-3f)) << sweep;
    }
    // The view ring turns about the viewing direction too; a free drag
    // turns the grabbed sphere point towards the cursor.
    angles = {};
    Drag(Pixel(position) + cVec2{120, 0}, Pixel(position) + cVec2{0, 120});
    EXPECT_TRUE(test::Near(cMat3::FromAngles(angles).Transform(right), up, 1e-3f));
    angles = {};
    Press(Pixel(position) + cVec2{30, 30});
    ASSERT_EQ(tool->ActivePart(), cRotateTool::kFree);
    device.ClearCalls();
    MoveTo(Pixel(position) + cVec2{-30, 30});
    char label[64];
    snprintf(label, sizeof label, "%.2f %.2f %.2f", angles.x, angles.y, angles.z);
    EXPECT_EQ(Labels(), std::vector<std::string>{label});
    Release();
    const float radius = tool->m_RingRadius, depth = -std::sqrt(radius * radius - 0.18f);
    const cVec3 grabbed = Normalize(cVec3{0.3f, 0.3f, depth}), now = Normalize(cVec3{-0.3f, 0.3f, depth});
    EXPECT_TRUE(test::Near(cMat3::FromAngles(angles).Transform(grabbed), now, 1e-3f));
}

}  // namespace
}  // namespace tovan

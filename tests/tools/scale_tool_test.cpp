// The scale gizmo: handle drags, Control, snapping, and the components a drag
// leaves alone. The view looks along +Z: the Z handle faces the viewer and is
// neither drawn nor picked; the axes are 90 pixels long.
#include "tools/scale_tool.h"

#include "tests/tools/gizmo_scene.h"
#include "tools/manipulator_state.h"
#include "ui/input.h"

namespace tovan {
namespace {

class ScaleToolTest : public test::GizmoScene {};

TEST_F(ScaleToolTest, DragsScaleTheirComponentsAndLeaveTheOthers) {
    struct Case {
        const char* name;
        cVec3 start;
        float snap;
        bool control;
        cVec2 from, to;  // pixels from the centre
        cVec3 expected;
    };
    const Case cases[] = {
        {"one size out doubles", {1, 1, 1}, 0, false, {90, 0}, {180, 0}, {2, 1, 1}},
        {"inwards past the centre", {1, 1, 1}, 0, false, {90, 0}, {-90, 0}, {0.1f, 1, 1}},
        {"zero counts as 1 at the grab", {0, 1, 1}, 0, false, {90, 0}, {135, 0}, {1.5f, 1, 1}},
        {"Control scales the two others", {1, 2, 3}, 0, true, {0, 90}, {0, 135}, {1.5f, 2, 4.5f}},
        {"negative flips the handle", {-2, 1, 1}, 0, false, {-90, 0}, {-135, 0}, {-3, 1, 1}},
        {"negative keeps its sign", {-2, 1, 1}, 0, false, {-90, 0}, {90, 0}, {-0.1f, 1, 1}},
        {"the facing Z is left alone", {1.1f, 0.5f, -0.3f}, 0.25f, false, {0, 0}, {30, 0}, {1.5f, 0.75f, -0.3f}},
        {"snapping below the floor", {1, 1, 1}, 0.25f, false, {0, 0}, {-85, 0}, {0.1f, 0.1f, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ManipulatorSnap = c.snap;
        cVec3 scale = c.start, position{-1, 0.5f, 2};
        cAngles angles;
        cScaleTool* tool = AddScale(&position, &angles, &scale);
        if (c.control)
            host.Press(kKeyControl);
        Press(Pixel(position) + c.from);
        if (c.control)
            Release(kKeyControl);  // latched at the press; swallowed by the drag
        ASSERT_TRUE(tool->IsDragging());
        MoveTo(Pixel(position) + c.to);
        Release();
        EXPECT_NEAR(scale.x, c.expected.x, 1e-4f);
        EXPECT_NEAR(scale.y, c.expected.y, 1e-4f);
        EXPECT_NEAR(scale.z, c.expected.z, 1e-4f);
        RemoveGizmo(tool);
    }
}

TEST_F(ScaleToolTest, TheLabelShowsTheScaleWhileDragging) {
    cVec3 scale{1, 1, 1}, position;
    cAngles angles;
    AddScale(&position, &angles, &scale);
    Press(Pixel(position) + cVec2{0, 90});
    device.ClearCalls();
    MoveTo(Pixel(position) + cVec2{0, 180});
    EXPECT_EQ(Labels(), std::vector<std::string>{"1.00 2.00 1.00"});
    Release();
    device.ClearCalls();
    host.Frame();
    EXPECT_TRUE(Labels().empty());
}

}  // namespace
}  // namespace tovan

// The move gizmo, and the rules all three gizmos share: size on the screen,
// frames they skip, capture and the last-grabbed record.
#include "tools/move_tool.h"

#include <memory>

#include "tests/tools/gizmo_scene.h"
#include "tools/manipulator_state.h"
#include "tools/rotate_tool.h"
#include "tools/scale_tool.h"
#include "ui/widget_registry.h"

namespace tovan {
namespace {

using test::FixedView;

class MoveToolTest : public test::GizmoScene {
protected:
    cMoveTool* AddMoveTool(cVec3* position) {
        auto* tool = static_cast<cMoveTool*>(AddGizmo(new cMoveTool()));
        tool->m_Position = position;
        return tool;
    }
};

// At the centre, pixel offsets; the axes are 78 pixels, the pick radius 9.36.
TEST_F(MoveToolTest, PicksAxesAndThePlaneRingInUniversalMode) {
    struct Case {
        cVec2 offset;
        int plain, universal;
    };
    const Case cases[] = {
        {{40, 0}, 1, 1},  {{0, 40}, 2, 2},  {{4, 6}, 4, 2},   // the disc: the nearer axis wins in universal mode
        {{10, 10}, 0, 4}, {{20, 20}, 0, 0}, {{90, 0}, 0, 0},  // the ring out to 2r; beyond; past the arrow
    };
    cVec3 position{1, -1, 2};
    cMoveTool* tool = AddMoveTool(&position);
    for (const Case& c : cases) {
        for (bool universal : {false, true}) {
            tool->m_Universal = universal;
            MoveTo(Pixel(position) + c.offset);
            EXPECT_EQ(tool->HoveredPart(), universal ? c.universal : c.plain) << c.offset.x << "," << c.offset.y;
        }
    }
}

TEST_F(MoveToolTest, DragsSnapTheMovedComponentsOnly) {
    struct Case {
        float snap;
        cVec2 from, to;
        cVec3 expected;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {0.5f, {40, 0}, {60, 0}, {1.5f, 2.2f, 3.3f}, {"1.50"}},
        {0, {40, 0}, {60, 0}, {1.33f, 2.2f, 3.3f}, {"1.33"}},
        {0.5f, {0, 40}, {0, 10}, {1.13f, 2.0f, 3.3f}, {"2.00"}},
        {0.5f, {3, 3}, {23, 23}, {1.5f, 2.5f, 3.3f}, {"1.50", "2.50"}},  // the plane across the facing Z axis
    };
    for (const Case& c : cases) {
        ManipulatorSnap = c.snap;
        cVec3 position{1.13f, 2.2f, 3.3f};
        cMoveTool* tool = AddMoveTool(&position);
        const cVec2 centre = Pixel(position);
        Press(centre + c.from);
        device.ClearCalls();
        MoveTo(centre + c.to);
        EXPECT_EQ(Labels(), c.labels);
        Release();
        EXPECT_NEAR(position.x, c.expected.x, 1e-4f);
        EXPECT_NEAR(position.y, c.expected.y, 1e-4f);
        EXPECT_EQ(position.z, c.expected.z);
        RemoveGizmo(tool);
    }
}

TEST_F(MoveToolTest, ControlTurnsAnAxisGrabIntoThePlaneAcrossThatWorldAxis) {
    const FixedView tilted = FixedView::Orthographic({0, 0, 800, 600}, {{-50, 50, -50}, {1, -1, 1}}, 100);
    cVec3 position;
    cMoveTool* tool = AddMoveTool(&position);
    host.Frame();  // places the axes
    const cVec3 onX = tilted.Project(tool->m_Axes[0].end * 0.5f);
    host.Press(kKeyControl);
    Press({onX.x, onX.y});
    EXPECT_EQ(tool->ActivePart(), cMoveTool::kPlane);
    MoveTo({onX.x + 30, onX.y + 40});
    EXPECT_NEAR(position.x, 0, 1e-5f);
    EXPECT_GT(Length(position), 0.3f);
}

TEST_F(MoveToolTest, ADragEndsWithItsOwnButtonAndTheMiddleButtonGrabsAgain) {
    cVec3 position, other{3, 0, 0};
    cMoveTool* tool = AddMoveTool(&position);
    cMoveTool* front = AddMoveTool(&other);  // offered every event first
    const cVec2 grab = Pixel(position) + cVec2{40, 0};
    Press(grab);
    Press(grab, kKeyRightButton);  // swallowed by the drag
    EXPECT_EQ(host.LastConsumer(), tool);
    Release(kKeyRightButton);
    EXPECT_TRUE(tool->IsDragging());
    Release();
    EXPECT_FALSE(tool->IsDragging());
    EXPECT_EQ(CapturedWidget, -1);
    EXPECT_EQ(LastGrabbedGizmo(kGizmoMove), tool);
    EXPECT_EQ(LastGrabbedPart(kGizmoMove), cMoveTool::kAxisX);

    // Far from both gizmos: only the last grabbed one takes the middle button.
    Press({100, 500}, kKeyMiddleButton);
    EXPECT_EQ(host.LastConsumer(), tool);
    EXPECT_FALSE(front->IsDragging());
    MoveTo({150, 420});
    Release(kKeyMiddleButton);
    EXPECT_NEAR(position.x, 0.5f, 1e-4f);
    EXPECT_EQ(position.y, 0);

    // Grabbing another kind clears the record; so does destroying its gizmo.
    cVec3 turnAt{-2, 0, 0};
    cAngles angles;
    auto* rotate = static_cast<cRotateTool*>(AddGizmo(new cRotateTool()));
    rotate->m_Position = &turnAt, rotate->m_Rotation = &angles;
    Drag(Pixel(turnAt) + cVec2{120, 0}, Pixel(turnAt) + cVec2{0, 120});
    EXPECT_EQ(LastGrabbedGizmo(kGizmoMove), nullptr);
    EXPECT_EQ(LastGrabbedGizmo(kGizmoRotate), rotate);
    RemoveGizmo(rotate);
    EXPECT_EQ(LastGrabbedGizmo(kGizmoRotate), nullptr);
}

TEST_F(MoveToolTest, APressWhileAnotherWidgetHoldsTheCaptureStartsNoDrag) {
    cVec3 position;
    cMoveTool* tool = AddMoveTool(&position);
    cWidget* holder = new cWidget();
    CapturedWidget = AddWidget(holder, 0);
    Press(Pixel(position) + cVec2{40, 0});
    EXPECT_FALSE(tool->IsDragging());
    EXPECT_EQ(host.LastConsumer(), nullptr);
    EXPECT_EQ(GetWidget(CapturedWidget), holder);
}

// The world length of the gizmo's screen size, through a perspective view.
TEST_F(MoveToolTest, EveryGizmoKeepsItsSizeOnTheScreen) {
    const FixedView perspective = FixedView::Perspective({0, 0, 800, 600}, {{0, 0, 0}}, 500);
    for (float distance : {10.0f, 100.0f}) {
        cVec3 position{1, -2, distance}, scale{1, 1, 1};
        cAngles angles{0, 0, 30};
        cMoveTool* move = AddMoveTool(&position);
        auto* rotate = static_cast<cRotateTool*>(AddGizmo(new cRotateTool()));
        rotate->m_Position = &position, rotate->m_Rotation = &angles;
        auto* scaler = static_cast<cScaleTool*>(AddGizmo(new cScaleTool()));
        scaler->m_Position = &position, scaler->m_Rotation = &angles, scaler->m_Scale = &scale;
        host.Frame();
        auto pixels = [&](const cVec3& aside) {
            return Length(perspective.Project(aside) - perspective.Project(position));
        };
        EXPECT_NEAR(pixels(move->m_Axes[0].end), 78, 0.05f) << distance;
        EXPECT_NEAR(pixels(position + perspective.m_Right * rotate->m_Size), 120, 0.05f) << distance;
        EXPECT_NEAR(pixels(position + perspective.m_Right * scaler->m_Size), 90, 0.05f) << distance;
        for (cGizmo* gizmo : {static_cast<cGizmo*>(move), static_cast<cGizmo*>(rotate), static_cast<cGizmo*>(scaler)})
            RemoveGizmo(gizmo);
    }
}

// A centre on the eye plane has no screen point; a huge zoom shrinks the
// size below 1e-10. Every gizmo then draws and picks nothing.
TEST_F(MoveToolTest, EveryGizmoSkipsAFrameWithoutAScreenSize) {
    const FixedView eye = FixedView::Perspective({0, 0, 800, 600}, {{0, 0, 0}}, 500);
    const FixedView zoomed = FixedView::Orthographic({0, 0, 800, 600}, {{0, 0, -100}}, 1e13f);
    for (const FixedView* view : {&eye, &zoomed}) {
        CurrentView = const_cast<FixedView*>(view);
        cVec3 position{view == &eye ? 1.0f : 0.0f, 0, 0}, scale{1, 1, 1};
        cAngles angles;
        cMoveTool* move = AddMoveTool(&position);
        auto* rotate = static_cast<cRotateTool*>(AddGizmo(new cRotateTool()));
        rotate->m_Position = &position, rotate->m_Rotation = &angles;
        auto* scaler = static_cast<cScaleTool*>(AddGizmo(new cScaleTool()));
        scaler->m_Position = &position, scaler->m_Rotation = &angles, scaler->m_Scale = &scale;
        device.ClearCalls();
        Press({400, 300});
        EXPECT_EQ(DrawCalls(), 0);
        EXPECT_EQ(host.LastConsumer(), nullptr);
        EXPECT_FALSE(move->UpdateGeometry() || rotate->UpdateGeometry() || scaler->UpdateGeometry());
        Release();
        for (cGizmo* gizmo : {static_cast<cGizmo*>(move), static_cast<cGizmo*>(rotate), static_cast<cGizmo*>(scaler)})
            RemoveGizmo(gizmo);
    }
    CurrentView = &view;
}

}  // namespace
}  // namespace tovan

// cTransform and cPosition: which gizmos the manipulator mode gives them, the
// flags they hand on, their removal, and what a fresh transform writes.
#include "tools/transform.h"

#include <memory>

#include "classes/xml.h"
#include "tests/tools/gizmo_scene.h"
#include "tools/manipulator_state.h"
#include "tools/move_tool.h"
#include "tools/rotate_tool.h"
#include "tools/scale_tool.h"
#include "ui/widget_registry.h"

namespace tovan {
namespace {

template <class T>
std::unique_ptr<T> Fresh() {
    T sample;
    sample.Register();
    return std::unique_ptr<T>(static_cast<T*>(sample.CreateInstance()));
}

// A gizmo that lives in the registry, in the manipulators' layer.
bool InLayer1(const cGizmo* gizmo) {
    const WidgetHandle handle = FindWidgetHandle(gizmo);
    return handle != -1 && WidgetLayer(handle) == 1;
}

class TransformTest : public test::GizmoScene {};

TEST_F(TransformTest, ShowCreatesTheGizmosOfTheMode) {
    struct Case {
        int mode, modeAfter;
        bool move, rotate, scale;
    };
    const Case cases[] = {
        {0, 1, true, false, false},
        {2, 2, false, true, false},
        {3, 3, false, false, true},
        {4, 4, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ManipulatorMode = c.mode;
        auto transform = Fresh<cTransform>();
        transform->Show();
        EXPECT_EQ(ManipulatorMode, c.modeAfter);
        EXPECT_EQ(transform->MoveTool() != nullptr, c.move);
        EXPECT_EQ(transform->RotateTool() != nullptr, c.rotate);
        EXPECT_EQ(transform->ScaleTool() != nullptr, c.scale);
        const cGizmo* gizmos[] = {transform->MoveTool(), transform->RotateTool(), transform->ScaleTool()};
        for (const cGizmo* gizmo : gizmos) {
            if (!gizmo)
                continue;
            EXPECT_TRUE(InLayer1(gizmo));
            EXPECT_EQ(gizmo->m_Universal, c.mode == kManipulatorAll);
        }
        const int count = CountWidgets();
        transform.reset();
        EXPECT_EQ(CountWidgets(), count - (c.move + c.rotate + c.scale));
    }
}

TEST_F(TransformTest, UpdateHookFollowsTheModeUntilItBecomesZero) {
    auto transform = Fresh<cTransform>();
    transform->UpdateHook();  // never shown: nothing
    EXPECT_EQ(CountWidgets(), 0);
    transform->Show();
    ManipulatorMode = kManipulatorRotate;  // replaced within one call
    transform->UpdateHook();
    EXPECT_EQ(transform->MoveTool(), nullptr);
    ASSERT_NE(transform->RotateTool(), nullptr);
    EXPECT_TRUE(InLayer1(transform->RotateTool()));
    EXPECT_EQ(CountWidgets(), 1);

    ManipulatorMode = kManipulatorNone;
    transform->UpdateHook();
    EXPECT_EQ(CountWidgets(), 0);
    ManipulatorMode = kManipulatorRotate;  // does not come back without Show
    transform->UpdateHook();
    EXPECT_EQ(CountWidgets(), 0);
}

TEST_F(TransformTest, APositionHasOneMoveGizmoInEveryMode) {
    auto position = Fresh<cPosition>();
    for (int mode : {1, 2, 3, 4}) {
        ManipulatorMode = mode;
        position->Show();
        position->UpdateHook();
        ASSERT_NE(position->MoveTool(), nullptr);
        EXPECT_EQ(position->MoveTool()->m_Position, &position->m_Position);
        EXPECT_EQ(position->MoveTool()->m_Rotation, nullptr);
        EXPECT_EQ(CountWidgets(), 1);
    }
    ManipulatorMode = kManipulatorNone;
    position->UpdateHook();
    EXPECT_EQ(position->MoveTool(), nullptr);
    EXPECT_EQ(CountWidgets(), 0);
}

// The effective flag follows the requested one only between drags; the
// parent matrices are handed on every call.
TEST_F(TransformTest, LocalTakesEffectAfterTheDrag) {
    auto transform = Fresh<cTransform>();
    transform->Show();
    cMoveTool* move = transform->MoveTool();
    Press(Pixel(transform->m_Translate) + cVec2{40, 0});
    ASSERT_TRUE(move->IsDragging());
    ManipulatorLocal = true;
    transform->m_ParentMatrix.SetTranslation({0, 0, 5});
    transform->UpdateHook();
    EXPECT_TRUE(move->LocalRequested());
    EXPECT_FALSE(move->LocalEffective());
    EXPECT_EQ(move->m_ParentMatrix.m[3][2], 5);
    Release();
    EXPECT_TRUE(move->LocalEffective());
}

// Removal while the frame loop dispatches waits for the frame's end; the
// bound object is gone by then, and the gizmo must not reach into it.
TEST_F(TransformTest, GizmosRemovedDuringDispatchAreUnboundFirst) {
    ManipulatorMode = kManipulatorAll;
    auto transform = Fresh<cTransform>();
    transform->Show();
    cGizmo* gizmos[] = {transform->MoveTool(), transform->RotateTool(), transform->ScaleTool()};
    host.MoveCursor(400, 400);
    BeginWidgetDispatch();
    transform.reset();
    for (cGizmo* gizmo : gizmos) {
        ASSERT_NE(FindWidgetHandle(gizmo), -1);  // still registered
        EXPECT_EQ(gizmo->Pick(true), 0);
        gizmo->Update();
    }
    EndWidgetDispatch();
    EXPECT_EQ(CountWidgets(), 0);
}

TEST_F(TransformTest, AFreshTransformWritesItsDefaults) {
    auto transform = Fresh<cTransform>();
    XmlNode tree;
    transform->ToXml(&tree, static_cast<cClass*>(transform.get()), 0);
    cStr text;
    tree.Write(text, 0);
    EXPECT_STREQ(text.GetText(),
                 "<cTransform>\n"
                 " <&cTransform::Show></&cTransform::Show>\n"
                 " <Scale>1.000 1.000 1.000</Scale>\n"
                 " <Rotate>0.000 0.000 0.000</Rotate>\n"
                 " <Translate>0.000 0.000 0.000</Translate>\n"
                 "</cTransform>\n");
    cStr saved;
    ASSERT_TRUE(transform->SaveToText(saved));
    EXPECT_STREQ(saved.GetText(), "<cTransform></cTransform>\n");
}

}  // namespace
}  // namespace tovan

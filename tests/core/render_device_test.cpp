// The shared render-state cache and UI transform, and the test doubles of the
// host's render device and view that later tests draw through.
#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "core/render_device.h"
#include "core/view.h"
#include "tests/support/fixed_view.h"
#include "tests/support/recording_renderer.h"

namespace tovan {
namespace {

TEST(RenderStates, ReachTheDeviceOnlyOnAChange) {
    test::RecordingRenderer device;
    EXPECT_EQ(RenderStates.m_BlendState, 0);
    EXPECT_FALSE(RenderStates.m_RenderFlag);
    RenderStates.SetBlendState(0);  // the start values: nothing to do
    RenderStates.SetStateA(0);
    RenderStates.SetStateB(0);
    RenderStates.SetRenderFlag(false);
    EXPECT_TRUE(device.Calls().empty());

    RenderStates.SetStateA(-1);
    RenderStates.SetStateA(-1);
    RenderStates.SetBlendState(3);
    RenderStates.SetStateB(2);
    RenderStates.SetRenderFlag(true);
    RenderStates.SetRenderFlag(true);
    RenderStates.SetBlendState(3);
    RenderStates.SetRenderFlag(false);
    EXPECT_EQ(device.Ops(), (std::vector<std::string>{"SetRenderStateA", "SetBlendState", "SetRenderStateB",
                                                      "SetRenderFlag", "SetRenderFlag"}));
    EXPECT_EQ(device.Calls()[0].ints, std::vector<int>{-1});
    EXPECT_EQ(device.Calls()[4].ints, std::vector<int>{0});
    EXPECT_EQ(RenderStates.m_StateA, -1);
    EXPECT_EQ(RenderStates.m_BlendState, 3);
}

TEST(RenderStates, WithoutADeviceNothingIsCached) {
    ASSERT_EQ(RenderDevice, nullptr);
    RenderStates.SetStateA(-1);
    SetUiTransform(cMat4::FromMat3(cMat3(), {1, 2, 3}));
    EXPECT_EQ(RenderStates.m_StateA, 0);  // the first device still gets told
    test::RecordingRenderer device;       // starts from the initial values
    EXPECT_EQ(UiTransform.m[3][0], 0.0f);
    RenderStates.SetStateA(-1);
    EXPECT_EQ(device.Ops(), std::vector<std::string>{"SetRenderStateA"});
}

TEST(RenderStates, UiTransformIsSharedAndAnnounced) {
    test::RecordingRenderer device;
    EXPECT_EQ(UiTransform.m[0][0], 1.0f);
    cMat4 turn;
    turn.SetRotationAboutPoint({0, 0, 0}, 90);
    SetUiTransform(turn);
    ASSERT_EQ(device.Ops(), std::vector<std::string>{"ApplyUiTransform"});
    EXPECT_EQ(device.Calls()[0].floats[1], turn.m[0][1]);  // the matrix the device saw
    EXPECT_EQ(UiTransform.m[1][0], turn.m[1][0]);
}

// The device double copies what is drawn at the call, at the bound shader's vertex size.
TEST(RecordingRenderer, CopiesDrawDataAtTheCall) {
    test::RecordingRenderer device;
    device.SetVertexBytes("Font", 24);
    std::vector<float> vertices(12, 1.5f);
    std::vector<uint32_t> indices{0, 1, 2};
    const int ui = device.GetShader("SolidUI", -1, nullptr, 0);
    EXPECT_EQ(device.GetShader("SolidUI", -1, nullptr, 0), ui);
    device.BindShader(ui);
    device.DrawIndexed(3, vertices.data(), 3, indices.data(), 3, 4);
    device.BindShader(device.GetShader("Font", -1, "#define A\n", 0));
    device.Draw(1, vertices.data(), 2);
    vertices.assign(12, 0);
    indices.assign(3, 9);
    const auto drawn = device.CallsNamed("DrawIndexed");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].ints, (std::vector<int>{3, 3, 3, 4, ui}));
    ASSERT_EQ(drawn[0].vertices.size(), 48u);  // 3 UI vertices of 16 bytes
    float first;
    std::memcpy(&first, drawn[0].vertices.data(), 4);
    EXPECT_EQ(first, 1.5f);
    EXPECT_EQ(drawn[0].indices, (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(device.CallsNamed("Draw")[0].vertices.size(), 48u);  // 2 font vertices of 24 bytes
    EXPECT_EQ(RenderDevice, &device);
}

TEST(FixedView, OrthographicMapsUnitsToPixelsAroundTheCentre) {
    const cRect viewport{0, 0, 800, 600};
    const auto view = test::FixedView::Orthographic(viewport, {{0, 0, -10}, {0, 0, 1}, {0, 1, 0}, 1, 100}, 20);
    EXPECT_EQ(CurrentView, &view);
    EXPECT_TRUE(view.m_Orthographic);
    const cVec3 p = view.Project({1, 2, 40});
    EXPECT_NEAR(p.x, 420, 1e-3f);
    EXPECT_NEAR(p.y, 340, 1e-3f);
    EXPECT_NEAR(p.z, 49.0f / 99, 1e-5f);
    EXPECT_EQ(view.m_Right, (cVec3{1, 0, 0}));
    EXPECT_TRUE(view.Inside({1, 2, 40}));
    EXPECT_FALSE(view.Inside({30, 0, 40}));     // 600 pixels right of the centre
    EXPECT_FALSE(view.Inside({0, 0, -10.5f}));  // before the near plane
    const cVec3 back = view.m_InverseViewProjection.TransformPoint(p);
    EXPECT_NEAR(back.x, 1, 1e-4f);
    EXPECT_NEAR(back.z, 40, 1e-3f);
}

TEST(FixedView, PerspectiveDividesByDepthAndRestoresThePreviousView) {
    const cRect viewport{0, 0, 640, 480};
    cView* before = CurrentView;
    {
        // Looking along +x from the origin, up +z.
        const auto view = test::FixedView::Perspective(viewport, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, 1, 100}, 100);
        EXPECT_FALSE(view.m_Orthographic);
        const cVec3 ahead = view.Project({10, 0, 0});
        EXPECT_NEAR(ahead.x, 320, 1e-3f);
        EXPECT_NEAR(ahead.y, 240, 1e-3f);
        const cVec3 up = view.Project({10, 0, 1});  // 1 up at distance 10: 10 pixels up
        EXPECT_NEAR(up.y, 250, 1e-3f);
        const cVec3 right = view.Project({20, 2, 0});  // right = up x forward = +y
        EXPECT_NEAR(right.x, 330, 1e-3f);
        EXPECT_NEAR(view.Project({1, 0, 0}).z, 0, 1e-5f);
        EXPECT_NEAR(view.Project({100, 0, 0}).z, 1, 1e-5f);
        EXPECT_TRUE(view.Inside({50, 0, 0}));
        EXPECT_FALSE(view.Inside({-5, 0, 0}));   // behind the camera
        EXPECT_TRUE(view.Inside({10, 0, 2}));    // 20 pixels up
        EXPECT_FALSE(view.Inside({10, 0, 30}));  // 300 pixels up, past the top
        const cVec3 back = view.m_InverseViewProjection.TransformPoint({320, 250, view.Project({10, 0, 1}).z});
        EXPECT_NEAR(back.z, 1, 1e-3f);
    }
    EXPECT_EQ(CurrentView, before);
}

}  // namespace
}  // namespace tovan

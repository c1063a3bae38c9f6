// Drawing primitives through the recording device: vertices, indices,
// shaders, states, the clip stack, and colour packing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "tests/support/fixed_view.h"
#include "tests/support/recording_renderer.h"
#include "ui/draw.h"

namespace tovan {
namespace {

using test::RecordingRenderer;
using test::RenderCall;

cRect R(float x0, float y0, float x1, float y1) { return {x0, y0, x1, y1}; }

std::vector<ColorVertex> Vertices(const RenderCall& call) {
    std::vector<ColorVertex> out(call.vertices.size() / sizeof(ColorVertex));
    if (!out.empty())
        std::memcpy(out.data(), call.vertices.data(), out.size() * sizeof(ColorVertex));
    return out;
}

class Draw : public ::testing::Test {
protected:
    Draw() {
        ClipStack.DestroyItems();
        CurrentClip = cRect::Empty();
    }
    ~Draw() override {
        ClipStack.DestroyItems();
        CurrentClip = cRect::Empty();
    }
    RecordingRenderer device;
};

TEST_F(Draw, SolidRectIsTwoTrianglesFromTheTopLeft) {
    const cRect rect = R(10, 20, 110, 70);
    const cColor color{1, 0, 0, 1};
    DrawSolidRect(&rect, &color);
    EXPECT_EQ(device.Ops(), (std::vector<std::string>{"SetRenderStateA", "GetShader", "BindShader", "DrawIndexed"}));
    const std::vector<RenderCall> draws = device.CallsNamed("DrawIndexed");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].ints, (std::vector<int>{3, 4, 6, 4, device.BoundShader()}));
    EXPECT_EQ(device.ShaderName(device.BoundShader()), "SolidUI");
    EXPECT_EQ(draws[0].indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3}));
    const std::vector<ColorVertex> v = Vertices(draws[0]);
    ASSERT_EQ(v.size(), 4u);
    const float expected[4][2] = {{10, 70}, {10, 20}, {110, 20}, {110, 70}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[size_t(i)].x, expected[i][0]);
        EXPECT_EQ(v[size_t(i)].y, expected[i][1]);
        EXPECT_EQ(v[size_t(i)].z, 0.0f);
        EXPECT_EQ(v[size_t(i)].color, 0xFF0000FFu);
    }
    EXPECT_EQ(device.CallsNamed("SetRenderStateA")[0].ints[0], -1);
    device.ClearCalls();
    DrawSolidRect(&rect, &color);  // states cached, shader kept
    EXPECT_EQ(device.Ops(), (std::vector<std::string>{"BindShader", "DrawIndexed"}));
}

TEST_F(Draw, EmptyRectDrawsNothingAndBindsNoShader) {
    const cColor color{1, 1, 1, 1};
    for (const cRect& rect : {cRect::Empty(), R(5, 0, 4, 10), R(0, 5, 10, 4)})
        DrawSolidRect(&rect, &color);
    DrawSolidRect(nullptr, &color);
    EXPECT_TRUE(device.Calls().empty());
}

TEST_F(Draw, PopClipRestoresOnlyRealChanges) {
    PopClip();  // nothing saved
    EXPECT_TRUE(device.Calls().empty());
    PushClip(R(0, 0, 100, 100));
    ASSERT_EQ(device.CallsNamed("SetScissor").size(), 1u);
    PushClip(R(0.0005f, 0.0005f, 100.0005f, 100.0005f));  // within 0.001: not applied
    PopClip();
    EXPECT_EQ(device.CallsNamed("SetScissor").size(), 1u);
    EXPECT_EQ(CurrentClip, R(0, 0, 100, 100));
    PushClip(R(10, 10, 20, 20));
    EXPECT_EQ(device.CallsNamed("SetScissor").size(), 2u);
    PopClip();
    EXPECT_EQ(device.CallsNamed("SetScissor").size(), 3u);
    EXPECT_EQ(device.CallsNamed("SetScissor")[2].floats, (std::vector<float>{0, 0, 100, 100}));
    PopClip();  // back to the empty start clip
    EXPECT_TRUE(CurrentClip.IsEmpty());
    EXPECT_EQ(ClipStack.Count(), 0);
    const size_t scissors = device.CallsNamed("SetScissor").size();
    PushClip(R(3, 3, 1, 1));  // empty over empty: nothing
    PopClip();
    EXPECT_EQ(device.CallsNamed("SetScissor").size(), scissors);
}

TEST_F(Draw, GradientOutsideTheClipDrawsNothing) {
    PushClip(R(0, 0, 100, 100));
    device.ClearCalls();
    const cColor c{1, 1, 1, 1}, b{0, 0, 0, 0};
    DrawRadialGradient({200, 200}, {300, 200}, 5, 5, 1, 0, &c, &b);
    EXPECT_TRUE(device.Calls().empty());
    EXPECT_EQ(ClipStack.Count(), 1);
}

TEST_F(Draw, GradientDrawsItsQuadUnderItsOwnScissor) {
    PushClip(R(0, 0, 100, 100));
    device.ClearCalls();
    const cColor c{1, 1, 1, 1}, b{0, 0, 0, 0};
    DrawRadialGradient({10, 50}, {60, 50}, 2, 3, 1.5f, kGradientCaveFrom | kGradientStopTo, &c, &b);
    EXPECT_EQ(device.ShaderName(device.BoundShader()), "RadialGradientUI");
    ASSERT_EQ(device.CallsNamed("GetShader").size(), 1u);
    EXPECT_EQ(device.CallsNamed("GetShader")[0].text, "RadialGradientUI|#define HORIZONTAL");
    const std::vector<RenderCall> scissors = device.CallsNamed("SetScissor");
    ASSERT_EQ(scissors.size(), 2u);
    EXPECT_EQ(scissors[0].floats, (std::vector<float>{5, 45, 60, 55}));  // margin 5, the to end stopped
    EXPECT_EQ(scissors[1].floats, (std::vector<float>{0, 0, 100, 100}));
    ASSERT_EQ(device.CallsNamed("DrawIndexed").size(), 1u);
    EXPECT_EQ(device.CallsNamed("CreateBlendState")[0].ints,
              (std::vector<int>{4, 5, 0, 15, device.CallsNamed("CreateBlendState")[0].ints[4]}));
    int caveFrom = 0;
    for (const RenderCall& call : device.CallsNamed("GetUniform"))
        if (call.text == "c_CaveFrom")
            caveFrom = call.ints[1];
    bool seen = false;
    for (const RenderCall& call : device.CallsNamed("SetUniformFloat"))
        if (call.ints[0] == caveFrom) {
            EXPECT_EQ(call.floats[0], 1.0f);
            seen = true;
        }
    EXPECT_TRUE(seen);
    EXPECT_EQ(CurrentClip, R(0, 0, 100, 100));
    EXPECT_EQ(ClipStack.Count(), 1);
}

TEST_F(Draw, FramedRectIsFourGradientsAndTheCentre) {
    PushClip(R(-100, -100, 1000, 1000));
    device.ClearCalls();
    const cRect rect = R(10, 10, 90, 50);
    const cColor c{1, 1, 1, 1}, b{0, 0, 0, 0};
    DrawFramedRect(&rect, &c, 4, 0, 1, &b);
    EXPECT_EQ(device.CallsNamed("DrawIndexed").size(), 5u);
    const std::vector<RenderCall> shaders = device.CallsNamed("GetShader");
    ASSERT_EQ(shaders.size(), 3u);  // the horizontal variant for the top side only, then the others
    EXPECT_EQ(shaders[0].text, "RadialGradientUI|#define HORIZONTAL");
    EXPECT_EQ(shaders[1].text, "RadialGradientUI");
    EXPECT_EQ(device.ShaderName(device.BoundShader()), "SolidUI");
}

TEST_F(Draw, SectorSegmentsFollowTheAngle) {
    test::FixedView view = test::FixedView::Orthographic(R(0, 0, 100, 100), {{0, 0, -10}}, 1);
    struct Case {
        cVec3 from, to;
        float step;
        int segments;  // -1: nothing drawn
    };
    const Case cases[] = {
        {{1, 0, 0}, {0, 1, 0}, 15, 6},                                         // 90 degrees
        {{1, 0, 0}, {1, 0, 0}, 15, 1},                                         // equal directions
        {{1, 0, 0}, {0, 1, 0}, 0, 1},                                          // no step
        {{1, 0, 0}, {0, 1, 0}, -5, 1},  {{1, 0, 0}, {-1, 0, 0}, 30, 6},        // opposite
        {{0, 0, 0}, {0, 1, 0}, 15, -1},                                        // zero direction
        {{2, 0, 0}, {0, 0, 0}, 15, -1}, {{1, 0, 0}, {0, 1, 0}, 1e-30f, 3600},  // a tiny step is bounded
    };
    for (const Case& c : cases) {
        device.ClearCalls();
        DrawSector({0, 0, 0}, c.from, 2, c.to, {1, 0, 0, 1}, {0, 1, 0, 1}, c.step);
        const std::vector<RenderCall> fills = device.CallsNamed("DrawIndexed");
        if (c.segments < 0) {
            EXPECT_TRUE(device.Calls().empty());
            continue;
        }
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].ints[1], c.segments + 2);
        EXPECT_EQ(fills[0].ints[2], c.segments * 3);
        const std::vector<RenderCall> edges = device.CallsNamed("Draw");
        ASSERT_EQ(edges.size(), 1u);
        EXPECT_EQ(edges[0].ints[0], 2);
        EXPECT_EQ(edges[0].ints[1], c.segments + 3);
        for (const ColorVertex& v : Vertices(fills[0])) {
            ASSERT_FALSE(std::isnan(v.x) || std::isnan(v.y) || std::isnan(v.z));
            const float r = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
            EXPECT_TRUE(r < 1e-6f || std::fabs(r - 2) < 1e-4f) << r;
        }
    }
}

TEST_F(Draw, OppositeSectorSweepsAHalfCircle) {
    test::FixedView view = test::FixedView::Orthographic(R(0, 0, 100, 100), {{0, 0, -10}}, 1);
    DrawSector({0, 0, 0}, {1, 0, 0}, 1, {-1, 0, 0}, {1, 1, 1, 1}, {1, 1, 1, 1}, 90);
    const std::vector<ColorVertex> v = Vertices(device.CallsNamed("DrawIndexed").at(0));
    ASSERT_EQ(v.size(), 4u);  // centre and three rim points
    EXPECT_NEAR(v[1].x, 1, 1e-5f);
    EXPECT_NEAR(v[2].x, 0, 1e-5f);  // through a perpendicular
    EXPECT_NEAR(v[2].y * v[2].y + v[2].z * v[2].z, 1, 1e-5f);
    EXPECT_NEAR(v[3].x, -1, 1e-5f);
}

TEST_F(Draw, SectorFacesTheViewer) {
    for (float cameraZ : {-10.0f, 10.0f}) {
        test::FixedView view = test::FixedView::Orthographic(R(0, 0, 100, 100), {{0, 0, cameraZ}, {0, 0, -cameraZ}}, 1);
        device.ClearCalls();
        DrawSector({0, 0, 0}, {1, 0, 0}, 1, {0, 1, 0}, {1, 1, 1, 1}, {1, 1, 1, 1}, 90);
        const RenderCall fill = device.CallsNamed("DrawIndexed").at(0);
        const std::vector<ColorVertex> v = Vertices(fill);
        const cVec3 a{v[fill.indices[1]].x, v[fill.indices[1]].y, v[fill.indices[1]].z};
        const cVec3 b{v[fill.indices[2]].x, v[fill.indices[2]].y, v[fill.indices[2]].z};
        const cVec3 toViewer{0, 0, cameraZ};
        EXPECT_GT(Dot(Cross(a, b), toViewer), 0) << cameraZ;  // counter-clockwise as seen
    }
}

TEST_F(Draw, ShapesHaveTheirVertexAndIndexCounts) {
    test::FixedView view = test::FixedView::Orthographic(R(0, 0, 100, 100), {{0, 0, -10}}, 1);
    const cColor color{0, 0, 1, 1};
    const cQuat turn = cQuat::FromAxisAngle({0, 0, 1}, 90);
    DrawBox({1, 2, 3}, 2, &turn, color);
    RenderCall box = device.CallsNamed("DrawIndexed").at(0);
    EXPECT_EQ(box.ints[1], 8);
    EXPECT_EQ(box.indices.size(), 36u);
    for (const ColorVertex& v : Vertices(box)) {
        EXPECT_NEAR(std::fabs(v.x - 1), 1, 1e-5f);
        EXPECT_NEAR(std::fabs(v.y - 2), 1, 1e-5f);
        EXPECT_NEAR(std::fabs(v.z - 3), 1, 1e-5f);
    }
    device.ClearCalls();
    DrawCone({0, 0, 5}, {0, 0, 2}, 1, 5, color);
    RenderCall cone = device.CallsNamed("DrawIndexed").at(0);
    EXPECT_EQ(cone.ints[1], 14);
    EXPECT_EQ(cone.indices.size(), 72u);
    const std::vector<ColorVertex> cv = Vertices(cone);
    EXPECT_EQ(cv[1].z, 0.0f);  // the base centre, one length behind the tip
    for (size_t i = 2; i < 14; ++i)
        EXPECT_NEAR(cv[i].x * cv[i].x + cv[i].y * cv[i].y, 1, 1e-5f);
    for (uint32_t index : cone.indices)
        EXPECT_LT(index, 14u);
    device.ClearCalls();
    DrawCone({0, 0, 0}, {0, 0, 0}, 1, 5, color);
    EXPECT_TRUE(device.Calls().empty());
    const cVec3 points[2] = {{0, 0, 0}, {5, 5, 5}};
    DrawPoints(points, 2, 2, color);
    RenderCall quads = device.CallsNamed("DrawIndexed").at(0);
    EXPECT_EQ(quads.ints[1], 8);
    EXPECT_EQ(quads.indices, (std::vector<uint32_t>{0, 1, 3, 0, 3, 2, 4, 5, 7, 4, 7, 6}));
    const std::vector<ColorVertex> pv = Vertices(quads);
    EXPECT_EQ(pv[0].x, -1.0f);  // top-left of the first
    EXPECT_EQ(pv[0].y, 1.0f);
    EXPECT_EQ(pv[3].x, 1.0f);  // bottom-right
    EXPECT_EQ(pv[3].y, -1.0f);
    device.ClearCalls();
    DrawPoints(points, 0, 2, color);
    EXPECT_TRUE(device.Calls().empty());
    DrawCircle({0, 0, 0}, color, 3);
    RenderCall circle = device.CallsNamed("Draw").at(0);
    EXPECT_EQ(circle.ints[0], 1);
    EXPECT_EQ(circle.ints[1], 720);
    const std::vector<ColorVertex> ring = Vertices(circle);
    EXPECT_EQ(ring[0].y, 3.0f);
    EXPECT_NEAR(ring[719].x, 0, 1e-4f);  // back at the start
    EXPECT_NEAR(ring[719].y, 3, 1e-4f);
    for (const ColorVertex& v : ring)
        EXPECT_NEAR(v.x * v.x + v.y * v.y, 9, 1e-3f);
}

TEST_F(Draw, FacingCircleDrawsTheHalfTowardTheViewer) {
    test::FixedView view = test::FixedView::Orthographic(R(0, 0, 100, 100), {{0, 0, -10}}, 1);
    DrawFacingCircle({0, 0, 0}, {0, 1, 0}, 1, {1, 1, 1, 1});  // a ring in the x-z plane
    const std::vector<RenderCall> lines = device.CallsNamed("Draw");
    EXPECT_GE(lines.size(), 20u);
    EXPECT_LE(lines.size(), 26u);
    for (const RenderCall& line : lines) {
        const std::vector<ColorVertex> v = Vertices(line);
        ASSERT_EQ(v.size(), 2u);
        EXPECT_LE((v[0].z + v[1].z) / 2, 1e-5f);  // the camera looks from -z
    }
    device.ClearCalls();
    DrawFacingCircle({0, 0, 0}, {0, 0, 1}, 1, {1, 1, 1, 1});  // facing the viewer: all of it
    EXPECT_EQ(device.CallsNamed("Draw").size(), 48u);
}

TEST_F(Draw, NothingIsDrawnWithoutADevice) {
    cRenderer* saved = RenderDevice;
    RenderDevice = nullptr;
    const cRect rect = R(0, 0, 1, 1);
    const cColor color{1, 1, 1, 1};
    const cVec3 a{0, 0, 0}, b{1, 1, 1};
    DrawSolidRect(&rect, &color);
    DrawLine3D(&a, &b, &color);
    DrawBox(a, 1, nullptr, color);
    DrawCone(a, b, 1, 1, color);
    RenderDevice = saved;
    EXPECT_TRUE(device.Calls().empty());
}

}  // namespace
}  // namespace tovan

// Pick rays from GUI points through the view's inverse view-projection.
#include "core/view.h"
#include "tests/core/math_support.h"
#include "tests/support/fixed_view.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

using test::FixedView;
using test::Near;

const cRect kViewport{0, 0, 800, 600};

// A ray must start on the near plane under the point and reach, along its
// direction, the world points that project to the same pixel.
TEST(ViewRay, RunsThroughTheWorldPointsUnderThePixel) {
    struct Case {
        bool orthographic;
        cVec3 camera, forward;
        cVec3 world;
    };
    const Case cases[] = {
        {true, {0, 0, -50}, {0, 0, 1}, {1.5f, -2, 7}}, {true, {3, 40, 0}, {0, -1, 0.5f}, {-4, 2, 9}},
        {false, {0, 0, -50}, {0, 0, 1}, {0, 0, 10}},  // the projection centre
        {false, {0, 0, -50}, {0, 0, 1}, {12, -7, 30}}, {false, {5, 5, 5}, {-1, -1, -1}, {1, -2, 0.5f}},
    };
    for (const Case& c : cases) {
        const FixedView view = c.orthographic ? FixedView::Orthographic(kViewport, {c.camera, c.forward}, 20)
                                              : FixedView::Perspective(kViewport, {c.camera, c.forward}, 500);
        const cVec3 pixel = view.Project(c.world);
        cRay ray;
        EXPECT_EQ(&view.ScreenPointToRay(ray, {pixel.x, pixel.y}), &ray);
        SCOPED_TRACE(testing::Message() << c.world.x << " " << c.world.y << " " << c.world.z);
        const cVec3 start = view.Project(ray.origin);
        EXPECT_TRUE(Near(start, {pixel.x, pixel.y, 0}, 1e-2f));
        const cVec3 expected = c.orthographic ? view.m_Forward : Normalize(ray.origin - view.m_CameraPosition);
        EXPECT_TRUE(Near(ray.direction, expected));
        EXPECT_TRUE(Near(Normalize(c.world - ray.origin), ray.direction, 1e-4f));
        EXPECT_EQ(ray.startOffset, 0.001f);
        EXPECT_NEAR(ray.length * ray.inverseLength, 1, 1e-6f);
        EXPECT_TRUE(Near(ray.end, ray.origin + ray.direction * ray.length, 1e-4f));
        if (c.orthographic) {
            EXPECT_FLOAT_EQ(ray.length, 1);
        }
        if (!c.orthographic && c.world.x == 0 && c.world.y == 0) {
            EXPECT_TRUE(Near(ray.direction, view.m_Forward));
        }
    }
}

TEST(ViewRay, APointOnTheCameraGivesAnEmptyRay) {
    FixedView view = FixedView::Perspective(kViewport, {{2, 3, 4}}, 500);
    // A degenerate inverse that sends every GUI point to the camera.
    view.m_InverseViewProjection.SetZero();
    view.m_InverseViewProjection.SetTranslation(view.m_CameraPosition);
    view.m_InverseViewProjection.m[3][3] = 1;
    cRay ray;
    view.ScreenPointToRay(ray, {100, 200});
    EXPECT_EQ(ray.origin, (cVec3{2, 3, 4}));
    EXPECT_EQ(ray.length, 0);
    EXPECT_EQ(ray.inverseLength, 1);
    EXPECT_EQ(ray.direction, kZeroVec3);
}

}  // namespace
}  // namespace tovan

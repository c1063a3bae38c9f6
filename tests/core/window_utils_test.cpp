// ClampSizing: which sides move for each sizing edge, and that large enough
// rectangles are left alone.
#include "core/os.h"
#include "core/window_utils.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

TEST(ClampSizing, EachEdgeMovesOnlyItsOwnSides) {
    test::TestWindow window;
    int minW = 0, minH = 0;
    os::WindowSizeForClient(window.Handle(), 478, 350, &minW, &minH);
    const WindowRect small = {100, 200, 110, 210};
    struct Case {
        int edge;
        WindowRect expected;
    };
    const Case cases[] = {
        {1, {110 - minW, 200, 110, 210}},
        {2, {100, 200, 100 + minW, 210}},
        {3, {100, 210 - minH, 110, 210}},
        {4, {110 - minW, 210 - minH, 110, 210}},  // top-left: right and bottom stay
        {5, {100, 210 - minH, 100 + minW, 210}},
        {6, {100, 200, 110, 200 + minH}},
        {7, {110 - minW, 200, 110, 200 + minH}},
        {8, {100, 200, 100 + minW, 200 + minH}},
    };
    for (const Case& c : cases) {
        WindowRect rect = small;
        ClampSizing(window.Handle(), c.edge, &rect, 478, 350);
        EXPECT_EQ(rect.left, c.expected.left) << "edge " << c.edge;
        EXPECT_EQ(rect.top, c.expected.top) << "edge " << c.edge;
        EXPECT_EQ(rect.right, c.expected.right) << "edge " << c.edge;
        EXPECT_EQ(rect.bottom, c.expected.bottom) << "edge " << c.edge;
    }
}

TEST(ClampSizing, LargeEnoughOrUnknownEdgeIsLeftAlone) {
    test::TestWindow window;
    int minW = 0, minH = 0;
    os::WindowSizeForClient(window.Handle(), 478, 350, &minW, &minH);
    for (int edge = 0; edge <= 9; ++edge) {
        WindowRect rect = {10, 20, 10 + minW, 20 + minH};
        ClampSizing(window.Handle(), edge, &rect, 478, 350);
        EXPECT_EQ(rect.right - rect.left, minW);
        EXPECT_EQ(rect.bottom - rect.top, minH);
        EXPECT_EQ(rect.left, 10);
        EXPECT_EQ(rect.top, 20);
    }
    WindowRect tiny = {0, 0, 1, 1};
    ClampSizing(window.Handle(), 0, &tiny, 478, 350);
    ClampSizing(window.Handle(), 9, &tiny, 478, 350);
    EXPECT_EQ(tiny.right, 1);
    EXPECT_EQ(tiny.bottom, 1);
    ClampSizing(window.Handle(), 8, nullptr, 478, 350);  // no rectangle: nothing to do
}

}  // namespace
}  // namespace tovan

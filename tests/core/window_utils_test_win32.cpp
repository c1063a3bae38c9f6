// The minimum size comes from the real window frame.
#include "core/os.h"
#include "core/window_utils.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

TEST(ClampSizingWin32, MinimumIncludesTheWindowFrame) {
    test::TestWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    int minW = 0, minH = 0;
    os::WindowSizeForClient(window.Handle(), 478, 350, &minW, &minH);
    EXPECT_GT(minW, 478);
    EXPECT_GT(minH, 350 + 10);  // caption and borders
}

}  // namespace
}  // namespace tovan

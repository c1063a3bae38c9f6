// Where CenterWindow puts a window, as arithmetic.
#include "win32/window_helpers.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

TEST(CenteredPosition, CentresThenRaisesToZeroThenKeepsOffTheRightAndBottom) {
    const WindowRect screen = {0, 0, 1280, 1024};
    struct Case {
        WindowRect window, reference, work;
        int left, top;
    };
    const Case cases[] = {
        {{10, 10, 210, 110}, screen, screen, 540, 462},
        {{0, 0, 200, 100}, {100, 100, 500, 400}, screen, 200, 200},              // over a reference window
        {{0, 0, 200, 100}, {0, 0, 301, 101}, screen, 50, 0},                     // halves round toward zero
        {{0, 0, 200, 100}, {-300, -200, -100, 0}, screen, 0, 0},                 // off the top-left: raised to 0
        {{0, 0, 200, 100}, {1200, 1000, 1400, 1100}, screen, 1080, 924},         // off the bottom-right
        {{0, 0, 1500, 1200}, screen, screen, -220, -176},                        // larger than the work area
        {{0, 0, 200, 100}, {0, 40, 1280, 1024}, {0, 40, 1280, 1024}, 540, 482},  // a task bar at the top
        {{0, 0, 201, 100}, {0, 0, 100, 100}, screen, 0, 0},                      // negative halves raised too
    };
    for (const Case& c : cases) {
        const WindowPosition p = CenteredPosition(c.window, c.reference, c.work);
        EXPECT_EQ(p.left, c.left) << c.reference.left << "," << c.reference.top;
        EXPECT_EQ(p.top, c.top) << c.reference.left << "," << c.reference.top;
    }
}

}  // namespace
}  // namespace tovan

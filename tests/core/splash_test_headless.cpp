#include "core/splash.h"
#include "core/os_headless.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

TEST(CloseSplashHeadless, KillsTheTimerOnlyWhenThereIsOne) {
    int fake = 0;
    for (intptr_t timer : {intptr_t(5), intptr_t(-1)}) {
        os::headless::TakeCalls();
        SplashWindow.m_Shown = true;
        SplashWindow.m_Window = &fake;
        SplashWindow.m_TimerId = timer;
        CloseSplash();
        std::vector<std::string> expected;
        if (timer != -1)
            expected.push_back("KillTimer 5");
        expected.push_back("DestroyWindow");
        EXPECT_EQ(os::headless::TakeCalls(), expected);
    }
}

}  // namespace
}  // namespace tovan

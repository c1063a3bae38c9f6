#include "core/splash.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tovan {
namespace {

TEST(CloseSplashWin32, DestroysTheRealWindowAndItsTimer) {
    HWND window = CreateWindowExA(0, "STATIC", "splash", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(SetTimer(window, 77, 10000, nullptr), 0u);
    SplashWindow.m_Shown = true;
    SplashWindow.m_Window = window;
    SplashWindow.m_TimerId = 77;
    CloseSplash();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(SplashWindow.m_Window, nullptr);
    EXPECT_EQ(SplashWindow.m_TimerId, -1);
}

}  // namespace
}  // namespace tovan

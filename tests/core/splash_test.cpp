// CloseSplash: nothing unless shown; a shown splash loses its timer, window and picture.
#include "core/splash.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

void FillSplash(void* window, intptr_t timer) {
    SplashWindow.m_Shown = true;
    SplashWindow.m_Window = window;
    SplashWindow.m_TimerId = timer;
    SplashWindow.m_BitmapInfo[0] = 40;
    SplashWindow.m_BitmapInfo[43] = 7;
    SplashWindow.m_Pixels.Resize(64 * 64 * 4, 0xAB);
}

TEST(CloseSplash, NothingHappensUnlessShown) {
    int fakeWindow = 0;
    FillSplash(&fakeWindow, 3);
    SplashWindow.m_Shown = false;
    CloseSplash();
    EXPECT_EQ(SplashWindow.m_Window, &fakeWindow);
    EXPECT_EQ(SplashWindow.m_TimerId, 3);
    EXPECT_EQ(SplashWindow.m_Pixels.Count(), 64 * 64 * 4);
    SplashWindow = SplashRecord();
}

TEST(CloseSplash, ShownWithoutWindowOnlyClearsTheFlag) {
    FillSplash(nullptr, 3);
    CloseSplash();
    EXPECT_FALSE(SplashWindow.m_Shown);
    EXPECT_EQ(SplashWindow.m_TimerId, 3);
    EXPECT_EQ(SplashWindow.m_Pixels.Count(), 64 * 64 * 4);
    SplashWindow = SplashRecord();
}

TEST(CloseSplash, ShownSplashIsTornDown) {
    test::TestWindow window;
    int fakeWindow = 0;
    void* handle = window.Handle() ? window.Handle() : &fakeWindow;
    FillSplash(handle, 9);
    CloseSplash();
    EXPECT_FALSE(SplashWindow.m_Shown);
    EXPECT_EQ(SplashWindow.m_Window, nullptr);
    EXPECT_EQ(SplashWindow.m_TimerId, -1);
    EXPECT_EQ(SplashWindow.m_Pixels.Count(), 0);
    EXPECT_EQ(SplashWindow.m_Pixels.Data(), nullptr);
    for (uint8_t byte : SplashWindow.m_BitmapInfo)
        EXPECT_EQ(byte, 0);
    CloseSplash();  // a second close finds nothing to do
    EXPECT_EQ(SplashWindow.m_Window, nullptr);
}

}  // namespace
}  // namespace tovan

// Proves the display and the dialog driver under the test runner: a real window is
// created and painted, and a modal dialog is closed by the driver's timer.
#include "tests/support/dialog_driver_win32.h"

#include <gtest/gtest.h>

namespace tovan::test {
namespace {

TEST(Display, RealWindowIsCreatedShownAndDestroyed) {
    HWND window = CreateWindowExA(0, "STATIC", "tovan display probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                  100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_GT(client.right, 0);
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_GT(GetDeviceCaps(dc, HORZRES), 0);
    ReleaseDC(window, dc);
    EXPECT_EQ(WindowText(window), "tovan display probe");
    EXPECT_TRUE(DestroyWindow(window));
}

TEST(Display, ModalDialogIsClosedByTheDriver) {
    std::string title;
    DialogDriver driver(IDCANCEL, [&](HWND dialog) {
        title = WindowText(dialog);
        return IDCANCEL;
    });
    int result = MessageBoxA(nullptr, "closing from a timer", "tovan dialog probe", MB_OKCANCEL);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(title, "tovan dialog probe");
    EXPECT_EQ(driver.DialogsSeen(), 1);
}

}  // namespace
}  // namespace tovan::test

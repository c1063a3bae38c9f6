// The platform side of the capture rule, seen through the headless OS double:
// each take and release reaches the main window once.
#include <gtest/gtest.h>

#include <string>

#include "core/os_headless.h"
#include "tests/support/ui/frame_host.h"
#include "ui/widget.h"
#include "ui/widget_registry.h"

namespace tovan {
namespace {

int CountCalls(const std::string& name) {
    int n = 0;
    for (const std::string& call : os::headless::TakeCalls())
        n += call == name;
    return n;
}

TEST(WidgetCapture, RemovingTheHolderReleasesThePlatformCaptureOnce) {
    test::FrameHost host;
    cWidget* held = new cWidget;
    cWidget* other = new cWidget;
    const WidgetHandle h = AddWidget(held, 3);
    AddWidget(other, 3);
    os::headless::TakeCalls();
    TakeCapture(held);
    TakeCapture(other);  // held by another: no second platform capture
    EXPECT_EQ(CountCalls("MouseCapture"), 1);
    RemoveWidget(h, true);
    RemoveWidget(h, true);  // the slot is empty now
    EXPECT_EQ(CountCalls("MouseRelease"), 1);
    cWidget loose;
    TakeCapture(&loose);  // an unregistered widget could never release it
    EXPECT_EQ(CountCalls("MouseCapture"), 0);
    EXPECT_EQ(CapturedWidget, -1);
}

}  // namespace
}  // namespace tovan

#include <gtest/gtest.h>

#include <memory>

#include "core/frame_clock.h"
#include "tests/support/log_capture.h"
#include "tests/support/ui/frame_host.h"
#include "tools/class_explorer.h"
#include "tools/settings.h"
#include "ui/fps_display.h"
#include "ui/input.h"
#include "ui/widget_registry.h"

namespace tovan::test {
namespace {

constexpr KeyCode kBackQuote = 51;
constexpr KeyCode kControl = 48;

// A fresh settings object in the registry for one test; taken out before it goes.
class SettingsWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_Settings.reset(static_cast<cSettings*>(cSettings::Instance()->CreateInstance()));
        m_Handle = AddWidget(m_Settings.get(), 2);
        ASSERT_NE(m_Handle, -1);
    }
    void TearDown() override {
        RemoveWidgetNow(m_Handle, false);
        m_Settings.reset();
        FrameClock.m_TimeScale = 1.0f;
    }

    static int FpsDisplays() {
        cList<WidgetEntry> widgets;
        CollectWidgets(widgets, false);
        int count = 0;
        for (const WidgetEntry& entry : widgets)
            count += dynamic_cast<cFpsDisplay*>(entry.widget) != nullptr && WidgetLayer(entry.handle) == 4;
        return count;
    }

    LogCapture m_Log;  // a missing font's warning must not open the log window
    FrameHost m_Host;
    std::unique_ptr<cSettings> m_Settings;
    WidgetHandle m_Handle = -1;
};

TEST_F(SettingsWidgetTest, ControlBackQuoteOpensTheLogWindow) {
    LogCapture log;
    m_Host.Click(kBackQuote);
    m_Host.Frame();
    EXPECT_TRUE(log.Windows().empty());
    EXPECT_NE(m_Host.LastConsumer(), m_Settings.get());

    m_Host.Press(kControl);
    m_Host.Press(kBackQuote);
    m_Host.Frame();
    EXPECT_EQ(log.Windows(), std::vector<LogWindowMode>{LogWindowMode::Log});
    EXPECT_EQ(m_Host.LastConsumer(), m_Settings.get());
    m_Host.Release(kBackQuote);
    m_Host.Release(kControl);
    m_Host.Frame();
}

TEST_F(SettingsWidgetTest, FrameRateDisplayFollowsShowFps) {
    for (int round = 0; round < 2; ++round) {
        m_Settings->m_ShowFps = true;
        m_Host.Frame();
        m_Host.Frame();
        EXPECT_EQ(FpsDisplays(), 1);
        const WidgetHandle display = m_Settings->m_FpsDisplay;
        ASSERT_NE(display, -1);
        EXPECT_EQ(WidgetLayer(display), 4);
        m_Settings->m_ShowFps = false;
        m_Host.Frame();
        m_Host.Frame();
        EXPECT_EQ(FpsDisplays(), 0);
        EXPECT_EQ(m_Settings->m_FpsDisplay, -1);
    }
    m_Settings->m_ShowFps = true;
    m_Host.Frame();
    ASSERT_EQ(FpsDisplays(), 1);
    m_Settings->ReleaseHooks();  // as when the settings go: the display goes with them
    EXPECT_EQ(FpsDisplays(), 0);
    EXPECT_EQ(m_Settings->m_FpsDisplay, -1);
}

// Only the program's first update opens the explorer; a later one never does.
TEST_F(SettingsWidgetTest, ClassExplorerOpensAtStartupOnly) {
    for (bool show : {false, true}) {
        SettingsFirstUpdate = true;
        m_Settings->m_ShowClassExplorerOnStartup = show;
        m_Host.Frame();
        m_Host.Frame();
        EXPECT_FALSE(SettingsFirstUpdate);
        EXPECT_EQ(ClassExplorerHandle != -1, show);
    }
    ASSERT_EQ(WidgetLayer(ClassExplorerHandle), kFormLayer);
    EXPECT_NE(dynamic_cast<cClassExplorer::Stub*>(GetWidget(ClassExplorerHandle)), nullptr);
    SettingsFirstUpdate = true;  // an explorer already open is closed
    m_Host.Frame();
    m_Host.Frame();
    EXPECT_EQ(ClassExplorerHandle, -1);
    cList<WidgetEntry> widgets;
    CollectWidgets(widgets, false);
    for (const WidgetEntry& entry : widgets)
        EXPECT_EQ(dynamic_cast<cClassExplorer::Stub*>(entry.widget), nullptr);
}

TEST_F(SettingsWidgetTest, TimeScaleReachesTheClockNextFrame) {
    m_Settings->m_TimeScale.x = 0.25f;
    EXPECT_EQ(FrameClock.m_TimeScale, 1.0f);
    m_Host.Frame();
    EXPECT_EQ(FrameClock.m_TimeScale, 0.25f);
}

}  // namespace
}  // namespace tovan::test

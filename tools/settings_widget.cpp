#include "core/frame_clock.h"
#include "core/log.h"
#include "tools/settings.h"
#include "ui/fps_display.h"
#include "ui/input.h"

namespace tovan {

namespace {
constexpr KeyCode kLogWindowKey = KeyCode(51);  // the back-quote key
constexpr KeyCode kControlKey = KeyCode(48);
constexpr int kFpsDisplayLayer = 4;
}  // namespace

bool cSettings::OnKeyDown(KeyCode code) {
    if (code != kLogWindowKey)
        return false;
    InitInput();
    if (!IsKeyDown(kControlKey))
        return false;
    LogWindow(LogWindowMode::Log);
    return true;
}

void cSettings::Update() {
    if (!m_ShowFps && m_FpsDisplay != -1) {
        RemoveWidget(m_FpsDisplay, true);
        m_FpsDisplay = -1;
    } else if (m_ShowFps && m_FpsDisplay == -1) {
        cFpsDisplay* display = new cFpsDisplay(10.0f, -10.0f, 0);
        m_FpsDisplay = AddWidget(display, kFpsDisplayLayer);
        if (m_FpsDisplay == -1)  // a full layer: tried again next frame
            delete display;
    }
    FrameClock.m_TimeScale = m_TimeScale.x;
}

}  // namespace tovan

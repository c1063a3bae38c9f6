#include "core/frame_clock.h"
#include "core/log.h"
#include "tools/settings.h"
#include "ui/input.h"

namespace tovan {

namespace {
constexpr KeyCode kLogWindowKey = KeyCode(51);  // the back-quote key
constexpr KeyCode kControlKey = KeyCode(48);
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

void cSettings::Update() { FrameClock.m_TimeScale = m_TimeScale.x; }

}  // namespace tovan

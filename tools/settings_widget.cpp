#include "core/frame_clock.h"
#include "core/log.h"
#include "tools/class_explorer.h"
#include "tools/settings.h"
#include "ui/fps_display.h"
#include "ui/input.h"

namespace tovan {

namespace {
constexpr KeyCode kLogWindowKey = KeyCode(51);  // the back-quote key
constexpr KeyCode kControlKey = KeyCode(48);
constexpr int kFpsDisplayLayer = 4;

// The explorer the handle names, or null once it was closed and its slot freed
// (or taken by another widget).
cClassExplorer::Stub* OpenExplorer() {
    return ClassExplorerHandle == -1 ? nullptr : dynamic_cast<cClassExplorer::Stub*>(GetWidget(ClassExplorerHandle));
}

// At start-up the setting opens an explorer, or closes one the program opened.
void ToggleExplorerAtStartup() {
    if (OpenExplorer()) {
        RemoveWidget(ClassExplorerHandle, true);
        ClassExplorerHandle = -1;
        return;
    }
    cClassExplorer::Stub* explorer = new cClassExplorer::Stub();
    ClassExplorerHandle = AddWidget(explorer, kFormLayer);
    if (ClassExplorerHandle == -1) {
        delete explorer;
        return;
    }
    explorer->Activate();
}
}  // namespace

WidgetHandle ClassExplorerHandle = -1;
bool SettingsFirstUpdate = true;

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
    if (SettingsFirstUpdate && m_ShowClassExplorerOnStartup)
        ToggleExplorerAtStartup();
    SettingsFirstUpdate = false;
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

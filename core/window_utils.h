// The application's window handles and the sizing clamp shared by every dialog
// of the framework. The foundation's log window and the clipboard use them, so
// they live here rather than in the Win32 layer.
#pragma once
#include <cstdint>

#include "core/main_window.h"

namespace tovan {

// Set by the file dialog while it is open (its pane); framework dialogs take it
// as owner instead of MainWindowHandle while it is set.
extern void* DialogWindowHandle;

// Same layout as the Win32 RECT, so WM_SIZING's rectangle can be passed as is.
struct WindowRect {
    int32_t left, top, right, bottom;
};

// For WM_SIZING handlers: moves the dragged sides of `rect` out so the client area
// stays at least minClientWidth x minClientHeight. `edge` is the WMSZ value 1-8.
void ClampSizing(void* window, int edge, WindowRect* rect, int minClientWidth, int minClientHeight);

}  // namespace tovan

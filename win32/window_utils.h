// Window handles and helpers shared by every dialog of the framework. The
// foundation's log window uses them too, so they are built into the foundation.
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

// Outer size of `window` for a client area of the given size (its style and
// extended style, no menu). Natively windows have no frame.
void WindowSizeForClient(void* window, int clientWidth, int clientHeight, int* width, int* height);

// For WM_SIZING handlers: moves the dragged sides of `rect` out so the client area
// stays at least minClientWidth x minClientHeight. `edge` is the WMSZ value 1-8.
void ClampSizing(void* window, int edge, WindowRect* rect, int minClientWidth, int minClientHeight);

}  // namespace tovan

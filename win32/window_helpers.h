// Window helpers of the Win32 layer: centring a window, where its client area
// lies, turning its points into GUI space, and reading where a shell link
// points. (The sizing clamp and the splash close are in core/, since the log
// window needs them.)
#pragma once
#include <cstdint>

#include "core/str.h"
#include "core/vec.h"
#include "core/window_utils.h"

namespace tovan {

struct WindowPosition {
    int32_t left, top;
};

// Centred on `reference`; then raised to 0 where it is 0 or less, and lowered so
// that it ends before the work area's right and bottom edges (which wins, even
// when that is negative for a window larger than the work area).
WindowPosition CenteredPosition(const WindowRect& window, const WindowRect& reference, const WindowRect& workArea);

// Moves `window` (keeping its size and Z order) to the centre of `reference`, or
// of the work area when `reference` is null.
void CenterWindow(void* window, void* reference);

// The client area of `window` in screen coordinates; false when there is none.
bool ClientAreaOnScreen(void* window, WindowRect* area);

// A point in client coordinates (from the top-left corner of `area`, the client
// area on the screen) in GUI space: x as is, y up from the area's bottom edge
// (client height - y).
cVec2 ClientToGui(const WindowRect& area, int32_t x, int32_t y);
// A point on the screen likewise.
cVec2 ScreenToGui(const WindowRect& area, int32_t x, int32_t y);

// The target path of a .lnk file, or "" on any failure (no such file, not a
// link, a path of more than 259 characters).
cStr ResolveShortcut(const char* path);

}  // namespace tovan

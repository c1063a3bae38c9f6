// What the portable half of the drop target asks of its platform half: the
// Win32 side reads the real cursor and raises the real main window, the
// headless side records the request. Not for other modules.
#pragma once
#include "core/vec.h"

namespace tovan::drop {

// The screen cursor in the main window's client area, in GUI space (y up from
// the client area's bottom).
cVec2 CursorInGui();

// Brings the main window to the front.
void BringMainWindowToFront();

}  // namespace tovan::drop

#include "win32/window_helpers.h"

namespace tovan {

// Natively there are no windows to move and no shell links to read.
void CenterWindow(void*, void*) {}

bool ClientAreaOnScreen(void*, WindowRect*) { return false; }

cStr ResolveShortcut(const char*) { return cStr(); }

}  // namespace tovan

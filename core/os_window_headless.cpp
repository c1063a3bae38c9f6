#include "core/os.h"
#include "core/os_headless.h"

#include <string>

namespace tovan::os {

void WindowDestroy(void*, intptr_t timerId) {
    if (timerId != -1)
        headless::Record("KillTimer " + std::to_string(timerId));
    headless::Record("DestroyWindow");
}

// No frames natively: the window is as large as its client area.
void WindowSizeForClient(void*, int clientWidth, int clientHeight, int* width, int* height) {
    *width = clientWidth;
    *height = clientHeight;
}

}  // namespace tovan::os

#include "win32/window_utils.h"

namespace tovan {

void WindowSizeForClient(void*, int clientWidth, int clientHeight, int* width, int* height) {
    *width = clientWidth;
    *height = clientHeight;
}

}  // namespace tovan

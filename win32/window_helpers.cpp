#include "win32/window_helpers.h"

#include <algorithm>

namespace tovan {

WindowPosition CenteredPosition(const WindowRect& window, const WindowRect& reference, const WindowRect& workArea) {
    const int width = window.right - window.left, height = window.bottom - window.top;
    int left = reference.left + (reference.right - reference.left - width) / 2;
    int top = reference.top + (reference.bottom - reference.top - height) / 2;
    left = std::min(std::max(left, 0), workArea.right - width);
    top = std::min(std::max(top, 0), workArea.bottom - height);
    return {left, top};
}

cVec2 ClientToGui(const WindowRect& area, int32_t x, int32_t y) {
    return {float(x), float(int64_t(area.bottom) - area.top - y)};
}

cVec2 ScreenToGui(const WindowRect& area, int32_t x, int32_t y) {
    return ClientToGui(area, int32_t(int64_t(x) - area.left), int32_t(int64_t(y) - area.top));
}

}  // namespace tovan

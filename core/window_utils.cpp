#include "core/window_utils.h"

#include "core/os.h"

namespace tovan {

void* MainWindowHandle = nullptr;
void* DialogWindowHandle = nullptr;

namespace {
// Which sides a WMSZ edge value moves: 1 left, 2 right, 3 top, 4 top-left,
// 5 top-right, 6 bottom, 7 bottom-left, 8 bottom-right.
struct MovingSides {
    bool left, right, top, bottom;
};
constexpr MovingSides kSides[9] = {
    {false, false, false, false}, {true, false, false, false}, {false, true, false, false},
    {false, false, true, false},  {true, false, true, false},  {false, true, true, false},
    {false, false, false, true},  {true, false, false, true},  {false, true, false, true},
};
}  // namespace

void ClampSizing(void* window, int edge, WindowRect* rect, int minClientWidth, int minClientHeight) {
    if (!rect || edge < 1 || edge > 8)
        return;
    int minWidth = 0, minHeight = 0;
    os::WindowSizeForClient(window, minClientWidth, minClientHeight, &minWidth, &minHeight);
    const MovingSides& sides = kSides[edge];
    if (rect->right - rect->left < minWidth) {
        if (sides.right)
            rect->right = rect->left + minWidth;
        else if (sides.left)
            rect->left = rect->right - minWidth;
    }
    if (rect->bottom - rect->top < minHeight) {
        if (sides.top)
            rect->top = rect->bottom - minHeight;
        else if (sides.bottom)
            rect->bottom = rect->top + minHeight;
    }
}

}  // namespace tovan

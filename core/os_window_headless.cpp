#include "core/os.h"
#include "core/os_headless.h"
#include "core/os_headless_state.h"

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

uint32_t SystemColor(int index) {
    headless::State& s = headless::GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    auto scripted = s.systemColors.find(index);
    if (scripted != s.systemColors.end())
        return scripted->second;
    return index == kColorButtonShadow ? 0xA0A0A0u : index == kColorButtonFace ? 0xF0F0F0u : 0u;
}

}  // namespace tovan::os

#include "win32/splash.h"

#include "core/os_headless.h"

#include <string>

namespace tovan {

void DestroySplashWindow(void*, intptr_t timerId) {
    if (timerId != -1)
        os::headless::Record("KillTimer " + std::to_string(timerId));
    os::headless::Record("DestroyWindow splash");
}

}  // namespace tovan

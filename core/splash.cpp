#include "core/splash.h"

#include "core/os.h"

#include <cstring>

namespace tovan {

SplashRecord SplashWindow;

void CloseSplash() {
    SplashRecord& s = SplashWindow;
    if (!s.m_Shown)
        return;
    s.m_Shown = false;
    if (!s.m_Window)
        return;
    os::WindowDestroy(s.m_Window, s.m_TimerId);
    s.m_TimerId = -1;
    s.m_Window = nullptr;
    s.m_Pixels.Free();
    memset(s.m_BitmapInfo, 0, sizeof s.m_BitmapInfo);
}

}  // namespace tovan

// The start-up splash window. The application creates it and fills the record;
// the framework only closes it, and the log window does so before it opens.
// It sits in the foundation because the log window needs it and the console
// program carries the log window without the Win32 layer.
#pragma once
#include <cstdint>

#include "core/list.h"

namespace tovan {

struct SplashRecord {
    static constexpr int kBitmapInfoSize = 44;

    bool m_Shown = false;
    void* m_Window = nullptr;
    intptr_t m_TimerId = -1;  // -1: no timer
    uint8_t m_BitmapInfo[kBitmapInfoSize] = {};
    cList<uint8_t> m_Pixels;
};

extern SplashRecord SplashWindow;

// Does nothing unless the splash is shown; kills its timer, destroys the window
// and frees the picture.
void CloseSplash();

}  // namespace tovan

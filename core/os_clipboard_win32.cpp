#include "core/os.h"

#include <windows.h>

#include <cstring>

namespace tovan::os {

bool ClipboardSetText(void* owner, const char* text, uint32_t length) {
    if (!OpenClipboard(static_cast<HWND>(owner)))
        return false;
    EmptyClipboard();
    bool ok = false;
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, SIZE_T(length) + 1)) {
        char* target = static_cast<char*>(GlobalLock(block));
        SIZE_T room = GlobalSize(block);  // never write past what the system reports
        if (target && room > 0) {
            SIZE_T n = SIZE_T(length) < room ? SIZE_T(length) : room - 1;
            if (text)
                memcpy(target, text, n);
            target[n] = 0;
        }
        if (target)
            GlobalUnlock(block);
        ok = target && room > 0 && SetClipboardData(CF_TEXT, block) != nullptr;
        if (!ok)
            GlobalFree(block);  // the system owns the block only after SetClipboardData succeeded
    }
    CloseClipboard();
    return ok;
}

int ClipboardGetText(void* owner, char* buffer, int size) {
    if (!OpenClipboard(static_cast<HWND>(owner)))
        return -1;
    int length = -1;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(GlobalLock(block))) {
            SIZE_T room = GlobalSize(block);
            SIZE_T n = 0;
            while (n < room && text[n])
                ++n;
            length = int(n);
            if (size > 0) {
                SIZE_T copied = n < SIZE_T(size - 1) ? n : SIZE_T(size - 1);
                memcpy(buffer, text, copied);
                buffer[copied] = 0;
            }
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return length;
}

}  // namespace tovan::os

#include "core/os.h"
#include "core/os_headless.h"
#include "core/os_headless_state.h"

#include <cstring>
#include <string>

namespace tovan::os {

bool ClipboardSetText(void* /*owner*/, const char* text, uint32_t length) {
    headless::Record("ClipboardSetText");
    headless::State& s = headless::GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.clipboardBusy)
        return false;
    // CF_TEXT ends at its first NUL, whatever length the block had.
    s.clipboard.assign(text ? text : "", text ? strnlen(text, length) : 0);
    s.clipboardHasText = true;
    return true;
}

int ClipboardGetText(void* /*owner*/, char* buffer, int size) {
    headless::State& s = headless::GetState();
    std::string text;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        if (s.clipboardBusy || !s.clipboardHasText)
            return -1;
        text = s.clipboard;
    }
    return headless::CopyOut(text, buffer, size);
}

}  // namespace tovan::os

namespace tovan::os::headless {

void SetClipboard(const std::string& text) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.clipboard = text.substr(0, text.find('\0'));
    s.clipboardHasText = true;
}

std::string Clipboard() {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.clipboardHasText ? s.clipboard : std::string();
}

void SetClipboardBusy(bool busy) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.clipboardBusy = busy;
}

}  // namespace tovan::os::headless

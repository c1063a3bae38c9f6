#include "core/os_headless.h"
#include "tests/ui/clipboard_guard.h"

namespace tovan::test {

struct ClipboardGuard::Held {};

ClipboardGuard::ClipboardGuard() { os::headless::SetClipboardBusy(false); }
ClipboardGuard::~ClipboardGuard() { os::headless::SetClipboardBusy(false); }

std::string ClipboardText() {
    char text[4096];
    const int n = os::ClipboardGetText(nullptr, text, int(sizeof text));
    return n < 0 ? "<none>" : std::string(text);
}

void SetClipboardText(const std::string& text) { os::headless::SetClipboard(text); }

}  // namespace tovan::test

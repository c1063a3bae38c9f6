#include "core/os.h"
#include "tests/support/clipboard_lock_win32.h"
#include "tests/ui/clipboard_guard.h"

namespace tovan::test {

struct ClipboardGuard::Held {
    ClipboardLock lock;
};

ClipboardGuard::ClipboardGuard() : m_Held(new Held) {}
ClipboardGuard::~ClipboardGuard() = default;

std::string ClipboardText() {
    std::string text(4096, '\0');
    const int n = os::ClipboardGetText(nullptr, text.data(), int(text.size()));
    if (n < 0)
        return "<none>";
    text.resize(size_t(n) < text.size() ? size_t(n) : text.size() - 1);
    return text;
}

void SetClipboardText(const std::string& text) { os::ClipboardSetText(nullptr, text.c_str(), uint32_t(text.size())); }

}  // namespace tovan::test

// Holds the clipboard for a test that reads back what it put there: under
// Windows the desktop's clipboard, which the test programs share; natively
// the headless double, which only this program sees.
#pragma once
#include <memory>
#include <string>

namespace tovan::test {

class ClipboardGuard {
public:
    ClipboardGuard();
    ~ClipboardGuard();
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;

private:
    struct Held;
    std::unique_ptr<Held> m_Held;
};

// The clipboard's text through the OS seam; "<none>" when it holds none.
std::string ClipboardText();
void SetClipboardText(const std::string& text);

}  // namespace tovan::test

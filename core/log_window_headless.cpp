#include "core/log_window.h"

#include "core/os_headless.h"

#include <string>

namespace tovan::logwindow {

// No window natively: the test's scripted answers stand for the user's clicks,
// &Copy included (it copies and waits for the next answer, as the window does).
int Run(const cDialogTemplate&, void*, LogWindowMode mode) {
    static const char* const kModeNames[] = {"log", "warning", "error", "assert"};
    os::headless::Record(std::string("LogWindow ") + kModeNames[int(mode)]);
    for (;;) {
        int answer = os::headless::TakeAnswer(DefaultAnswer(mode));
        if (answer != kLogCopy)
            return answer;
        CopyText();
    }
}

}  // namespace tovan::logwindow

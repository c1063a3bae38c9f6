#include "win32/question_box.h"

#include "core/format.h"
#include "core/window_utils.h"
#include "win32/dialog_pause.h"
#include "win32/modal_windows.h"

#include <cstdarg>

namespace tovan {

bool AskYesNo(const char* caption, const char* format, ...) {
    char text[kQuestionTextSize] = {};
    if (format) {
        va_list args;
        va_start(args, format);
        FormatTextV(text, sizeof text, format, args);
        va_end(args);
    }
    cDialogPause pause;
    void* owner = DialogWindowHandle ? DialogWindowHandle : MainWindowHandle;
    return modal::ShowQuestion(owner, text, caption) == kAnswerYes;
}

}  // namespace tovan

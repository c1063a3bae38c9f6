// The framework's yes/no question, its only message box. It is owned by the file
// dialog's pane while one is open, else by the main window, and the frame clock
// is paused while it is up.
#pragma once
#include "core/str.h"

namespace tovan {

constexpr int kQuestionTextSize = 1024;  // a longer question is cut to 1023 characters
constexpr int kAnswerYes = 6;            // IDYES
constexpr int kAnswerNo = 7;             // IDNO

// printf-style; true when the user answers Yes.
bool AskYesNo(const char* caption, const char* format, ...) TOVAN_PRINTF(2, 3);

}  // namespace tovan

// What the log window's shared half (core/log.cpp) and its platform halves
// (log_window_win32.cpp, log_window_headless.cpp) share. Not for other modules.
#pragma once
#include "core/log.h"

namespace tovan {

class cDialogTemplate;

namespace logwindow {

constexpr int kMinClientWidth = 478;
constexpr int kMinClientHeight = 350;
constexpr int kShownCharacters = 20000;  // the edit shows only the end of a longer log

// The window's template: caption, styles, and the seven controls in their order.
void BuildTemplate(cDialogTemplate& dialog, const char* caption);

// Shows the modal window built from `dialog`; returns the closing identifier.
// Natively it answers what the test scripted instead.
int Run(const cDialogTemplate& dialog, void* owner, LogWindowMode mode);

// Read on the thread that shows the window, which holds the kLogCall lock.
LogWindowMode Mode();
const char* Title();
const char* Text(int* length);

// &Copy: the whole in-memory log text, not only the shown end.
void CopyText();

// The button a user who goes on would press: &Ignore where it is enabled,
// Close in mode Log, E&xit in mode Error (the only way out there).
int DefaultAnswer(LogWindowMode mode);

// Whether button `id` (101-105) is enabled in `mode`.
bool ButtonEnabled(int id, LogWindowMode mode);

}  // namespace logwindow
}  // namespace tovan

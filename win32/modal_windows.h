// What the portable halves of the Win32 layer's modal windows ask of their
// platform halves: the _win32.cpp files show real windows, the _headless.cpp
// doubles record the request and answer what a test scripted (never blocking).
// Not for other modules.
#pragma once
#include "core/str.h"
#include "core/window_utils.h"

namespace tovan {

class cDialogTemplate;

// The text editor's process-wide state, read by its dialog procedure.
struct TextEditState {
    cStr* m_Target = nullptr;
    const char* m_Caption = nullptr;
    WindowRect m_Placement = {};  // on the screen
    bool m_Ok = false;
    void* m_PreviousEditProc = nullptr;
};
TextEditState& GetTextEditState();

namespace modal {

// MessageBoxA with Yes and No; returns the button (kAnswerYes or kAnswerNo).
int ShowQuestion(void* owner, const char* text, const char* caption);

// Runs the editor built from `dialog` over `owner`; returns the closing button
// (kTextEditOk, kTextEditCancel, or 0 when the window was closed). OK stores
// the edit's text in the target and sets the state's OK result.
int RunTextEditor(const cDialogTemplate& dialog, void* owner);

// The desktop's work area (the screen without the task bar).
WindowRect WorkArea();

}  // namespace modal
}  // namespace tovan

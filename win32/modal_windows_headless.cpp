#include "core/os_headless.h"
#include "win32/modal_windows.h"
#include "win32/question_box.h"
#include "win32/text_editor.h"

#include <string>

namespace tovan::modal {

// No windows natively: each modal window records itself and takes the test's
// scripted button, or the one a cautious user would press (No, Cancel).
int ShowQuestion(void*, const char* text, const char* caption) {
    os::headless::Record(std::string("MessageBox ") + (caption ? caption : "(null)") + ": " + (text ? text : ""));
    return os::headless::TakeAnswer(kAnswerNo);
}

// OK keeps the text as it was: the double's edit box is never typed in.
int RunTextEditor(const cDialogTemplate&, void*) {
    TextEditState& state = GetTextEditState();
    os::headless::Record(std::string("TextEditDialog ") + (state.m_Caption ? state.m_Caption : "(null)"));
    const int answer = os::headless::TakeAnswer(kTextEditCancel);
    if (answer == kTextEditOk)
        state.m_Ok = true;
    return answer;
}

WindowRect WorkArea() { return {0, 0, 1280, 1024}; }  // the double's screen

}  // namespace tovan::modal

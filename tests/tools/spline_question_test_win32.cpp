// The real question box under wine, read and answered by the dialog driver.
#include "tests/support/dialog_driver_win32.h"
#include "tests/tools/question_answers.h"

namespace tovan::test {

std::vector<std::string> AnswerQuestions(int answer, const std::function<void()>& ask) {
    std::vector<std::string> asked;
    DialogDriver driver(0, [&](HWND dialog) {
        HWND message = GetDlgItem(dialog, 0xFFFF);  // the box's text
        std::string text(size_t(GetWindowTextLengthA(message)) + 1, '\0');
        text.resize(size_t(GetWindowTextA(message, text.data(), int(text.size()))));
        asked.push_back(WindowText(dialog) + ": " + text);
        return answer;  // IDYES and IDNO are the answers' values
    });
    ask();
    return asked;
}

}  // namespace tovan::test

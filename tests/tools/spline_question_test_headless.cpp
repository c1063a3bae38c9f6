// The question boxes natively: the headless double records each one.
#include "core/os_headless.h"
#include "tests/tools/question_answers.h"

namespace tovan::test {

std::vector<std::string> AnswerQuestions(int answer, const std::function<void()>& ask) {
    os::headless::Reset();
    os::headless::ScriptAnswer(answer);
    ask();
    std::vector<std::string> asked = os::headless::TakeCalls();
    const std::string box = "MessageBox ";
    for (std::string& call : asked)
        if (call.rfind(box, 0) == 0)
            call.erase(0, box.size());  // anything else the call did stays, and fails the comparison
    os::headless::Reset();
    return asked;
}

}  // namespace tovan::test

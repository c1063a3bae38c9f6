// Answers the yes/no question boxes a call asks: natively through the headless
// double, under wine by pressing the real box's button. Either way the test sees
// what the user would have read.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace tovan::test {

// Runs `ask`, answering every question box with `answer` (kAnswerYes or
// kAnswerNo); returns the boxes shown, each as "caption: text".
std::vector<std::string> AnswerQuestions(int answer, const std::function<void()>& ask);

}  // namespace tovan::test

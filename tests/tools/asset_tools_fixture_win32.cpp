// Under wine the questions are real message boxes, answered by the dialog driver.
#include <windows.h>

#include <deque>

#include "tests/support/dialog_driver_win32.h"
#include "tests/tools/asset_tools_fixture.h"
#include "win32/question_box.h"

namespace tovan::test {

struct AssetToolsTest::Platform {
    std::deque<int> answers;
    std::vector<std::string> questions;
    std::unique_ptr<DialogDriver> driver;
};

AssetToolsTest::AssetToolsTest() = default;
AssetToolsTest::~AssetToolsTest() = default;

void AssetToolsTest::SetUpPlatform() {
    m_Platform = std::make_unique<Platform>();
    Platform* platform = m_Platform.get();
    platform->driver = std::make_unique<DialogDriver>(0, [platform](HWND dialog) {
        HWND message = GetDlgItem(dialog, 0xFFFF);  // the box's text
        std::string text(size_t(GetWindowTextLengthA(message)) + 1, '\0');
        text.resize(size_t(GetWindowTextA(message, text.data(), int(text.size()))));
        platform->questions.push_back(WindowText(dialog) + ": " + text);
        int answer = kAnswerNo;
        if (!platform->answers.empty()) {
            answer = platform->answers.front();
            platform->answers.pop_front();
        }
        return answer;
    });
}

void AssetToolsTest::TearDownPlatform() { m_Platform.reset(); }

// The stand-in inherits the environment and sees the real paths.
void AssetToolsTest::SetCompilerEnvironment(const std::string& record) {
    SetEnvironmentVariableA("TOVAN_STAND_IN_RECORD", record.empty() ? nullptr : record.c_str());
}

void AssetToolsTest::ExpectStarted(const std::string&, const std::vector<std::string>&) {}

void AssetToolsTest::Answer(int answer) { m_Platform->answers.push_back(answer); }

std::vector<std::string> AssetToolsTest::Questions() {
    std::vector<std::string> asked;
    asked.swap(m_Platform->questions);
    return asked;
}

}  // namespace tovan::test

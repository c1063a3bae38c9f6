#include "tests/support/log_capture.h"

#include "core/log_window.h"

namespace tovan::test {

LogCapture::LogCapture() { m_Previous = SetLogObserver(this); }

LogCapture::~LogCapture() { SetLogObserver(m_Previous); }

std::vector<std::string> LogCapture::Logs() const {
    std::vector<std::string> texts;
    for (const Message& m : m_Messages)
        if (!m.warning)
            texts.push_back(m.text);
    return texts;
}

std::vector<std::string> LogCapture::Warnings() const {
    std::vector<std::string> texts;
    for (const Message& m : m_Messages)
        if (m.warning)
            texts.push_back(m.text);
    return texts;
}

void LogCapture::Clear() {
    m_Messages.clear();
    m_Windows.clear();
}

void LogCapture::OnMessage(bool warning, const char* text) { m_Messages.push_back({warning, text}); }

int LogCapture::OnLogWindow(LogWindowMode mode) {
    m_Windows.push_back(mode);
    if (m_Answers.empty())
        return logwindow::DefaultAnswer(mode);
    int answer = m_Answers.front();
    m_Answers.pop_front();
    return answer;
}

}  // namespace tovan::test

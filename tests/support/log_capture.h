// Captures what Log and Warning record, in both builds, while it lives: no log
// window opens; each window asks the capture, which answers what the test queued
// (else the mode's default, &Ignore for a warning). Messages are the formatted
// texts as the caller wrote them, before line ends are normalised.
#pragma once
#include "core/log.h"

#include <deque>
#include <string>
#include <vector>

namespace tovan::test {

class LogCapture : private LogObserver {
public:
    struct Message {
        bool warning;
        std::string text;
    };

    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    void Answer(int button) { m_Answers.push_back(button); }

    const std::vector<Message>& Messages() const { return m_Messages; }
    std::vector<std::string> Logs() const;                                   // the Log texts only
    std::vector<std::string> Warnings() const;                               // the Warning texts only
    const std::vector<LogWindowMode>& Windows() const { return m_Windows; }  // modes shown
    void Clear();

private:
    void OnMessage(bool warning, const char* text) override;
    int OnLogWindow(LogWindowMode mode) override;

    LogObserver* m_Previous;
    std::vector<Message> m_Messages;
    std::vector<LogWindowMode> m_Windows;
    std::deque<int> m_Answers;
};

}  // namespace tovan::test

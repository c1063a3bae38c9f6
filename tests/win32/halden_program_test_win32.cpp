// halden.exe as a user meets it: started as a child with its standard output on
// a pipe, its main window found and sent key and mouse messages, then closed.
// The framework's default driver logs every input event it queued and took off
// the queue, and prints the log when it ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace tovan {
namespace {

std::string HaldenPath() {
    std::string path = TOVAN_HALDEN_EXE;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

class HaldenProcess {
public:
    explicit HaldenProcess(const std::string& arguments) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE write = nullptr;
        if (!CreatePipe(&m_Read, &write, &inherit, 0))
            return;
        SetHandleInformation(m_Read, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = write;
        startup.hStdError = write;
        const std::string exe = HaldenPath();
        std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
        m_Started = CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                   &m_Process);
        CloseHandle(write);
        m_Reader = std::thread([this] {
            char buffer[4096];
            DWORD got = 0;
            while (ReadFile(m_Read, buffer, sizeof buffer, &got, nullptr) && got > 0)
                m_Output.append(buffer, got);
        });
    }
    ~HaldenProcess() {
        if (m_Started) {
            if (WaitForSingleObject(m_Process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(m_Process.hProcess, 99);
            CloseHandle(m_Process.hThread);
            CloseHandle(m_Process.hProcess);
        }
        if (m_Reader.joinable())
            m_Reader.join();
        if (m_Read)
            CloseHandle(m_Read);
    }

    bool Started() const { return m_Started; }

    // The child's main window, once it has one (at most 30 s).
    HWND MainWindow() {
        for (int tries = 0; tries < 600; ++tries) {
            for (HWND window = FindWindowA("tovan.halden", nullptr); window;
                 window = FindWindowExA(nullptr, window, "tovan.halden", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == m_Process.dwProcessId)
                    return window;
            }
            if (WaitForSingleObject(m_Process.hProcess, 50) != WAIT_TIMEOUT)
                return nullptr;
        }
        return nullptr;
    }

    // Waits for the end (at most 30 s); the exit code and the printed lines.
    DWORD Finish(std::vector<std::string>* lines) {
        if (WaitForSingleObject(m_Process.hProcess, 30000) != WAIT_OBJECT_0)
            return DWORD(-1);
        DWORD code = 0;
        GetExitCodeProcess(m_Process.hProcess, &code);
        m_Reader.join();
        size_t start = 0;
        while (start < m_Output.size()) {
            size_t end = m_Output.find("\r\n", start);
            if (end == std::string::npos)
                end = m_Output.size();
            lines->push_back(m_Output.substr(start, end - start));
            start = end + 2;
        }
        return code;
    }

private:
    HANDLE m_Read = nullptr;
    PROCESS_INFORMATION m_Process = {};
    BOOL m_Started = FALSE;
    std::thread m_Reader;
    std::string m_Output;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST(HaldenProgram, TurnsKeyAndMouseMessagesIntoInputEventsAndEndsWithItsWindow) {
    HaldenProcess halden("-x data");
    ASSERT_TRUE(halden.Started());
    HWND window = halden.MainWindow();
    ASSERT_NE(window, nullptr);
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Message messages[] = {
        {WM_MOUSEMOVE, 0, At(10, 20)},
        {WM_KEYDOWN, 'A', 0x001E0001},
        {WM_KEYUP, 'A', LPARAM(0xC01E0001)},
        {WM_KEYDOWN, VK_LWIN, 0},  // no key code: dropped
        {WM_KEYDOWN, VK_F13, 0},   // likewise
        {WM_KEYDOWN, VK_RETURN, 0},
        {WM_KEYDOWN, VK_ADD, 0},
        {WM_LBUTTONDOWN, MK_LBUTTON, At(30, 40)},
        {WM_LBUTTONUP, 0, At(30, 40)},
        {WM_RBUTTONDBLCLK, MK_RBUTTON, At(5, 6)},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-240)), At(500, 500)},
        {WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON2), At(7, 8)},
    };
    for (const Message& m : messages)
        ASSERT_TRUE(PostMessageA(window, m.message, m.wParam, m.lParam));
    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    std::vector<std::string> lines;
    EXPECT_EQ(halden.Finish(&lines), 0u);
    const std::vector<std::string> expected = {
        "halden started with the command line \"-x data\"",
        "Input: cursor at 10,20 moved by 10,20",
        "Input: A down",
        "Input: A up",
        "Input: Enter down",
        "Input: Add down",
        "Input: LeftButton down at 30,40",
        "Input: LeftButton up at 30,40",
        "Input: RightButton double-click at 5,6",
        "Input: WheelDown -2 notches",
        "Input: XButton2 down at 7,8",
        "halden ended",
    };
    EXPECT_EQ(lines, expected);
}

TEST(HaldenProgram, EmptyCommandLineAndClosingAtOnce) {
    HaldenProcess halden("");
    ASSERT_TRUE(halden.Started());
    HWND window = halden.MainWindow();
    ASSERT_NE(window, nullptr);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "halden");
    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    std::vector<std::string> lines;
    EXPECT_EQ(halden.Finish(&lines), 0u);
    EXPECT_EQ(lines, (std::vector<std::string>{"halden started with the command line \"\"", "halden ended"}));
}

}  // namespace
}  // namespace tovan

// halden.exe as a user meets it: started as a child with its standard output on
// a pipe, its main window found, given a client area 453 pixels high and sent
// key and mouse messages, then closed. The framework's default start logs every
// input event it queued and took off the queue, and prints the log when it ends.
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace tovan {
namespace {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;  // a point in client coordinates
    bool onScreen;  // the message carries the point on the screen (the wheel)
};

constexpr int kClientHeight = 453;

// Sizes the window's client area to 640 x kClientHeight; false when it did not take.
bool SizeClientArea(HWND window) {
    RECT frame = {0, 0, 640, kClientHeight};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    return GetClientRect(window, &client) && client.bottom - client.top == kClientHeight;
}

// Runs halden.exe with `arguments`, sizes its main window's client area, posts
// `messages` and WM_CLOSE to the window; returns its exit code (-1: it did not
// start, show a window of that size or end within 30 s) and the lines it printed.
DWORD RunHalden(const std::string& arguments, const std::vector<Message>& messages, std::vector<std::string>* lines) {
    std::string exe = TOVAN_HALDEN_EXE;
    for (char& c : exe)
        if (c == '/')
            c = '\\';
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0))
        return DWORD(-1);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    PROCESS_INFORMATION process = {};
    const bool started =
        CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(write);
    std::string output;
    std::thread reader([&] {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
    });
    DWORD code = DWORD(-1);
    if (started) {
        HWND window = nullptr;
        for (int tries = 0; !window && tries < 600 && WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT;) {
            for (window = FindWindowA("tovan.halden", nullptr); window;
                 window = FindWindowExA(nullptr, window, "tovan.halden", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == process.dwProcessId)
                    break;
            }
            ++tries;
        }
        const bool sized = window && SizeClientArea(window);
        if (window) {
            for (const Message& m : messages) {
                POINT at = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
                if (m.onScreen)
                    ClientToScreen(window, &at);
                PostMessageA(window, m.message, m.wParam, MAKELPARAM(at.x, at.y));
            }
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0 && sized)
            GetExitCodeProcess(process.hProcess, &code);
        else
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    reader.join();
    CloseHandle(read);
    for (size_t start = 0, end; start < output.size(); start = end + 2) {
        end = output.find("\r\n", start);
        end = end == std::string::npos ? output.size() : end;
        lines->push_back(output.substr(start, end - start));
    }
    return code;
}

TEST(HaldenProgram, TurnsKeyAndMouseMessagesIntoInputEventsAndEndsWithItsWindow) {
    // Positions in GUI space: y up from the bottom of the 453-pixel-high client area.
    const std::vector<Message> messages = {
        {WM_MOUSEMOVE, 0, MAKELPARAM(10, 20), false},
        {WM_KEYDOWN, 'A', 0x001E0001, false},
        {WM_KEYUP, 'A', LPARAM(0xC01E0001), false},
        {WM_KEYDOWN, VK_LWIN, 0, false},  // no key code: dropped
        {WM_KEYDOWN, VK_F13, 0, false},   // likewise
        {WM_KEYDOWN, VK_RETURN, 0, false},
        {WM_KEYDOWN, VK_ADD, 0, false},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40), false},
        {WM_LBUTTONUP, 0, MAKELPARAM(30, 40), false},
        {WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(5, 6), false},
        {WM_MOUSEMOVE, 0, MAKELPARAM(50, 60), false},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-240)), MAKELPARAM(70, 80), true},
        {WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON2), MAKELPARAM(7, 8), false},
    };
    const std::vector<std::string> inputLines = {
        "Input: cursor at 10,433 moved by 10,-20",
        "Input: A down at 10,433",
        "Input: A up at 10,433",
        "Input: Enter down at 10,433",
        "Input: Add down at 10,433",
        "Input: LeftButton down at 30,413",
        "Input: LeftButton up at 30,413",
        "Input: RightButton double-click at 5,447",
        "Input: cursor at 50,393 moved by 45,-54",
        "Input: WheelDown -2 notches at 70,373",
        "Input: XButton2 down at 7,445",
    };
    struct Case {
        std::string arguments;
        std::vector<Message> messages;
        std::vector<std::string> input;
    };
    const Case cases[] = {{"-x data", messages, inputLines}, {"", {}, {}}};
    for (const Case& c : cases) {
        std::vector<std::string> lines, expected = {"halden started with the command line \"" + c.arguments + "\""};
        expected.insert(expected.end(), c.input.begin(), c.input.end());
        expected.push_back("halden ended");
        EXPECT_EQ(RunHalden(c.arguments, c.messages, &lines), 0u) << c.arguments;
        EXPECT_EQ(lines, expected);
    }
}

}  // namespace
}  // namespace tovan

// The application's start as a build of the framework alone provides it: a main
// window and a message pump. Key and mouse messages become input events at
// positions in GUI space (y up from the client area's bottom), which the pump
// then takes off the queue as a frame loop would, logging each. When the window
// is closed the log goes to the standard output (when the program was given
// one) and the program ends. An application that defines its own
// ApplicationStart replaces this one at link time, which is why it sits alone
// in its file.
#include "core/entry.h"
#include "core/log.h"
#include "core/main_window.h"
#include "ui/input.h"
#include "win32/message_input.h"
#include "win32/window_helpers.h"

#include <windows.h>

#include <cstdlib>

namespace tovan {

namespace {

constexpr char kWindowClass[] = "tovan.halden";

cMessageInput g_MessageInput;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRect client = {};
    ClientAreaOnScreen(window, &client);
    if (InputEvent* event = g_MessageInput.Translate(client, message, wParam, lParam))
        PushInputEvent(event, false);
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TakeInput() {
    while (InputEvent* event = PopInputEvent()) {
        Log("%s", DescribeInputEvent(*event).GetText());
        delete event;
    }
}

void WriteLogToStandardOutput() {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!out || out == INVALID_HANDLE_VALUE)
        return;
    const cStr& text = GetLogText();
    DWORD written = 0;
    WriteFile(out, text.GetText(), DWORD(text.Length()), &written, nullptr);
}

}  // namespace

void ApplicationStart() {
    SetLogTitle("halden");
    Log("halden started with the command line \"%s\"", CommandLineText.GetText());
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kWindowClass, "halden", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 640, 480, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) {
        Log("halden could not create its main window");
        WriteLogToStandardOutput();
        std::exit(1);
    }
    MainWindowHandle = window;
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
        TakeInput();
    }
    MainWindowHandle = nullptr;
    Log("halden ended");
    WriteLogToStandardOutput();
    std::exit(int(message.wParam));
}

}  // namespace tovan

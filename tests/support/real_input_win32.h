// Input as a person makes it: mouse and key events go through SendInput into
// the system's input queue, where a message loop (the dialog's own, or
// PumpMessages) takes them. Windows are found and aimed at by their
// rectangles, so a test clicks where a user would.
#pragma once
#include <windows.h>

#include <string>

namespace tovan::test {

// Dispatches this thread's messages for `milliseconds`, through the dialog
// manager for dialog windows as their own message loop would.
void PumpMessages(DWORD milliseconds);
// Pumps until `done` holds or `milliseconds` pass; returns `done()` at the end.
template <class Done>
bool PumpUntil(Done done, DWORD milliseconds) {
    for (DWORD waited = 0; !done() && waited < milliseconds; waited += 20)
        PumpMessages(20);
    return done();
}

// Moves the pointer to the screen point and presses the left button there
// (twice for a double click).
bool ClickAt(POINT screen, bool twice = false);
// The centre of the window's client rectangle `r` (client coordinates).
bool ClickClientRect(HWND window, const RECT& r, bool twice = false);
// One key pressed and released, by virtual-key code.
bool PressKey(WORD virtualKey);
// Typed as characters (KEYEVENTF_UNICODE).
bool TypeText(const std::string& text);

// The first descendant of `parent` of the window class, or null.
HWND FindDescendant(HWND parent, const char* className);
// The list view item whose text is `text`, or -1.
int FindListItem(HWND listView, const std::string& text);
// Clicks the middle of the item's label, found with LVM_GETITEMRECT.
bool ClickListItem(HWND listView, int item, bool twice = false);
// Clicks the close button of the window's caption (found by hit-testing).
bool ClickCloseButton(HWND window);

}  // namespace tovan::test

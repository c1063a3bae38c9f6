#include "win32/text_editor.h"

#include "core/dialog_template.h"
#include "ui/input.h"
#include "win32/modal_windows.h"
#include "win32/window_helpers.h"

namespace tovan {

namespace {

struct ItemSpec {
    const char* className;
    const char* text;
    uint32_t style;
    int id;
};

// Placed at WM_INITDIALOG; the template only names them.
constexpr ItemSpec kItems[] = {
    // WS_CHILD, WS_VISIBLE, WS_BORDER, WS_VSCROLL, WS_HSCROLL, WS_TABSTOP, ES_MULTILINE, ES_WANTRETURN
    {"Edit", "", 0x50B11004, kTextEditEdit},
    {"Button", "OK", 0x10010000, kTextEditOk},  // WS_VISIBLE, WS_TABSTOP
    {"Button", "Cancel", 0x10010000, kTextEditCancel},
};

// WS_POPUP, WS_CLIPSIBLINGS, WS_CLIPCHILDREN, DS_FIXEDSYS and a title bar or a border.
constexpr uint32_t kStyleWithCaption = 0x86C00008;
constexpr uint32_t kStyleWithoutCaption = 0x86800008;
constexpr uint32_t kToolWindow = 0x80;

}  // namespace

TextEditState& GetTextEditState() {
    static TextEditState state;
    return state;
}

WindowRect TextEditPlacement(const WindowRect& area) {
    int x = area.left + (area.right - area.left - kTextEditWidth) / 2;
    int y = area.top + (area.bottom - area.top - kTextEditHeight) / 2;
    if (x + kTextEditWidth > area.right)
        x = area.right - kTextEditWidth;
    if (y < area.top)
        y = area.top;
    if (x < area.left)
        x = area.left;
    if (y + kTextEditHeight > area.bottom)
        y = area.bottom - kTextEditHeight;
    return {x, y, x + kTextEditWidth, y + kTextEditHeight};
}

void BuildTextEditTemplate(cDialogTemplate& dialog, const char* caption) {
    dialog.Begin(caption ? caption : "", caption ? kStyleWithCaption : kStyleWithoutCaption, kToolWindow, 100, 100,
                 "Tahoma");
    for (const ItemSpec& item : kItems)
        dialog.AddItem(item.className, item.text, item.style, 0, 0, 10, 10, item.id);
}

bool TextEditDialog(cStr* text, const char* caption) {
    TextEditState& state = GetTextEditState();
    state.m_Ok = false;  // every call answers for itself: Cancel after an earlier OK is false
    if (!text)
        return false;
    state.m_Target = text;
    state.m_Caption = caption;
    // Without a main window, or over one with no client area (a minimised one
    // sits far off the screen), the editor opens in the middle of the screen.
    WindowRect area;
    if (!ClientAreaOnScreen(MainWindowHandle, &area) || area.right <= area.left || area.bottom <= area.top)
        area = modal::WorkArea();
    state.m_Placement = TextEditPlacement(area);
    cDialogTemplate dialog;
    BuildTextEditTemplate(dialog, caption);
    modal::RunTextEditor(dialog, MainWindowHandle);
    ClearInputEvents();  // keys typed into the editor are not the application's
    state.m_Target = nullptr;
    state.m_Caption = nullptr;
    return state.m_Ok;
}

}  // namespace tovan

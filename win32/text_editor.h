// The modal multi-line text editor: a 400 x 200 window over the main window's
// client area with an edit box, OK and Cancel. Ctrl+A in the edit selects all.
// Input queued while it was open is dropped when it returns.
#pragma once
#include "core/str.h"
#include "core/window_utils.h"

namespace tovan {

class cDialogTemplate;

enum TextEditControl {
    kTextEditOk = 101,
    kTextEditCancel = 102,
    kTextEditEdit = 103,
};

// Edits `text` in place; true when the user pressed OK (the text then holds what
// the edit held). Cancel, closing the window, or a null text answer false and
// leave the text as it was. `caption` may be null: the window then has a border
// and no title bar.
bool TextEditDialog(cStr* text, const char* caption);

constexpr int kTextEditWidth = 400;
constexpr int kTextEditHeight = 200;

// Where the editor opens: centred on `area` (the main window's client area on the
// screen), then moved, keeping its size, so that its right edge and top stay
// inside the area, then its left edge and bottom, which win when the area is
// smaller than the editor.
WindowRect TextEditPlacement(const WindowRect& area);

// The editor's in-memory template: the caption or "", its styles and the three
// controls (sized and placed when the window opens).
void BuildTextEditTemplate(cDialogTemplate& dialog, const char* caption);

}  // namespace tovan

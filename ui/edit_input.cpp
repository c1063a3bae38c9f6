// cEdit input: starting and ending editing with the mouse and keys, caret and
// selection moves, typing, the clipboard and undo.
#include <cstdint>
#include <cstring>

#include "core/main_window.h"
#include "core/os.h"
#include "io/font.h"
#include "io/io.h"
#include "ui/edit.h"
#include "ui/input.h"
#include "ui/widget_style.h"

namespace tovan {

namespace {

// Bytes a user may put into a field: no control characters.
bool IsPrintable(int c) { return (c >= 32 && c <= 126) || (c >= 128 && c <= 255); }

void KeepPrintable(cStr& text) {
    char* bytes = text.Data();
    int kept = 0;
    for (int i = 0; i < text.Length(); ++i)
        if (IsPrintable(uint8_t(bytes[i])))
            bytes[kept++] = bytes[i];
    text.SetLength(kept);
}

// The clipboard's text, read through the main window: empty when there is
// none or it cannot be opened or locked; never more than its block holds.
cStr ReadClipboard() {
    char small[256];
    const int length = os::ClipboardGetText(MainWindowHandle, small, int(sizeof small));
    if (length <= 0 || length == INT32_MAX)  // none, or no room for the terminator
        return cStr();
    if (length < int(sizeof small))
        return cStr(small, int(strnlen(small, sizeof small)));
    // Longer: read again into room for what it reported. Should it have grown
    // meanwhile, the copy stops at that room.
    cStr text;
    text.Reserve(length + 1, false);
    if (os::ClipboardGetText(MainWindowHandle, text.Data(), length + 1) <= 0)
        return cStr();
    text.SetLength(int(strnlen(text.Data(), size_t(length))));
    return text;
}

// The font that pasted text is filtered with, loaded on the first paste.
int32_t PasteFont() {
    static const int32_t font = LoadFont("Tahoma 8");
    return font;
}

bool ShiftDown() { return IsKeyDown(kKeyShift); }
bool ControlDown() { return IsKeyDown(kKeyControl); }

}  // namespace

bool cEdit::OnKeyDown(KeyCode code) {
    if (!IsUsable(*this))
        return false;
    const bool inHit = CursorInHit(*this);
    if (!IsEditing()) {
        if (code == kKeyLeftButton && inHit) {
            TakeFocus();
            return true;
        }
        const bool onCaption = m_CaptionRects.m_Hit.Contains(CursorPosition);
        if ((code == kKeyRightButton && inHit) || ((code == kKeyLeftButton || code == kKeyRightButton) && onCaption))
            SetFocus(this);
        return false;
    }
    if (code == kKeyLeftButton && inHit) {
        if (!HasSelection() && DoubleClick) {
            SelectAll();
        } else {
            const int at = IndexUnderCursor();
            if (at != m_Caret)
                Blink();
            m_Caret = m_MouseAnchor = at;
            m_SelectionStart = at;
            m_SelectionLength = 0;
            m_MouseSelecting = true;
        }
        return true;
    }
    if ((code == kKeyLeftButton || code == kKeyRightButton || code == kKeyMiddleButton) && !inHit) {
        EndEditing();
        return false;
    }
    if (m_MouseSelecting)
        return true;
    const bool control = ControlDown();
    if (code == kKeyEsc) {
        ReleaseWidgetCapture();  // the text shows the value again at the next frame
        m_Undo.DestroyItems();
        return true;
    }
    if (code == kKeyHome || code == kKeyEnd) {
        MoveCaret(code == kKeyHome ? 0 : m_Text.Length(), ShiftDown());
        return true;
    }
    if (code == kKeyEnter || code == kKeyPadA || code == kKeyStart) {
        EndEditing();
        return code != kKeyStart;  // Start commits and still reaches the widgets behind
    }
    if (control && code == kKeyA) {
        SelectAll();
        return true;
    }
    if (control && code == kKeyC) {
        CopySelection();
        return true;
    }
    if (control && code == kKeyX) {
        if (!m_ReadOnly && HasSelection()) {
            PushUndo();
            CopySelection();
            DeleteSelection();
        }
        return true;
    }
    if (IsWheelCode(code)) {
        EndEditing();
        return false;
    }
    return true;  // every other code is swallowed while editing
}

bool cEdit::OnKeyUp(KeyCode code) {
    if (!IsEditing())
        return false;
    if (code == kKeyLeftButton)
        m_MouseSelecting = false;
    return true;
}

bool cEdit::OnMouseMove() {
    if (!IsEditing())
        return false;
    if (m_MouseSelecting) {
        const int at = IndexUnderCursor();
        if (at != m_Caret)
            Blink();
        m_Caret = at;
        m_SelectionStart = at < m_MouseAnchor ? at : m_MouseAnchor;
        m_SelectionLength = at < m_MouseAnchor ? m_MouseAnchor - at : at - m_MouseAnchor;
    }
    return true;
}

bool cEdit::OnChar(int character, KeyCode code) {
    if (!IsEditing())
        return false;
    if (m_ReadOnlyRequest)
        m_ReadOnly = true;
    if (m_MouseSelecting)
        return true;
    // A control character (Tab as 9, Ctrl+V as 22) acts by its key code alone.
    if (IsPrintable(character)) {
        if (m_ReadOnly)
            return true;
        PushUndo();
        DeleteSelection();
        UpdateScroll();
        const char typed = char(uint8_t(character));
        Insert(cStr(&typed, 1));
        return true;
    }
    const bool control = ControlDown();
    if (code == kKeyBackSpace || code == kKeyDelete) {
        if (m_ReadOnly)
            return true;
        if (HasSelection()) {
            PushUndo();
            DeleteSelection();
        } else {
            const int at = code == kKeyBackSpace ? m_Caret - 1 : m_Caret;
            if (at >= 0 && at < m_Text.Length()) {
                PushUndo();
                m_SelectionStart = at;
                m_SelectionLength = 1;
                DeleteSelection();
            }
        }
        Blink();
    } else if (code == kKeyLeft || code == kKeyRight) {
        const int to = m_Caret + (code == kKeyLeft ? -1 : 1);
        MoveCaret(to < 0 ? 0 : to > m_Text.Length() ? m_Text.Length() : to, ShiftDown());
    } else if (control && code == kKeyV) {
        Paste();
    } else if (control && code == kKeyZ) {
        Undo();
    } else if (const int step = code == kKeyTab ? 1 : ColumnStep(code)) {
        EndEditing();
        GetRoot()->FocusNext(step > 0);
    }
    return true;
}

void cEdit::MoveCaret(int to, bool extend) {
    // The selection's fixed end: the one the caret is not on.
    int anchor = m_Caret;
    if (HasSelection())
        anchor = m_Caret == m_SelectionStart ? m_SelectionStart + m_SelectionLength : m_SelectionStart;
    if (to != m_Caret)
        Blink();
    m_Caret = to;
    if (extend) {
        m_SelectionStart = to < anchor ? to : anchor;
        m_SelectionLength = to < anchor ? anchor - to : to - anchor;
    } else {
        m_SelectionLength = 0;
    }
    if (m_SelectionLength == 0)
        m_SelectionStart = m_Caret;
}

void cEdit::PushUndo() { m_Undo.PushBack({m_Text, m_Caret, m_SelectionStart, m_SelectionLength}); }

void cEdit::DeleteSelection() {
    if (!HasSelection())
        return;
    cStr rest(m_Text.GetText(), m_SelectionStart);
    const int end = m_SelectionStart + m_SelectionLength;
    rest.Append(m_Text.GetText() + end, m_Text.Length() - end);
    m_Text = rest;
    m_Caret = m_SelectionStart;
    m_SelectionLength = 0;
}

void cEdit::Insert(const cStr& text) {
    cStr joined(m_Text.GetText(), m_Caret);
    joined.Append(text);
    joined.Append(m_Text.GetText() + m_Caret, m_Text.Length() - m_Caret);
    m_Text = joined;
    m_Caret += text.Length();
    m_SelectionStart = m_Caret;
    Blink();
}

void cEdit::CopySelection() {
    if (!HasSelection())
        return;
    const cStr selected(m_Text.GetText() + m_SelectionStart, m_SelectionLength);
    cIO::CopyToClipboard(selected.GetText());
}

void cEdit::Paste() {
    if (m_ReadOnly)
        return;
    cStr pasted = ReadClipboard();
    KeepPrintable(pasted);
    CurrentFont = PasteFont();
    StripMissingGlyphs(pasted);
    if (HasSelection() || !pasted.IsEmpty()) {
        PushUndo();
        DeleteSelection();
    }
    Insert(pasted);
}

void cEdit::Undo() {
    if (m_ReadOnly || m_Undo.IsEmpty())
        return;
    const int last = m_Undo.Count() - 1;
    const UndoEntry& entry = m_Undo[last];
    m_Text = entry.text;
    m_Caret = entry.caret;
    m_SelectionStart = entry.selectionStart;
    m_SelectionLength = entry.selectionLength;
    m_Undo.RemoveAt(last);
    ClampCaret();
    Blink();
}

}  // namespace tovan

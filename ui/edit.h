// cEdit: the one-line text field. It edits an int, a float or a cStr of the
// edited object through a private copy of its text, with caret, selection,
// clipboard and undo, and writes the value back (parsed and clamped to its
// limits) only when editing ends with a commit. Editing is holding the
// capture: a click inside or TakeFocus starts it; Enter, pad A, Start, the
// wheel, a click outside and the focus steps (Tab, Up, Down and the thumbs)
// commit; Esc cancels.
//
// A commit that changes the value tells the parent code 6 (int), 7 (float,
// pointers to the old and the bound value) or 8 (string, the old and the new
// text). A float edit commits only a text other than the value's own, so an
// untouched edit never rounds the value to its three shown decimals. Numbers
// outside the int range do not parse.
//
// Item 39: the drawn box; m_Pressed editing; m_Text the text, m_Text2 the
// caption in m_CaptionRect; caret, selection, blink stamp, scroll offset and
// read-only for the style to draw.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/rect.h"
#include "core/str.h"
#include "ui/control.h"
#include "ui/wnd.h"

namespace tovan {

inline constexpr int kCursorText = 7;  // the text cursor, while editing

class cEdit : public cWnd {
public:
    cEdit(cWnd* parent, int32_t* value, const char* caption, float x, float y);
    cEdit(cWnd* parent, float* value, const char* caption, float x, float y);
    cEdit(cWnd* parent, cStr* value, const char* caption, float x, float y);

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    bool OnMouseMove() override;
    bool OnChar(int character, KeyCode code) override;
    void Update() override;
    // The common rule, except that holding the capture does not make it
    // hovered, and while editing it shows lit and grown.
    bool UpdateHover(bool covered) override;
    bool GetCursorShape(int* shape) override;
    int GetType() override { return kEditType; }
    cRect GetRect() override { return m_Whole; }
    float GetExtent() override { return m_Whole.IsEmpty() ? 0 : m_Whole.Width(); }
    void Layout() override;
    void Measure() override;
    void TakeFocus() override;  // starts editing with the whole text selected
    bool AcceptsFocus() override { return true; }

    bool IsEditing() const { return HoldsCapture(this); }
    // The value as text: "%d", three decimals, or the string itself.
    cStr ValueText() const;

    struct UndoEntry {
        cStr text;
        int32_t caret, selectionStart, selectionLength;
    };

    cStr m_Caption;
    cStr m_Text;
    int32_t* m_Int = nullptr;
    float* m_Float = nullptr;
    cStr* m_String = nullptr;
    // Limits (null: none), set by the composites that own the edit.
    const int32_t* m_IntMin = nullptr;
    const int32_t* m_IntMax = nullptr;
    const float* m_FloatMin = nullptr;
    const float* m_FloatMax = nullptr;
    cControlLook m_Look;
    cControlBox m_Box;
    cRect m_BoxRect, m_CaptionRect;  // measured
    cCaptionRects m_CaptionRects;
    float m_CaretBlink = 0;  // the frame clock's total seconds at the last caret move
    cRect m_Whole;
    int32_t m_Caret = 0;
    int32_t m_SelectionStart = 0;
    int32_t m_SelectionLength = 0;  // 0: none
    int32_t m_MouseAnchor = 0;      // where a mouse selection started
    float m_ScrollOffset = 0;       // never positive
    bool m_MouseSelecting = false;
    bool m_ReadOnly = false;
    bool m_ReadOnlyRequest = false;   // becomes read-only at the next character or frame
    bool m_CaptionAnchoring = false;  // the caption and box placed together, as the style's flag does
    cList<UndoEntry> m_Undo;
    // A minimum/maximum pair kept ordered on commit (the ranged slider's).
    cEdit* m_LinkedMax = nullptr;
    cEdit* m_LinkedMin = nullptr;

private:
    void Start(const char* caption, float x, float y);
    bool Commit();
    void EndEditing();  // commit, release the capture, forget the undo steps
    void KeepLinkedOrdered();
    void ClampToLimits();
    void RebuildText();
    void ClampCaret();
    void UpdateScroll();
    int IndexUnderCursor();
    float TextPrefixWidth(int count) const;
    void Blink();
    void MoveCaret(int to, bool extend);
    void SelectAll();
    bool HasSelection() const { return m_SelectionLength > 0; }
    void PushUndo();
    void DeleteSelection();
    void Insert(const cStr& text);
    void Paste();
    void Undo();
    void CopySelection();
};

}  // namespace tovan

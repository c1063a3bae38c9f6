// cEdit in a form: what ends editing and whether it commits, parsing and
// clamping of numbers, the string keys with the clipboard and undo, paste
// filtering, read-only edits and focus following hover.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "io/font.h"
#include "tests/support/font_file.h"
#include "tests/ui/clipboard_guard.h"
#include "tests/ui/control_test_support.h"
#include "ui/edit.h"
#include "ui/input.h"

namespace tovan {
namespace {

using test::ControlFixture;

std::string Text(const cEdit* edit) { return edit->m_Text.GetText(); }

// Three int edits one under the other; the middle one is edited. Edit boxes
// are 54 x 16 from x = 114 in GUI space.
class Edits : public ControlFixture {
protected:
    Edits() {
        first = Add<cEdit>(&a, "", 10.f, -10.f);
        middle = Add<cEdit>(&b, "", 10.f, -40.f);
        last = Add<cEdit>(&c, "", 10.f, -70.f);
        host.Frame();
    }
    void TypeText(const char* text) {
        for (const char* p = text; *p; ++p)
            host.Type(uint8_t(*p), -1);
        host.Frame();
    }
    void Char(KeyCode code) {
        host.Type(-1, code);
        host.Frame();
    }
    void Hold(KeyCode code, bool down) {
        if (down)
            host.Press(code);
        else
            host.Release(code);
        host.Frame();
    }
    void StartEditing(cEdit* edit) { ClickAt(130, edit->m_Rect.Centre().y); }

    int32_t a = 1, b = 5, c = 9;
    cEdit *first, *middle, *last;
};

TEST_F(Edits, TheCommitMatrix) {
    struct Case {
        const char* name;
        KeyCode code;
        bool typed;  // a character event (else a key press)
        bool consumed;
        int32_t value;  // after typing 7 and the key
        cEdit* focusNow;
        bool editing;
    };
    const Case cases[] = {
        {"Enter", kKeyEnter, false, true, 7, middle, false},
        {"pad A", kKeyPadA, false, true, 7, middle, false},
        {"Start", kKeyStart, false, false, 7, middle, false},
        {"wheel", kKeyWheelUp, false, false, 7, middle, false},
        {"click outside", kKeyLeftButton, false, false, 7, middle, false},
        {"Esc", kKeyEsc, false, true, 5, middle, false},
        {"Tab", kKeyTab, true, true, 7, last, true},
        {"Down", kKeyDown, true, true, 7, last, true},
        {"Up", kKeyUp, true, true, 7, first, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        b = 5;
        notes.clear();
        StartEditing(middle);
        ASSERT_TRUE(middle->IsEditing());
        EXPECT_EQ(middle->m_SelectionLength, 1);  // the whole "5"
        TypeText("7");
        if (k.typed) {
            Char(k.code);
        } else {
            if (k.code == kKeyLeftButton)
                host.MoveCursor(300, 150);
            host.Press(k.code);
            host.Frame();
            EXPECT_EQ(host.LastConsumer() == middle, k.consumed);
            if (k.code != kKeyWheelUp)
                host.Release(k.code);
            host.Frame();
        }
        EXPECT_EQ(b, k.value);
        EXPECT_EQ(notes.size(), k.value == 7 ? 1u : 0u);
        EXPECT_EQ(form->m_Focused, k.focusNow);
        EXPECT_FALSE(middle->IsEditing());
        EXPECT_EQ(CapturedWidget != -1, k.editing);
        EXPECT_TRUE(middle->m_Undo.IsEmpty());
        if (CapturedWidget != -1)
            Key(kKeyEsc);
        host.Frame();
        EXPECT_EQ(Text(middle), std::to_string(b));  // the value shows again
    }
}

TEST_F(Edits, DigitsBeforeLettersCommitOnceAndOutOfRangeNumbersDoNot) {
    StartEditing(middle);
    TypeText("42abc");
    Key(kKeyEnter);
    EXPECT_EQ(b, 42);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].code, kNotifyEditInt);
    EXPECT_EQ(notes[0].source, FindWidgetHandle(middle));
    EXPECT_EQ(notes[0].oldNumber, 5);
    EXPECT_EQ(notes[0].newNumber, 42);
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {{"42", 42},  // the same value: nothing
                          {"abc", 42},         {"", 42},
                          {"2147483648", 42},  // beyond int: unparsable, not wrapped
                          {"99999999999", 42}, {"-2147483648", INT_MIN},
                          {" +12", 12}};
    for (const Case& k : cases) {
        notes.clear();
        const int32_t before = b;
        StartEditing(middle);
        TypeText(k.text);
        if (!*k.text)
            Char(kKeyBackSpace);
        Key(kKeyEnter);
        EXPECT_EQ(b, k.value) << k.text;
        EXPECT_EQ(notes.size(), b != before ? 1u : 0u) << k.text;
    }
}

TEST_F(Edits, LimitsClampAtCommitAndEveryFrameTellingOnlyOfTheCommit) {
    int32_t low = 0, high = 10;
    middle->m_IntMin = &low;
    middle->m_IntMax = &high;
    b = 20;
    host.Frame();
    EXPECT_EQ(b, 10);
    EXPECT_EQ(Text(middle), "10");
    StartEditing(middle);
    TypeText("-50");
    Key(kKeyEnter);
    EXPECT_EQ(b, 0);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].oldNumber, 10);
}

class FloatEdits : public ControlFixture {
protected:
    FloatEdits() {
        edit = Add<cEdit>(&value, "", 10.f, -10.f);
        host.Frame();
    }
    float value = 0.25f;
    cEdit* edit;
};

TEST_F(FloatEdits, ParsesCommasRefusesHugeAndNeverRoundsAnUntouchedValue) {
    EXPECT_EQ(std::string(edit->m_Text.GetText()), "0.250");
    struct Case {
        const char* typed;  // null: tab through untouched; the shown text is no change either
        float start, value;
        bool told;
    };
    const Case cases[] = {{"1,5", 0.25f, 1.5f, true},     {"1e200", 0.25f, 0.25f, false},
                          {"x", 0.25f, 0.25f, false},     {nullptr, 0.1234f, 0.1234f, false},
                          {"0.12", 0.1234f, 0.12f, true}, {"0.123", 0.1234f, 0.1234f, false},
                          {"-2.5e1", 0.25f, -25.0f, true}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed ? k.typed : "untouched");
        value = k.start;
        notes.clear();
        host.Frame();
        ClickAt(130, 358);
        ASSERT_TRUE(edit->IsEditing());
        for (const char* p = k.typed; p && *p; ++p)
            host.Type(uint8_t(*p), -1);
        host.Type(-1, kKeyTab);
        host.Frame();
        EXPECT_EQ(value, k.value);
        ASSERT_EQ(notes.size(), k.told ? 1u : 0u);
        if (k.told) {
            EXPECT_EQ(notes[0].code, kNotifyEditFloat);
            EXPECT_FLOAT_EQ(float(notes[0].oldNumber), k.start);
            EXPECT_FLOAT_EQ(float(notes[0].newNumber), k.value);
        }
    }
    value = 0.1f;
    host.Frame();
    EXPECT_EQ(std::string(edit->m_Text.GetText()), "0.100");
}

// The text edit of the string keys, at (10, -10).
class StringEdits : public Edits {
protected:
    StringEdits() {
        edit = Add<cEdit>(&text, "Name", 10.f, -100.f);
        host.Frame();
    }
    cStr text = "hello";
    cEdit* edit;
};

TEST_F(StringEdits, SelectCutUndoTypeAndCommitWithStart) {
    test::ClipboardGuard guard;
    edit->TakeFocus();
    struct Step {
        const char* name;
        KeyCode code;
        bool typed, shift, control;
        int character;
        const char* text;
        int caret, selectionStart, selectionLength;
    };
    const Step steps[] = {
        {"select all", kKeyA, false, false, true, 0, "hello", 5, 0, 5},
        {"Left", kKeyLeft, true, false, false, -1, "hello", 4, 4, 0},
        {"Shift+Home", kKeyHome, false, true, false, 0, "hello", 0, 0, 4},
        {"Ctrl+X", kKeyX, false, false, true, 0, "o", 0, 0, 0},
        {"Ctrl+Z", kKeyZ, true, false, true, -1, "hello", 0, 0, 4},
        {"type J", -1, true, false, false, 'J', "Jo", 1, 1, 0},
        {"Shift+Right", kKeyRight, true, true, false, -1, "Jo", 2, 1, 1},
        {"Shift+Left", kKeyLeft, true, true, false, -1, "Jo", 1, 1, 0},
        {"select all from 1", kKeyA, false, false, true, 0, "Jo", 2, 0, 2},
        {"End", kKeyEnd, false, false, false, 0, "Jo", 2, 2, 0},
        {"BackSpace", kKeyBackSpace, true, false, false, -1, "J", 1, 1, 0},
        {"Ctrl+Z", kKeyZ, true, false, true, -1, "Jo", 2, 2, 0},
        {"Home then Delete", kKeyHome, false, false, false, 0, "Jo", 0, 0, 0},
        {"Delete", kKeyDelete, true, false, false, -1, "o", 0, 0, 0},
        {"Ctrl+Z", kKeyZ, true, false, true, -1, "Jo", 0, 0, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        if (s.shift)
            Hold(kKeyShift, true);
        if (s.control)
            Hold(kKeyControl, true);
        if (s.typed) {
            host.Type(s.character, s.code);
            host.Frame();
        } else {
            Key(s.code);
        }
        if (s.shift)
            Hold(kKeyShift, false);
        if (s.control)
            Hold(kKeyControl, false);
        EXPECT_EQ(Text(edit), s.text);
        EXPECT_EQ(edit->m_Caret, s.caret);
        EXPECT_EQ(edit->m_SelectionStart, s.selectionStart);
        EXPECT_EQ(edit->m_SelectionLength, s.selectionLength);
        EXPECT_TRUE(edit->IsEditing());
    }
    EXPECT_EQ(test::ClipboardText(), "hell");
    EXPECT_EQ(std::string(text.GetText()), "hello");  // nothing written while editing
    host.Press(kKeyStart);
    host.Frame();
    EXPECT_NE(host.LastConsumer(), edit);
    EXPECT_EQ(std::string(text.GetText()), "Jo");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].code, kNotifyEditText);
    EXPECT_EQ(notes[0].oldText, "hello");
    EXPECT_EQ(notes[0].newText, "Jo");
}

TEST_F(StringEdits, PasteKeepsPrintableBytesTheFontHasAndReplacesTheSelection) {
    test::ClipboardGuard guard;
    cFont tahoma;
    tahoma.m_Name = "Tahoma 8";
    for (uint16_t code = 32; code < 126; ++code)  // no '~', nothing above 126
        tahoma.m_Glyphs.PushBack(cFontGlyph{code});
    AddFont(tahoma);
    struct Case {
        const char* clipboard;  // null: the clipboard holds no text
        const char* text;
        int caret;
    };
    const Case cases[] = {{"a\tb~c\xe9\r\nd", "abcd", 4}, {"", "", 0}, {nullptr, "", 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.clipboard ? k.clipboard : "none");
        if (k.clipboard)
            test::SetClipboardText(k.clipboard);
        else
            test::SetClipboardText("");
        edit->TakeFocus();  // all of "hello" selected: replaced even by nothing
        Hold(kKeyControl, true);
        host.Type(22, kKeyV);
        host.Frame();
        Hold(kKeyControl, false);
        EXPECT_EQ(Text(edit), k.text);
        EXPECT_EQ(edit->m_Caret, k.caret);
        Key(kKeyEsc);
    }
    EXPECT_EQ(std::string(text.GetText()), "hello");
}

TEST_F(StringEdits, ReadOnlyEditsSelectMoveAndCopyButNeverChange) {
    test::ClipboardGuard guard;
    test::SetClipboardText("zz");
    edit->m_ReadOnlyRequest = true;
    host.Frame();
    EXPECT_TRUE(edit->m_ReadOnly);
    edit->TakeFocus();
    Hold(kKeyControl, true);
    Key(kKeyC);
    Key(kKeyX);
    host.Type(22, kKeyV);
    host.Frame();
    Hold(kKeyControl, false);
    TypeText("abc");
    Char(kKeyBackSpace);
    Char(kKeyLeft);
    EXPECT_EQ(Text(edit), "hello");
    EXPECT_EQ(edit->m_Caret, 4);
    EXPECT_EQ(test::ClipboardText(), "hello");
    EXPECT_TRUE(edit->m_Undo.IsEmpty());
}

TEST_F(StringEdits, ARebuiltTextKeepsCaretAndSelectionInside) {
    edit->TakeFocus();
    Key(kKeyEsc);
    edit->m_Caret = 5, edit->m_SelectionStart = 2, edit->m_SelectionLength = 3;
    text = "hi";
    host.Frame();
    EXPECT_EQ(Text(edit), "hi");
    EXPECT_EQ(edit->m_Caret, 2);
    EXPECT_EQ(edit->m_SelectionStart, 2);
    EXPECT_EQ(edit->m_SelectionLength, 0);
}

TEST_F(StringEdits, TheMouseSetsTheCaretSelectsByDraggingAndDoubleClickSelectsAll) {
    cFont font;
    font.m_Name = "edit test 6";
    for (uint16_t code = 32; code < 127; ++code)
        font.m_Glyphs.PushBack(cFontGlyph{code, 0, 0, 0, 0, 0, 0, 5, 8, 6, 0});
    style.m_Edit.m_Font = AddFont(font);
    edit->TakeFocus();
    const float y = edit->m_Rect.Centre().y;
    // Characters start every 6 pixels from the inner left, 116.
    ClickAt(129, y);
    EXPECT_EQ(edit->m_Caret, 2);
    EXPECT_EQ(edit->m_SelectionLength, 0);
    Drag(129, y, 141, y);
    EXPECT_EQ(edit->m_Caret, 4);
    EXPECT_EQ(edit->m_SelectionStart, 2);
    EXPECT_EQ(edit->m_SelectionLength, 2);
    ClickAt(300, y);  // outside: commits nothing new and ends editing
    EXPECT_FALSE(edit->IsEditing());
    ClickAt(200, y);                        // far right of the text: its end
    EXPECT_EQ(edit->m_SelectionLength, 5);  // a first click selects all
    ClickAt(200, y);
    EXPECT_EQ(edit->m_Caret, 5);
    InputEvent* press = NewKeyEvent(kKeyLeftButton, true, 200, y);
    press->m_Device.m_DoubleClick = 1;
    PushInputEvent(press, false);
    host.Release(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(edit->m_SelectionStart, 0);
    EXPECT_EQ(edit->m_SelectionLength, 5);
    EXPECT_TRUE(notes.empty());
    style.m_Edit.m_Font = -1;
}

TEST_F(StringEdits, FocusFollowingHoverDoesNotStartEditing) {
    style.m_FocusFollowsHover = 1;
    host.MoveCursor(130, edit->m_Rect.Centre().y);
    host.Frame();
    EXPECT_EQ(form->m_Focused, edit);
    EXPECT_FALSE(edit->IsEditing());
    EXPECT_EQ(CapturedWidget, -1);
}

}  // namespace
}  // namespace tovan

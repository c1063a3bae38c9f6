// Controls under test: a form that keeps every notification with its values
// and whether the capture was still held, a window that records its own, and
// the metrics the controls measure with (no fonts: captions measure 0 wide).
#pragma once
#include <string>
#include <vector>

#include "core/str.h"
#include "tests/ui/form_test_support.h"
#include "ui/control.h"
#include "ui/widget.h"

namespace tovan::test {

inline cRect R(float x0, float y0, float x1, float y1) { return {x0, y0, x1, y1}; }

struct Note {
    std::string who;  // "form" or a listener's name
    WidgetHandle source = -1;
    int code = -1;
    const void* oldValue = nullptr;
    const void* newValue = nullptr;
    double oldNumber = 0, newNumber = 0;  // codes 4 to 7
    std::string oldText, newText;         // code 8
    bool captureHeld = false;             // any widget held the capture when told
};

inline Note ReadNote(const char* who, WidgetHandle source, int code, const void* oldValue, const void* newValue) {
    Note note;
    note.who = who, note.source = source, note.code = code, note.oldValue = oldValue, note.newValue = newValue;
    note.captureHeld = CapturedWidget != -1;
    if (code == kNotifySliderFloat || code == kNotifyEditFloat) {
        note.oldNumber = *static_cast<const float*>(oldValue);
        note.newNumber = *static_cast<const float*>(newValue);
    } else if (code == kNotifySliderInt || code == kNotifyEditInt) {
        note.oldNumber = *static_cast<const int32_t*>(oldValue);
        note.newNumber = *static_cast<const int32_t*>(newValue);
    } else if (code == kNotifyEditText) {
        note.oldText = static_cast<const char*>(oldValue);
        note.newText = static_cast<const char*>(newValue);
    }
    return note;
}

class NotesForm : public cForm {
public:
    explicit NotesForm(std::vector<Note>& notes) : m_Notes(notes) {}
    void OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue) override {
        m_Notes.push_back(ReadNote("form", source, code, oldValue, newValue));
    }
    std::vector<Note>& m_Notes;
};

// A window that is only told (a button's listener).
class Listener : public cWnd {
public:
    Listener(std::vector<Note>& notes, const char* name) : m_Notes(notes), m_Name(name) {}
    void OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue) override {
        m_Notes.push_back(ReadNote(m_Name, source, code, oldValue, newValue));
    }
    std::vector<Note>& m_Notes;
    const char* m_Name;
};

inline void SetControlMetrics(WidgetStyle& style) {
    SetFormMetrics(style);
    style.m_RestGrow = 0;
    style.m_HoverGrow = 2;
    style.m_SteppingGrow = 1;
    style.m_GrowRate = 20;
    style.m_ControlGap = 4;
    style.m_CaptionPadding = 3;
    WidgetStyle::Button& button = style.m_Button;
    button.m_Padding = 4, button.m_MinTextWidth = 40, button.m_Height = 16;
    button.m_ImageButtonWidth = 20, button.m_ImageButtonHeight = 20;
    button.m_SmallButtonWidth = 12, button.m_SmallButtonHeight = 12;
    style.m_CheckBox.m_Padding = 4, style.m_CheckBox.m_Height = 14, style.m_CheckBox.m_MinTextWidth = 30;
    WidgetStyle::Edit& edit = style.m_Edit;
    edit.m_Margin = 2, edit.m_Height = 16, edit.m_NumberWidth = 50, edit.m_TextWidth = 100, edit.m_EndInset = 2;
    WidgetStyle::Slider& slider = style.m_Slider;
    slider.m_Width = 200, slider.m_Height = 16;
    slider.m_LeftLabelWidth = 30, slider.m_RightLabelWidth = 30, slider.m_LabelPadding = 2;
    slider.m_FloatDecimals = 2;
    slider.m_FloatStepDivisor = 10, slider.m_IntStepDivisor = 10;
}

// A form of controls: FormFixture with the control metrics and the notes.
class ControlFixture : public ::testing::Test {
protected:
    ControlFixture() : view(FixedView::Orthographic({0, 0, 800, 600}, {{0, 0, -10}}, 1)) {
        SetControlMetrics(style);
        form = new NotesForm(notes);
        form->m_Title = "Props";
        form->m_Rect = {100, 100, 400, 400};
        AddWidget(form, kFormLayer);
        host.Frame();
    }
    template <class T, class... Args>
    T* Add(Args... args) {
        T* child = new T(form, args...);
        form->AddChild(child);
        return child;
    }
    void ClickAt(float x, float y, KeyCode code = kKeyLeftButton) {
        host.MoveCursor(x, y);
        host.Click(code);
        host.Frame();
    }
    // Press at one place, release at another.
    void Drag(float fromX, float fromY, float toX, float toY) {
        host.MoveCursor(fromX, fromY);
        host.Press(kKeyLeftButton);
        host.Frame();
        host.MoveCursor(toX, toY);
        host.Release(kKeyLeftButton);
        host.Frame();
    }
    void Key(KeyCode code) {
        host.Click(code);
        host.Frame();
    }

    FixedView view;
    RecordingStyle style;
    FrameHost host;
    std::vector<Note> notes;
    NotesForm* form;
};

}  // namespace tovan::test

// Forms, panels and tool bars under test: a control of a given size that
// takes the focus, a form that counts the notifications reaching it, and the
// metrics they are laid out with.
#pragma once
#include <string>
#include <vector>

#include "tests/support/fixed_view.h"
#include "tests/support/ui/frame_host.h"
#include "tests/support/ui/recording_style.h"
#include "tests/ui/wnd_test_support.h"
#include "ui/control.h"
#include "ui/form.h"

namespace tovan::test {

// Measures to width x height from its layout position, top-left.
class TestControl : public cWnd {
public:
    TestControl(cWnd* parent, float width, float height) : cWnd(parent), m_Width(width), m_Height(height) {
        StartControl(*this);
    }
    bool AcceptsFocus() override { return m_Focusable; }
    cRect GetRect() override { return {m_LayoutX, m_LayoutY - m_Height, m_LayoutX + m_Width, m_LayoutY}; }
    float GetExtent() override { return m_Width; }
    void Update() override {
        Layout();
        AnimateFades();
    }
    void Layout() override {
        cRect r = GetRect();
        r.Move(m_Parent->m_Content.x0, m_Parent->m_Content.y1);
        m_Rect = r;
    }

    float m_Width, m_Height;
    bool m_Focusable = true;
};

class TestForm : public cForm {
public:
    using cForm::cForm;
    void OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue) override {
        Note note;
        note.source = source, note.code = code;
        // The values live only during the call: the int codes and the path are copied.
        if ((code == kNotifyBinding || code == kNotifyComboBox) && oldValue && newValue)
            note.oldInt = *static_cast<const int32_t*>(oldValue), note.newInt = *static_cast<const int32_t*>(newValue);
        if (code == kNotifyFilePath && oldValue && newValue)
            note.oldText = static_cast<const char*>(oldValue), note.newText = static_cast<const char*>(newValue);
        m_Notes.push_back(note);
    }
    struct Note {
        WidgetHandle source = -1;
        int code = -1;
        int32_t oldInt = -2, newInt = -2;
        std::string oldText, newText;
    };
    std::vector<Note> m_Notes;
};

inline void SetFormMetrics(WidgetStyle& style) {
    SetTestMetrics(style);
    WidgetStyle::Form& form = style.m_Form;
    form.m_TitleHeight = 20;
    form.m_ButtonSize = 12;
    form.m_ButtonGap = 4;
    form.m_ClientInsets[0] = 4, form.m_ClientInsets[1] = 24, form.m_ClientInsets[2] = 4, form.m_ClientInsets[3] = 4;
    form.m_CollapsedWidth = 120, form.m_CollapsedHeight = 20;
    form.m_DockingSize = 16;
    form.m_SizeGrip = 12;
    form.m_DragOpacity = 0.5f;
    form.m_FocusMargin = 2;
    style.m_ToolBar.m_Height = 16;
    style.m_ToolBar.m_Margin = 2;
    WidgetStyle::Panel& panel = style.m_Panel;
    panel.m_HeaderHeight = 18;
    panel.m_ToggleSize = 10;
    panel.m_ToggleInset = 2;
    panel.m_BottomMargin = 3;
    panel.m_Margin = 5;
    panel.m_CaptionRatio = 0.25f;
    panel.m_NestingIndent = 8;
    panel.m_PressValue = 3, panel.m_ReleaseValue = 2, panel.m_HoverValue = 1, panel.m_NormalValue = 0;
    style.m_RowSpacing = 4;
    style.m_MinCaptionWidth = 60;
}

// A viewport of 800 x 600 and a registered root form at {100, 100, 400, 400}
// after one frame; its client is {104, 104, 396, 376}.
class FormFixture : public ::testing::Test {
protected:
    FormFixture() : view(FixedView::Orthographic({0, 0, 800, 600}, {{0, 0, -10}}, 1)) {
        SetFormMetrics(style);
        form = new TestForm;
        form->m_Title = "Props";
        form->m_Rect = {100, 100, 400, 400};
        AddWidget(form, kFormLayer);
        host.Frame();
    }
    template <class T, class... Args>
    T* Add(cWnd* parent, Args... args) {
        T* child = new T(parent, args...);
        parent->AddChild(child);
        return child;
    }
    void DoubleClickAt(float x, float y) {
        host.MoveCursor(x, y);
        InputEvent* press = NewKeyEvent(kKeyLeftButton, true, x, y);
        press->m_Device.m_DoubleClick = 1;
        PushInputEvent(press, false);
        host.Release(kKeyLeftButton);
        host.Frame();
    }
    void Drag(float fromX, float fromY, float toX, float toY) {
        host.MoveCursor(fromX, fromY);
        host.Press(kKeyLeftButton);
        host.MoveCursor(toX, toY);
        host.Release(kKeyLeftButton);
        host.Frame();
    }

    FixedView view;
    RecordingStyle style;
    FrameHost host;
    TestForm* form;
};

}  // namespace tovan::test

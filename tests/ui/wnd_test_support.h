// A window for the cWnd tests: active when told, counting what reaches it.
#pragma once
#include "tests/support/ui/recording_style.h"
#include "ui/wnd.h"

namespace tovan::test {

class TestWnd : public cWnd {
public:
    explicit TestWnd(cWnd* parent = nullptr) : cWnd(parent) {
        m_VisibleFlag = m_EnabledFlag = true;
        m_Style = parent ? parent->GetStyle() : CurrentWidgetStyle;
    }
    bool IsActive() override { return m_Parent ? cWnd::IsActive() : m_ActiveRoot; }
    void Activate() override {
        ++m_Activations;
        cWnd::Activate();
    }
    void OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue) override {
        if (m_Parent)
            return cWnd::OnNotify(source, code, oldValue, newValue);
        m_LastNotify = code;
    }
    void OnChildRemoved(cWidget* child) override {
        if (m_Parent)
            return cWnd::OnChildRemoved(child);
        ++m_ChildrenRemoved;
    }

    void SetFocus(cWidget* widget) override {
        if (m_Parent)
            return cWnd::SetFocus(widget);
        m_Focus = widget;
    }

    bool m_ActiveRoot = true;
    cWidget* m_Focus = nullptr;
    int m_Activations = 0;
    int m_LastNotify = -1;
    int m_ChildrenRemoved = 0;
};

// The metrics the window tests lay out with.
inline void SetTestMetrics(WidgetStyle& style) {
    style.m_ScrollBarThickness = 10;
    style.m_ArrowLength = 10;
    style.m_MinThumbLength = 10;
    style.m_ArrowStep = 10;
    style.m_WheelStep = 15;
    style.m_RepeatDelay = 0.5f;
    style.m_RepeatInterval = 0.25f;
    style.m_FrameWidth = 4;
    style.m_CornerSize = 12;
    style.m_HoverFadeRate = 4;
    style.m_VisibleFadeRate = 2;
    style.m_EnabledFadeRate = 2;
    style.m_ActiveFadeRate = 2;
}

}  // namespace tovan::test

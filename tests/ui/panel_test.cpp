// cPanel, cLabel and cToolBar inside a form, through the test host's frames.
#include <gtest/gtest.h>

#include "classes/registry.h"
#include "io/font.h"
#include "tests/ui/form_test_support.h"
#include "ui/input.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/tool_bar.h"
#include "ui/widget_style.h"

namespace tovan {
namespace {

using test::FormFixture;
using test::TestControl;

cRect R(float x0, float y0, float x1, float y1) { return {x0, y0, x1, y1}; }

// The form's body panel (open, no header) holding a closed panel two deep.
class Panels : public FormFixture {
protected:
    Panels() {
        form->m_FixedContentWidth = true;  // as wide as the view: the panels take its width
        top = Add<cPanel>(form, "Object");
        inner = Add<cPanel>(static_cast<cWnd*>(top), "Group");
        Frames();
    }
    void Frames() {
        for (int i = 0; i < 3; ++i)  // a container measures what its children measured last
            host.Frame();
    }
    cPanel* top;
    cPanel* inner;
};

TEST_F(Panels, ATopPanelIsTheBodyAndADeeperOneStartsClosed) {
    EXPECT_TRUE(top->m_Open);
    EXPECT_TRUE(top->m_HeaderHidden);
    EXPECT_FALSE(inner->m_Open);
    EXPECT_FALSE(inner->m_HeaderHidden);
    EXPECT_EQ(inner->m_Depth, 2);
    EXPECT_EQ(inner->m_RootWindow, form);
    // The closed panel is its header, after the panel margin; the body is as
    // deep as its last child.
    EXPECT_EQ(inner->GetRect(), R(0, -23, 292, -5));
    EXPECT_EQ(top->GetRect(), R(0, -23, 292, 0));
    EXPECT_EQ(top->m_Rect, R(104, 353, 396, 376));
    EXPECT_EQ(inner->m_Rect, R(104, 353, 396, 371));
    EXPECT_EQ(inner->m_HeaderRect, R(104, 353, 396, 371));
    EXPECT_EQ(inner->m_ToggleRect, R(106, 357, 116, 367));
    EXPECT_TRUE(inner->m_Client.IsEmpty());
}

TEST_F(Panels, SpaceOpensTheFocusedPanelWithOneNotification) {
    form->FocusNext(true);
    ASSERT_EQ(form->m_Focused, inner);  // the header-less body takes no focus
    host.Press(kKeySpace);
    host.Release(kKeySpace);
    host.Frame();
    EXPECT_TRUE(inner->m_Open);
    ASSERT_EQ(form->m_Notes.size(), 1u);
    EXPECT_EQ(form->m_Notes[0].code, kNotifyPanelToggled);
    EXPECT_EQ(form->m_Notes[0].source, FindWidgetHandle(inner));
    EXPECT_EQ(CapturedWidget, -1);
    EXPECT_EQ(inner->m_PressFade.m_Target, style.m_Panel.m_HoverValue);  // released, and focused
    // Without the focus Space does nothing.
    form->SetFocus(nullptr);
    host.Click(kKeySpace);
    host.Frame();
    EXPECT_TRUE(inner->m_Open);
    EXPECT_EQ(form->m_Notes.size(), 1u);
}

TEST_F(Panels, ALeftPressTogglesAtOnceOrOnReleaseOverTheHeader) {
    struct Case {
        bool onRelease;
        float releaseY;
        int toggles;
    };
    const Case cases[] = {{false, 300, 1}, {true, 362, 1}, {true, 300, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.onRelease);
        style.m_Panel.m_ToggleOnRelease = c.onRelease;
        const bool before = inner->m_Open;
        form->m_Notes.clear();
        Drag(200, 362, 200, c.releaseY);
        EXPECT_EQ(inner->m_Open != before, c.toggles == 1);
        EXPECT_EQ(int(form->m_Notes.size()), c.toggles);
        EXPECT_EQ(form->m_Focused, inner);
        EXPECT_EQ(CapturedWidget, -1);
        inner->m_Open = false;
        Frames();
    }
}

TEST_F(Panels, FixedPanelsAndHiddenHeadersDoNotToggle) {
    inner->m_Fixed = true;
    Drag(200, 362, 200, 362);
    EXPECT_FALSE(inner->m_Open);
    EXPECT_TRUE(form->m_Notes.empty());
    struct Case {
        bool hidden, fixed, fixedFocus, accepts;
    };
    const Case cases[] = {{true, false, true, false},
                          {false, true, false, false},
                          {false, true, true, true},
                          {false, false, false, true}};
    for (const Case& c : cases) {
        inner->m_HeaderHidden = c.hidden;
        inner->m_Fixed = c.fixed;
        style.m_Panel.m_FixedFocus = c.fixedFocus;
        EXPECT_EQ(inner->AcceptsFocus(), c.accepts) << c.hidden << c.fixed << c.fixedFocus;
    }
}

TEST_F(Panels, ChildrenStackDownwardsRightOfTheSplit) {
    inner->m_Open = true;
    TestControl* first = Add<TestControl>(inner, 40.f, 20.f);
    TestControl* second = Add<TestControl>(inner, 40.f, 30.f);
    cPanel* sub = Add<cPanel>(inner, "Sub");
    Frames();
    EXPECT_EQ(first->m_LayoutY, 0);
    EXPECT_EQ(second->m_LayoutY, -24);  // 20 and the row gap
    EXPECT_EQ(sub->m_LayoutY, -58);
    EXPECT_EQ(sub->m_Depth, 3);
    // The header and the sub-panel's bottom (no margin after a panel).
    EXPECT_EQ(inner->GetRect().Height(), 18 + 76);
    // The split: a quarter of the root's client (73), less one nesting indent.
    EXPECT_EQ(first->m_LayoutX, 65);
    EXPECT_EQ(first->m_Align, 0);
    EXPECT_EQ(sub->m_LayoutX, 65);

    second->m_VisibleFlag = false;  // hidden children take no room
    style.m_Panel.m_HalfSplit = 1;
    Frames();
    EXPECT_EQ(sub->m_LayoutY, -24);
    EXPECT_EQ(first->m_LayoutX, 146);
    EXPECT_EQ(first->m_Align, 1);
    // A control last: its depth and the bottom margin.
    sub->m_VisibleFlag = false;
    Frames();
    EXPECT_EQ(inner->GetRect().Height(), 18 + 20 + 3);
    // Nothing visible: the header and twice the margin.
    first->m_VisibleFlag = false;
    Frames();
    EXPECT_EQ(inner->GetRect().Height(), 18 + 6);
}

TEST_F(Panels, TheHeaderHoversHighlightsAndKeepsItsPressWhileHeld) {
    style.m_FocusFollowsHover = 1;
    host.MoveCursor(200, 362);
    host.Frame();
    EXPECT_EQ(host.Hovered(), inner);
    EXPECT_EQ(inner->m_Highlight.m_Target, 1.0f);
    EXPECT_EQ(inner->m_PressFade.m_Target, style.m_Panel.m_HoverValue);
    EXPECT_EQ(form->m_Focused, inner);  // focus follows the hover
    host.Press(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(inner->m_PressFade.m_Target, style.m_Panel.m_PressValue);
    host.Release(kKeyLeftButton);
    host.MoveCursor(200, 200);
    host.Frame();
    EXPECT_NE(host.Hovered(), inner);
    EXPECT_EQ(inner->m_Highlight.m_Target, 1.0f);  // still focused
    form->SetFocus(nullptr);
    host.Frame();
    EXPECT_EQ(inner->m_Highlight.m_Target, 0.0f);
    EXPECT_EQ(inner->m_PressFade.m_Target, style.m_Panel.m_NormalValue);
}

TEST_F(Panels, HeadersAreClippedByTheirContainer) {
    inner->m_Open = true;
    Add<TestControl>(inner, 40.f, 400.f);
    Frames();
    form->m_Scroll.y1 += 30, form->m_Scroll.y0 += 30;  // scrolled down: the header leaves the view
    Frames();
    EXPECT_TRUE(inner->m_HeaderRect.IsEmpty());
    CursorPosition = {200, 380};
    EXPECT_FALSE(inner->OnHeader());
    EXPECT_FALSE(inner->OnKeyDown(kKeyLeftButton));
}

// --- labels --------------------------------------------------------------------------

TEST_F(FormFixture, LabelsShowTheBoundValue) {
    cEnum* colours = RegisterEnum("FormTestColours");
    for (const char* name : {"Red", "Green", "Blue"})
        colours->m_Labels.Add(name);
    int32_t value = 1;
    cStr text("bound");
    struct Case {
        const cStr* text;
        const int32_t* value;
        const cEnum* names;
        int32_t set;
        const char* shown;
    };
    const Case cases[] = {
        {nullptr, &value, colours, 1, "Green"}, {nullptr, &value, colours, 2, "Blue"},
        {nullptr, &value, colours, 7, ""},      {nullptr, &value, nullptr, -12, "-12"},
        {&text, &value, colours, 0, "bound"},   {nullptr, nullptr, colours, 0, ""},
        {nullptr, nullptr, nullptr, 0, ""},
    };
    for (const Case& c : cases) {
        value = c.set;
        cLabel label(form, c.text, c.value, c.names, "", 0, 0);
        EXPECT_STREQ(label.ValueText().GetText(), c.shown) << c.set;
    }
}

TEST_F(FormFixture, ALabelMeasuresItsCaptionInItsFont) {
    cFont font;
    for (uint16_t code = 'a'; code <= 'z'; ++code) {
        cFontGlyph g;
        g.m_Code = code;
        g.m_AdvanceX = 6;
        font.m_Glyphs.PushBack(g);
    }
    style.m_Label.m_Font = AddFont(font);
    style.m_Label.m_Height = 16;
    style.m_Label.m_InnerMargin = 3;
    style.m_Label.m_MinWidth = 40;
    style.m_Label.m_TextMargin = 2;
    int32_t value = 5;
    cLabel* label = Add<cLabel>(form, static_cast<const cStr*>(nullptr), &value, static_cast<const cEnum*>(nullptr),
                                "abc", 100.f, -10.f);
    style.Clear();
    host.Frame();
    EXPECT_EQ(label->GetRect(), R(78, -26, 146, -10));  // a caption 18 + 4 wide left of the box
    EXPECT_EQ(label->m_ValueRect, R(204, 350, 250, 366));
    EXPECT_EQ(label->m_CaptionRect, R(182, 350, 204, 366));
    const test::DrawnItem* drawn = nullptr;
    for (const test::DrawnItem& d : style.Items())
        if (d.item.m_Kind == kItemLabel)
            drawn = &d;
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->item.m_Rect, label->m_ValueRect);
    EXPECT_EQ(drawn->item.m_CaptionRect, label->m_CaptionRect);
    EXPECT_STREQ(drawn->item.m_Text.GetText(), "abc");
    EXPECT_STREQ(drawn->item.m_Text2.GetText(), "5");
    EXPECT_EQ(drawn->item.m_Clip, form->m_ChildClip);
    value = 6;  // read again every frame
    style.Clear();
    host.Frame();
    bool shown = false;
    for (const test::DrawnItem& d : style.Items())
        shown = shown || (d.item.m_Kind == kItemLabel && d.item.m_Text2 == "6");
    EXPECT_TRUE(shown);
}

// --- tool bars -----------------------------------------------------------------------

// A bar 292 wide at {104, 358, 396, 374} with children 100, 100 and 132 wide.
class ToolBar : public FormFixture {
protected:
    ToolBar() {
        bar = new cToolBar(form);
        form->m_Extra = bar;
        AddWidget(bar, kFormLayer);
        for (float width : {100.f, 100.f, 132.f})
            items.push_back(Add<TestControl>(static_cast<cWnd*>(bar), width, 10.f));
        host.Frame();
    }
    void MiddleDrag(float fromX, float toX) {
        host.MoveCursor(fromX, 366);
        host.Press(kKeyMiddleButton);
        host.MoveCursor(toX, 366);
        host.Frame();
    }
    cToolBar* bar;
    std::vector<TestControl*> items;
};

TEST_F(ToolBar, SitsAboveTheClientAndArrangesItsChildrenSideBySide) {
    EXPECT_EQ(bar->m_Rect, R(104, 358, 396, 374));
    EXPECT_EQ(form->m_Client, R(104, 104, 396, 356));
    EXPECT_TRUE(bar->GetRect().IsEmpty());
    const float xs[] = {0, 100, 200};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i]->m_LayoutX, xs[i]);
        EXPECT_EQ(items[i]->m_LayoutY, -8);
        EXPECT_EQ(items[i]->m_Align, kAnchorLeft + kAnchorMiddle);
    }
    EXPECT_EQ(bar->m_MinOffset, -40);
    bar->m_VisibleFlag = false;
    host.Frame();
    EXPECT_EQ(form->m_Client, R(104, 104, 396, 376));
    bar->m_VisibleFlag = true;
    form->ToggleCollapse();
    host.Frame();
    EXPECT_TRUE(bar->m_Rect.IsEmpty());
}

TEST_F(ToolBar, AnOverflowingBarScrollsWithinItsBounds) {
    struct Step {
        float toX;
        float offset;
    };
    MiddleDrag(200, 200);
    EXPECT_TRUE(HoldsCapture(bar));
    EXPECT_EQ(host.CursorShape(), kCursorPan);
    const Step steps[] = {{180, -20}, {100, -40}, {350, 0}, {170, -30}};
    for (const Step& s : steps) {
        host.MoveCursor(s.toX, 366);
        host.Frame();
        EXPECT_EQ(bar->m_Offset, s.offset) << s.toX;
    }
    EXPECT_EQ(items[1]->m_LayoutX, 70);
    host.Release(kKeyMiddleButton);
    host.Frame();
    EXPECT_EQ(CapturedWidget, -1);
    EXPECT_EQ(bar->m_Offset, -30);
    // Children that fit leave the middle button alone.
    bar->m_Offset = 0;
    items[2]->m_Width = 50;
    host.Frame();
    EXPECT_EQ(bar->m_MinOffset, 0);
    EXPECT_FALSE(bar->OnKeyDown(kKeyMiddleButton));
    EXPECT_EQ(CapturedWidget, -1);
}

TEST_F(ToolBar, ShrinkingChildrenPullTheOffsetBackTowardsZero) {
    MiddleDrag(200, 100);
    host.Release(kKeyMiddleButton);
    host.Frame();
    ASSERT_EQ(bar->m_Offset, -40);
    items[2]->m_Width = 102;  // now 10 past the end
    host.Frame();
    EXPECT_EQ(bar->m_Offset, -10);
    EXPECT_EQ(bar->m_MinOffset, -10);
    items[2]->m_Width = 20;
    host.Frame();
    EXPECT_EQ(bar->m_Offset, 0);
}

TEST_F(ToolBar, ItsControlsComeFirstInTheFocusAndScrollIntoView) {
    TestControl* below = Add<TestControl>(form, 40.f, 20.f);
    host.Frame();
    form->FocusNext(true);
    EXPECT_EQ(form->m_Focused, items[0]);
    form->FocusNext(true);
    form->FocusNext(true);
    EXPECT_EQ(form->m_Focused, items[2]);
    // 304..436 shown 2 inside the bar's right edge would need -42: held at -40.
    EXPECT_EQ(bar->m_Offset, -40);
    form->FocusNext(true);
    EXPECT_EQ(form->m_Focused, below);
}

}  // namespace
}  // namespace tovan

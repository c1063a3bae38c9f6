// cComboBox and its drop-down list inside a form, through the test host's
// frames: stepping, opening, choosing, closing and where the list goes.
#include "ui/combo_box.h"

#include <gtest/gtest.h>

#include "tests/ui/form_test_support.h"
#include "ui/combo_drop_down.h"
#include "ui/input.h"
#include "ui/widget_style.h"

namespace tovan {
namespace {

using test::FormFixture;

cList<cStr> Items(int count) {
    static const char* const kNames[] = {"a", "b", "c", "d", "e", "f", "g", "h"};
    cList<cStr> items;
    for (int i = 0; i < count; ++i)
        items.PushBack(kNames[i]);
    return items;
}

// The box {114, 350, 182, 366} in the form's client; its list of three
// {114, 316, 182, 350} with the rows {116, 338, 180, 348}, {..., 328, ..., 338}
// and {..., 318, ..., 328}.
class Combos : public FormFixture {
protected:
    Combos() {
        WidgetStyle::Combo& c = style.m_Combo;
        c.m_Paddings[0] = c.m_Paddings[1] = 4;
        c.m_Height = 16;
        c.m_MinWidth = 60;
        c.m_ListPadding = 2;
        c.m_ListItemHeight = 10;
        c.m_MaxVisibleItems = 5;
        c.m_MinVisibleItems = 2;
        style.m_HoverGrow = 2;
        style.m_SteppingGrow = 1;
        style.m_GrowRate = 100;
        style.m_ScrollBarWidth = 8;
        combo = Add<cComboBox>(form, &index, "", Items(3), 10.0f, -10.0f, true);
        host.Frame();
    }
    cComboBoxDropDown* List() { return combo->OpenList(); }
    void Key(KeyCode code) {
        host.Press(code);
        host.Frame();
        host.Release(code);
        host.Frame();
    }
    void Step(KeyCode code) {  // as a held key types: a character, then the release
        host.Type(-1, code);
        host.Frame();
        host.Release(code);
        host.Frame();
    }
    void PressAt(float x, float y) {
        host.MoveCursor(x, y);
        host.Press(kKeyLeftButton);
        host.Frame();
    }
    void ReleaseAt(float x, float y) {
        host.MoveCursor(x, y);
        host.Release(kKeyLeftButton);
        host.Frame();
    }
    void ExpectOneNote(int32_t from, int32_t to) {
        ASSERT_EQ(form->m_Notes.size(), 1u);
        EXPECT_EQ(form->m_Notes[0].source, FindWidgetHandle(combo));
        EXPECT_EQ(form->m_Notes[0].code, kNotifyComboBox);
        EXPECT_EQ(form->m_Notes[0].oldInt, from);
        EXPECT_EQ(form->m_Notes[0].newInt, to);
    }

    int32_t index = 0;
    cComboBox* combo;
};

TEST_F(Combos, SidewaysKeysStepWithinTheItems) {
    struct Case {
        int count;
        int32_t start;
        KeyCode code;
        bool focused;
        int32_t expected;  // no notification when it equals start
    };
    const Case cases[] = {
        {3, 0, kKeyLeft, true, 0},
        {3, 0, kKeyRight, true, 1},
        {3, 2, kKeyRight, true, 2},
        {3, 2, kKeyLeftThumbLeft, true, 1},
        {3, 1, kKeyRightThumbRight, true, 2},
        {3, 0, kKeyRight, false, 0},
        {3, 7, kKeyLeft, true, 2},
        {3, -1, kKeyRight, true, 0},  // from no item onto the items
        {0, 0, kKeyRight, true, -1},
        {0, -1, kKeyLeft, true, -1},
        {0, -1, kKeyRight, true, -1},
        {3, 0, kKeyUp, true, 0},
    };
    for (const Case& c : cases) {
        combo->SetItems(Items(c.count));
        index = c.start;
        form->SetFocus(c.focused ? combo : nullptr);
        form->m_Notes.clear();
        Step(c.code);
        EXPECT_EQ(index, c.expected) << c.count << " " << c.start << " " << c.code;
        if (c.expected == c.start) {
            EXPECT_TRUE(form->m_Notes.empty()) << c.start << " " << c.code;
        } else {
            ExpectOneNote(c.start, c.expected);
        }
        EXPECT_EQ(CapturedWidget, -1);  // the release ends the stepping
        EXPECT_STREQ(combo->SelectedText().GetText(),
                     c.expected >= 0 && c.expected < c.count ? Items(c.count)[c.expected].GetText() : "");
    }
}

TEST_F(Combos, KeysOpenAtTheBoundItemAndChooseOrCancel) {
    struct Case {
        int32_t start;
        KeyCode opener;
        KeyCode move;  // typed into the open list; -1 none
        KeyCode finish;
        int32_t current, expected;  // the list's first current item; the index after
    };
    const Case cases[] = {
        {1, kKeyEnter, kKeyDown, kKeyEsc, 1, 1},  {1, kKeySpace, kKeyDown, kKeyTab, 1, 2},
        {1, kKeyPadA, kKeyUp, kKeyEnter, 1, 0},   {2, kKeyEnter, kKeyDown, kKeySpace, 2, 2},
        {0, kKeyEnter, kKeyDown, kKeyPadB, 0, 0}, {5, kKeyEnter, -1, kKeyEnter, -1, 5},  // out of range: none
        {5, kKeyEnter, kKeyDown, kKeyTab, -1, 0}, {-1, kKeyEnter, kKeyUp, kKeyTab, -1, 0},
    };
    for (const Case& c : cases) {
        index = c.start;
        form->SetFocus(combo);
        form->m_Notes.clear();
        host.Press(c.opener);
        host.Frame();
        cComboBoxDropDown* list = List();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(WidgetLayer(combo->m_DropDown), kOverlayLayer);
        EXPECT_EQ(list->m_Current, c.current);
        EXPECT_TRUE(combo->m_ClickMode);  // a key opens in click mode: the box holds the key
        EXPECT_EQ(GetWidget(CapturedWidget), combo);
        host.Release(c.opener);
        host.Frame();
        EXPECT_TRUE(combo->m_ListOpen);
        EXPECT_EQ(CapturedWidget, -1);
        if (c.move != -1)
            Step(c.move);
        Key(c.finish);
        EXPECT_EQ(index, c.expected) << c.start << " " << c.finish;
        if (c.expected == c.start) {
            EXPECT_TRUE(form->m_Notes.empty());
        } else {
            ExpectOneNote(c.start, c.expected);
        }
        EXPECT_FALSE(list->m_VisibleFlag);
        EXPECT_FALSE(combo->m_ListOpen);
        EXPECT_EQ(CapturedWidget, -1);
        host.Advance(1);  // faded out
        EXPECT_TRUE(list->IsClosed());
        RemoveWidget(combo->m_DropDown, true);  // as the host does with closed widgets
    }
}

TEST_F(Combos, PressDragReleasePicksInOneGestureAndOffTheItemsOnlyTheSecondTimeCloses) {
    PressAt(148, 358);
    cComboBoxDropDown* list = List();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(combo->m_ClickMode);
    EXPECT_EQ(GetWidget(CapturedWidget), list);
    EXPECT_EQ(list->m_Rect, (cRect{114, 316, 182, 350}));
    EXPECT_EQ(list->m_ItemRects[2], (cRect{116, 318, 180, 328}));
    ReleaseAt(150, 323);
    ExpectOneNote(0, 2);
    EXPECT_FALSE(list->m_VisibleFlag);
    EXPECT_EQ(CapturedWidget, -1);

    // Released back on the box: the list stays for a click; a second release
    // off the items closes it without choosing.
    form->m_Notes.clear();
    PressAt(148, 358);
    list = List();
    ReleaseAt(148, 358);
    EXPECT_TRUE(list->m_VisibleFlag);
    EXPECT_TRUE(list->m_ReleasedOnce);
    EXPECT_EQ(CapturedWidget, -1);
    PressAt(300, 200);  // a press elsewhere closes it
    EXPECT_FALSE(list->m_VisibleFlag);
    host.Release(kKeyLeftButton);
    host.Frame();
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(form->m_Notes.empty());
}

// Opened with a click, the list takes a press on an item first, whatever the
// modal flag; a press on the box closes it without opening it again.
TEST_F(Combos, AClickOnAnItemChoosesItAndOneOnTheBoxOnlyCloses) {
    struct Case {
        uint8_t modal, clickToOpen;
        float pressY, releaseY;
        int32_t expected;
    };
    const Case cases[] = {{0, 0, 343, 343, 0}, {1, 0, 333, 333, 1}, {0, 1, 323, 323, 2},
                          {1, 1, 343, 343, 0}, {0, 1, 323, 200, 1},  // dragged off the items: nothing chosen
                          {0, 1, 358, 358, 1}, {1, 1, 358, 358, 1}, {1, 0, 358, 358, 1}};
    for (const Case& c : cases) {
        style.m_Combo.m_ModalList = c.modal;
        style.m_Combo.m_ClickToOpen = c.clickToOpen;
        index = 1;
        PressAt(148, 358);
        ReleaseAt(148, 358);
        cComboBoxDropDown* list = List();
        ASSERT_TRUE(list && list->m_VisibleFlag);
        PressAt(150, c.pressY);
        ReleaseAt(150, c.releaseY);
        EXPECT_EQ(index, c.expected) << int(c.modal) << int(c.clickToOpen) << " " << c.pressY << " " << c.releaseY;
        EXPECT_FALSE(list->m_VisibleFlag);
        EXPECT_EQ(List(), list);  // no second list
        EXPECT_FALSE(combo->m_ListOpen);
        EXPECT_EQ(CapturedWidget, -1);
        host.Advance(1);
        RemoveWidget(combo->m_DropDown, true);
    }
}

TEST_F(Combos, ListsGoBelowOrAboveAndShrinkToFit) {
    struct Case {
        cRect viewport, box;
        int count;
        float itemHeight;
        cRect rect;
        int visible;
        bool scrolls;
    };
    const cRect screen{0, 0, 800, 600};
    const Case cases[] = {
        {screen, {100, 300, 168, 316}, 8, 10, {100, 246, 168, 300}, 5, true},       // below
        {screen, {100, 30, 168, 46}, 8, 10, {100, 46, 168, 100}, 5, true},          // more room above
        {{0, 0, 800, 60}, {100, 20, 168, 36}, 8, 10, {100, 36, 168, 60}, 2, true},  // shrunk to fit above
        {{0, 0, 800, 40}, {100, 10, 168, 26}, 8, 10, {100, 26, 168, 50}, 2, true},  // never below the minimum
        {screen, {760, 300, 828, 316}, 2, 10, {732, 276, 800, 300}, 2, false},      // pulled inside
        {screen, {-20, 300, 48, 316}, 0, 10, {0, 286, 68, 300}, 0, false},          // no items: one empty row
        {screen, {100, 300, 168, 316}, 8, 0, {100, 296, 168, 300}, 5, true},        // rows without height
    };
    for (const Case& c : cases) {
        view.m_Viewport = c.viewport;
        style.m_Combo.m_ListItemHeight = c.itemHeight;
        combo->SetItems(Items(c.count));
        combo->m_BoxRects.m_Drawn = c.box;
        cComboBoxDropDown list(combo);
        list.Place();
        EXPECT_EQ(list.m_Rect, c.rect) << c.box.x0 << "," << c.box.y0 << " " << c.count;
        EXPECT_EQ(list.m_VisibleCount, c.visible);
        EXPECT_EQ(list.m_VScroll, c.scrolls);
        const float bar = c.scrolls ? style.m_ScrollBarWidth : 0;
        EXPECT_FLOAT_EQ(list.m_ItemWidth, c.rect.Width() - 4 - bar);
        list.Update();  // lays out and draws the rows without dividing by the row height
        EXPECT_EQ(list.m_ItemRects.Count(), c.count);
        if (c.itemHeight > 0 && c.count > 0) {
            EXPECT_EQ(list.m_ItemRects[0].y1, c.rect.y1 - 2);
        }
    }
}

TEST_F(Combos, KeyMovesKeepTheCurrentItemVisible) {
    combo->SetItems(Items(8));
    index = 0;
    form->SetFocus(combo);
    Key(kKeyEnter);
    cComboBoxDropDown* list = List();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->m_VisibleCount, 5);
    const int expectedFirst[] = {0, 0, 0, 0, 1, 2, 3, 3};  // after 1 to 7 steps down, then one more
    for (int i = 1; i <= 8; ++i) {
        Step(kKeyDown);
        EXPECT_EQ(list->m_Current, i < 8 ? i : 7);
        EXPECT_EQ(list->m_First, expectedFirst[i - 1 < 7 ? i - 1 : 7]) << i;
        EXPECT_LE(list->m_Current, list->m_Last);
    }
    Key(kKeyTab);
    EXPECT_EQ(index, 7);
}

TEST_F(Combos, AListOutlivingItsBoxClosesWithoutChoosing) {
    form->SetFocus(combo);
    Key(kKeyEnter);
    cComboBoxDropDown* list = List();
    ASSERT_NE(list, nullptr);
    RemoveWidget(FindWidgetHandle(combo), true);
    EXPECT_EQ(list->m_ComboOwner, nullptr);
    Step(kKeyDown);
    Key(kKeyTab);
    EXPECT_FALSE(list->m_VisibleFlag);
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(form->m_Notes.empty());
}

}  // namespace
}  // namespace tovan

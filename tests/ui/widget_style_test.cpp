// The widget style double keeps deep copies of what widgets hand it.
#include <gtest/gtest.h>

#include "tests/support/ui/recording_style.h"
#include "ui/widget_style.h"

namespace tovan {
namespace {

TEST(RecordingStyle, KeepsDeepCopiesOfReleasedItems) {
    WidgetStyle* before = CurrentWidgetStyle;
    {
        test::RecordingStyle style;
        EXPECT_EQ(CurrentWidgetStyle, &style);
        {
            cList<cStr> texts;
            texts.PushBack("one");
            texts.PushBack("two");
            cList<cRect> rects;
            rects.PushBack(cRect{0, 0, 10, 10});
            WidgetDrawItem item;
            item.m_Kind = 37;
            item.m_Text = "chosen";
            item.m_ItemTexts = &texts;
            item.m_ItemRects = &rects;
            item.m_Transform.SetScaling(2);
            item.m_Color = {1, 0.5f, 0, 1};
            CurrentWidgetStyle->DrawItem(&item);
            item.m_Kind = 32;
            item.m_ItemTexts = nullptr;
            item.m_ItemRects = nullptr;
            CurrentWidgetStyle->DrawItem(&item);
            texts[0] = "changed";  // the widget reuses its lists and record
            item.m_Text = "other";
        }
        ASSERT_EQ(style.Items().size(), 2u);
        const WidgetDrawItem& list = style.Items()[0].item;
        EXPECT_EQ(list.m_Kind, 37);
        EXPECT_EQ(list.m_Text, "chosen");
        ASSERT_NE(list.m_ItemTexts, nullptr);
        EXPECT_EQ((*list.m_ItemTexts)[0], "one");
        EXPECT_EQ(list.m_ItemTexts->Count(), 2);
        EXPECT_EQ((*list.m_ItemRects)[0].x1, 10.0f);
        EXPECT_EQ(list.m_Transform.m[1][1], 2.0f);
        EXPECT_EQ(list.m_Color.g, 0.5f);
        EXPECT_EQ(style.Items()[1].item.m_ItemTexts, nullptr);
        EXPECT_EQ(style.Items()[1].item.m_Text, "chosen");
    }
    EXPECT_EQ(CurrentWidgetStyle, before);
}

}  // namespace
}  // namespace tovan

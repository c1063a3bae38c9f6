#include "tests/support/ui/recording_style.h"

namespace tovan::test {

RecordingStyle::RecordingStyle() : m_Previous(CurrentWidgetStyle) { CurrentWidgetStyle = this; }

RecordingStyle::~RecordingStyle() { CurrentWidgetStyle = m_Previous; }

void RecordingStyle::DrawItem(WidgetDrawItem* item) {
    m_Items.emplace_back();
    DrawnItem& drawn = m_Items.back();
    if (!item)
        return;
    drawn.item = *item;
    if (item->m_ItemTexts) {
        drawn.itemTexts = *item->m_ItemTexts;
        drawn.item.m_ItemTexts = &drawn.itemTexts;
    }
    if (item->m_ItemRects) {
        drawn.itemRects = *item->m_ItemRects;
        drawn.item.m_ItemRects = &drawn.itemRects;
    }
}

}  // namespace tovan::test

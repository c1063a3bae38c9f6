// A widget style for tests: DrawItem keeps a deep copy of every item it is
// handed (texts, transform, and the item lists behind its pointers), in order,
// so a test reads what a widget drew after the widget released its record.
// While it lives it is the CurrentWidgetStyle.
#pragma once
#include <deque>

#include "ui/widget_style.h"

namespace tovan::test {

struct DrawnItem {
    WidgetDrawItem item;  // its list pointers point at the copies below, or are null
    cList<cStr> itemTexts;
    cList<cRect> itemRects;
};

class RecordingStyle : public WidgetStyle {
public:
    RecordingStyle();
    ~RecordingStyle() override;
    RecordingStyle(const RecordingStyle&) = delete;
    RecordingStyle& operator=(const RecordingStyle&) = delete;

    void DrawItem(WidgetDrawItem* item) override;

    const std::deque<DrawnItem>& Items() const { return m_Items; }
    void Clear() { m_Items.clear(); }

private:
    WidgetStyle* m_Previous;
    std::deque<DrawnItem> m_Items;  // a deque: the copies never move
};

}  // namespace tovan::test

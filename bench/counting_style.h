// A widget style for the frame benchmarks that counts the items and keeps
// nothing: the toolkit's own share of a frame without the recording style's
// copies. While it lives it is the CurrentWidgetStyle.
#pragma once
#include <benchmark/benchmark.h>

#include <cstddef>

#include "tests/support/ui/recording_style.h"
#include "ui/widget_style.h"

namespace tovan::bench {

class CountingStyle : public WidgetStyle {
public:
    CountingStyle() : m_Previous(CurrentWidgetStyle) { CurrentWidgetStyle = this; }
    ~CountingStyle() override { CurrentWidgetStyle = m_Previous; }
    CountingStyle(const CountingStyle&) = delete;
    CountingStyle& operator=(const CountingStyle&) = delete;
    void DrawItem(WidgetDrawItem* item) override {
        benchmark::DoNotOptimize(item);
        ++m_Count;
    }
    size_t Count() const { return m_Count; }
    void Clear() { m_Count = 0; }

private:
    WidgetStyle* m_Previous;
    size_t m_Count = 0;
};

inline size_t ItemCount(const test::RecordingStyle& style) { return style.Items().size(); }
inline size_t ItemCount(const CountingStyle& style) { return style.Count(); }

}  // namespace tovan::bench

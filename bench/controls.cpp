// One frame of the test host over a form holding 1,000 or 10,000 controls, a
// quarter each of buttons, check boxes, int sliders and float edits (event
// offer, hover pass, Update with the draw items to the recording style), with
// the cursor sweeping over them; per_control is the frame's time per control.
// The counted runs keep no copies of the items, so they time the toolkit
// alone; their 4,000 shows the cost before the state that every frame reads
// of every control outgrows the cache.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/counting_style.h"
#include "tests/support/fixed_view.h"
#include "tests/support/ui/frame_host.h"
#include "tests/support/ui/recording_style.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/slider.h"

namespace {

using namespace tovan;

constexpr int kColumns = 8;

void SetMetrics(WidgetStyle& style) {
    style.m_HoverFadeRate = 4, style.m_VisibleFadeRate = 2, style.m_EnabledFadeRate = 2, style.m_ActiveFadeRate = 2;
    style.m_RestGrow = 0, style.m_HoverGrow = 2, style.m_GrowRate = 20;
    style.m_ScrollBarThickness = 12, style.m_ArrowLength = 12, style.m_MinThumbLength = 16;
    style.m_Form.m_TitleHeight = 20;
    style.m_Form.m_ClientInsets[0] = 4, style.m_Form.m_ClientInsets[1] = 24;
    style.m_Form.m_ClientInsets[2] = 4, style.m_Form.m_ClientInsets[3] = 4;
    style.m_Button.m_Padding = 4, style.m_Button.m_MinTextWidth = 40, style.m_Button.m_Height = 16;
    style.m_CheckBox.m_Padding = 4, style.m_CheckBox.m_Height = 14, style.m_CheckBox.m_MinTextWidth = 30;
    style.m_Edit.m_Margin = 2, style.m_Edit.m_Height = 16, style.m_Edit.m_NumberWidth = 50;
    style.m_Slider.m_Width = 200, style.m_Slider.m_Height = 16;
    style.m_Slider.m_LeftLabelWidth = 30, style.m_Slider.m_RightLabelWidth = 30;
    style.m_Slider.m_IntStepDivisor = 10, style.m_Slider.m_FloatStepDivisor = 10;
}

struct Values {
    explicit Values(int controls) : flags(new bool[controls / 4]()), ints(controls / 4), floats(controls / 4) {}
    std::unique_ptr<bool[]> flags;  // a vector<bool> has no bool to point at
    std::vector<int32_t> ints;
    std::vector<float> floats;
    int32_t lo = 0, hi = 100;
};

template <class Style>
void RunFrames(benchmark::State& state) {
    test::FixedView view = test::FixedView::Orthographic({0, 0, 1920, 1080}, {{0, 0, -10}}, 1);
    Style style;
    SetMetrics(style);
    const int controls = int(state.range(0));
    Values values(controls);
    {
        test::FrameHost host;
        cForm* form = new cForm;
        form->m_Rect = {0, 0, 1900, 1060};
        AddWidget(form, kFormLayer);
        for (int i = 0; i < controls; ++i) {
            const float x = float(i % kColumns) * 235, y = -float(i / kColumns) * 20;
            const int n = i / 4;
            cWnd* control;
            switch (i % 4) {
            case 0: control = new cButton(form, "Apply", x, y, true); break;
            case 1: control = new cCheckBox(form, &values.flags[n], "Shadows", x, y); break;
            case 2: control = new cSlider(form, &values.ints[n], &values.lo, &values.hi, "", x, y); break;
            default: control = new cEdit(form, &values.floats[n], "", x, y); break;
            }
            form->AddChild(control);
        }
        host.Frame();
        float x = 0;
        size_t items = 0;
        for (auto _ : state) {
            x = x > 1880 ? 0 : x + 7;
            host.MoveCursor(x, 600);
            host.Advance(1.0f / 60);
            items = bench::ItemCount(style);
            style.Clear();
        }
        state.counters["draw_items_per_frame"] = double(items);
        state.counters["controls"] = controls;
        state.counters["per_control"] =
            benchmark::Counter(controls, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    }
}

void BM_FrameOfControls(benchmark::State& state) { RunFrames<test::RecordingStyle>(state); }
void BM_FrameOfControlsCounted(benchmark::State& state) { RunFrames<bench::CountingStyle>(state); }

}  // namespace

BENCHMARK(BM_FrameOfControls)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameOfControlsCounted)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

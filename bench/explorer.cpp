// One rebuild of the Class Explorer's rows, driven through its own commands
// (Undo, Redo, Paste, Delete and a command button), over an object whose list
// holds 1,000 or 10,000 items, each one closed row. A rebuild takes every row
// widget down and builds the rows anew, so its cost should grow with the rows
// and no faster.
#include <benchmark/benchmark.h>

#include "bench/counting_style.h"
#include "bench/peer.h"
#include "classes/button_field.h"
#include "classes/class_list.h"
#include "classes/field_types.h"
#include "classes/member.h"
#include "tests/support/fixed_view.h"
#include "tests/support/ui/frame_host.h"
#include "tools/class_explorer.h"
#include "ui/control.h"
#include "ui/edit.h"
#include "ui/panel.h"

namespace {

using namespace tovan;

class cBenchRow : public cClass {
    TOVAN_CLASS(cBenchRow)
public:
    int32_t m_Value = 0;
    cStr m_Label;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Value, "Value");
        TOVAN_MEMBER(_cStr, m_Label, "Label");
    }
};

class cBenchDoc : public cClass {
    TOVAN_CLASS(cBenchDoc)
public:
    int32_t m_Count = 0;
    float m_Scale = 0;
    cStr m_Title;
    cClassList<cBenchRow> m_Items;
    int m_Touches = 0;

    void Touch() { ++m_Touches; }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Count, "Count");
        TOVAN_MEMBER(_cFloat, m_Scale, "Scale");
        TOVAN_MEMBER(_cStr, m_Title, "Title");
        TOVAN_MEMBER(cClassList<cBenchRow>, m_Items, "Items");
        TOVAN_BUTTON(Touch);
    }
};

void SetMetrics(WidgetStyle& style) {
    style.m_HoverFadeRate = 4, style.m_VisibleFadeRate = 2, style.m_EnabledFadeRate = 2, style.m_ActiveFadeRate = 2;
    style.m_RestGrow = 0, style.m_HoverGrow = 2, style.m_GrowRate = 20;
    style.m_ScrollBarThickness = 12, style.m_ArrowLength = 12, style.m_MinThumbLength = 16;
    style.m_Form.m_TitleHeight = 20, style.m_Form.m_ButtonSize = 12, style.m_Form.m_ButtonGap = 4;
    style.m_Form.m_ClientInsets[0] = 4, style.m_Form.m_ClientInsets[1] = 24;
    style.m_Form.m_ClientInsets[2] = 4, style.m_Form.m_ClientInsets[3] = 4;
    style.m_Form.m_DockingSize = 16, style.m_Form.m_FocusMargin = 2;
    style.m_ToolBar.m_Height = 16, style.m_ToolBar.m_Margin = 2;
    style.m_Panel.m_HeaderHeight = 18, style.m_Panel.m_ToggleSize = 10, style.m_Panel.m_ToggleInset = 2;
    style.m_Panel.m_BottomMargin = 3, style.m_Panel.m_Margin = 5, style.m_Panel.m_CaptionRatio = 0.25f;
    style.m_Panel.m_NestingIndent = 8;
    style.m_RowSpacing = 4, style.m_MinCaptionWidth = 60;
    style.m_Button.m_Padding = 4, style.m_Button.m_MinTextWidth = 40, style.m_Button.m_Height = 16;
    style.m_Button.m_ImageButtonWidth = 20, style.m_Button.m_ImageButtonHeight = 20;
    style.m_CheckBox.m_Padding = 4, style.m_CheckBox.m_Height = 14, style.m_CheckBox.m_MinTextWidth = 30;
    style.m_Edit.m_Margin = 2, style.m_Edit.m_Height = 16, style.m_Edit.m_NumberWidth = 50;
    style.m_Edit.m_TextWidth = 100;
}

enum class Command { kUndo, kRedo, kPaste, kDelete, kButton };

// The explorer open on a document of `items` list items, the list open.
class ExplorerBench {
public:
    explicit ExplorerBench(int items) : m_View(test::FixedView::Orthographic({0, 0, 1280, 720}, {{0, 0, -10}}, 1)) {
        static const bool registered = [] {
            cBenchRow().Register();
            cBenchDoc().Register();
            return true;
        }();
        (void)registered;
        SetMetrics(m_Style);
        GetExplorerLayout(kExplorerToolBarLayout) = ExplorerLayout();
        GetExplorerHistory() = ExplorerHistory();
        m_Doc.Init(&m_Doc);
        for (int i = 0; i < items; ++i)
            m_Doc.m_Items.AddNewItem(cBenchRow::StaticClassName(), &m_Doc.m_Items);
        m_Doc.m_Items.SetViewFlags(1);
        RegisterExplorerObject("Doc", &m_Doc);
        m_Explorer = new cClassExplorer::Stub;
        AddWidget(m_Explorer, kFormLayer);
        m_Explorer->Activate();
        m_Host.Frame();
    }
    ~ExplorerBench() {
        RemoveWidgetNow(FindWidgetHandle(m_Explorer), true);
        UnregisterExplorerObject(&m_Doc);
        GetExplorerHistory() = ExplorerHistory();
        GetExplorerLayout(kExplorerToolBarLayout) = ExplorerLayout();
        GetExplorerClipboard().Clear();
    }

    int Rows() const { return m_Explorer->m_Rows.Count(); }
    const ExplorerRow* Row(const char* name, int type) const {
        for (const ExplorerRow& row : m_Explorer->m_Rows)
            if (row.m_Widget && row.m_Widget->GetType() == type && row.m_Name == cStr(name))
                return &row;
        return nullptr;
    }
    void Press(WidgetHandle tool) { m_Explorer->OnNotify(tool, kNotifyButton, nullptr, nullptr); }
    // An edit of Count committed through its row: one undo entry, no rebuild.
    void EditCount() {
        const int32_t old = m_Doc.m_Count;
        ++m_Doc.m_Count;
        m_Explorer->OnNotify(Row("Count", kEditType)->m_Handle, kNotifyEditInt, &old, &m_Doc.m_Count);
    }
    void FocusCount() { m_Explorer->SetFocus(Row("Count", kEditType)->m_Widget); }
    // The first list item's row, as a click on it leaves the selection.
    void FocusFirstItem() {
        cBenchRow* first = m_Doc.m_Items.At(0);
        for (const ExplorerRow& row : m_Explorer->m_Rows)
            if (row.m_Class == first && row.m_Widget->GetType() == kPanelType)
                return m_Explorer->SetFocus(row.m_Widget);
    }

    // What must hold before the timed command; not timed.
    void Prepare(Command command) {
        switch (command) {
        case Command::kUndo: EditCount(); break;
        case Command::kRedo:
            EditCount();
            Press(m_Explorer->m_Undo);
            break;
        case Command::kPaste: break;
        case Command::kDelete:
            m_Doc.m_Items.AddNewItem(cBenchRow::StaticClassName(), &m_Doc.m_Items);  // shown by the next rebuild
            FocusFirstItem();
            break;
        case Command::kButton: break;
        }
    }
    void Run(Command command) {
        switch (command) {
        case Command::kUndo: Press(m_Explorer->m_Undo); break;
        case Command::kRedo: Press(m_Explorer->m_Redo); break;
        case Command::kPaste: Press(m_Explorer->m_Paste); break;
        case Command::kDelete: Press(m_Explorer->m_Delete); break;
        case Command::kButton:
            // The press asks for the rebuild, which the explorer's next update makes.
            m_Explorer->OnNotify(Row("&cBenchDoc::Touch", kButtonType)->m_Handle, kNotifyButton, nullptr, nullptr);
            m_Explorer->Update();
            break;
        }
    }
    void SetUpPaste() {
        FocusCount();
        Press(m_Explorer->m_Copy);
    }

private:
    test::FixedView m_View;
    bench::CountingStyle m_Style;
    test::FrameHost m_Host;
    cBenchDoc m_Doc;
    cClassExplorer::Stub* m_Explorer = nullptr;
};

// Rounds alternate the two sizes, each round on a freshly opened explorer, so
// that a slow phase of the machine hits both alike; the medians give the ratio.
void BM_ExplorerRebuild(benchmark::State& state, Command command) {
    constexpr int kRounds = 7, kRunsPerRound = 5, kSizes[2] = {1000, 10000};
    std::vector<double> seconds[2];
    int rows[2] = {};
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round)
            for (int size = 0; size < 2; ++size) {
                ExplorerBench bench(kSizes[size]);
                if (command == Command::kPaste)
                    bench.SetUpPaste();
                auto rebuild = [&] { bench.Run(command); };
                for (int run = 0; run < kRunsPerRound; ++run) {
                    bench.Prepare(command);
                    seconds[size].push_back(bench::TimeOnce(rebuild));
                }
                rows[size] = bench.Rows();
            }
        state.SetIterationTime(bench::Median(seconds[1]));
    }
    const double small = bench::Median(seconds[0]), large = bench::Median(seconds[1]);
    state.counters["ms_1000"] = small * 1e3;
    state.counters["ms_10000"] = large * 1e3;
    state.counters["rows"] = rows[1];
    state.counters["ratio"] = small > 0 ? large / small : 0;
}

}  // namespace

// The time is the median rebuild over 10,000 items; "ratio" is it over the
// median at 1,000 items (the rows grow 9.94 times).
BENCHMARK_CAPTURE(BM_ExplorerRebuild, Undo, Command::kUndo)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExplorerRebuild, Redo, Command::kRedo)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExplorerRebuild, Paste, Command::kPaste)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExplorerRebuild, Delete, Command::kDelete)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExplorerRebuild, Button, Command::kButton)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// The Class Explorer form through the test host's frames: its place, the
// objects viewed, row edits with undo and redo, the clipboard, list editing,
// the rows' per-frame states, and load and save through the XML picker.
#include <gtest/gtest.h>

#include <string>

#include "classes/button_field.h"
#include "classes/class_list.h"
#include "classes/member.h"
#include "io/file_pickers.h"
#include "tests/support/classes/sample_classes.h"
#include "tests/support/scratch.h"
#include "tests/ui/control_test_support.h"
#include "tools/class_explorer.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/edit_slider.h"
#include "ui/file_pn.h"
#include "ui/panel.h"
#include "ui/slider.h"

namespace tovan {
namespace {

using test::cSampleItem;

class cExplorerDoc : public cClass {
    TOVAN_CLASS(cExplorerDoc)
public:
    int32_t m_Count = 0;
    float m_Scale = 0;
    bool m_On = false;
    cStr m_Title;
    float m_Slide = 0;
    cVec3i m_Range;
    cVec3 m_Where;
    cStr m_File;
    int32_t m_Language = 0;
    cSampleItem m_Child;
    cClassList<cSampleItem> m_Items;
    // Not members: what the explorer did to the object.
    int m_Presses = 0, m_Hooks = 0;
    bool m_TitleLocked = false, m_ScaleDisabled = false;

    void Poke() { ++m_Presses; }
    void UpdateHook() override { ++m_Hooks; }
    bool IsMemberEnabled(const char* name) override { return !(m_ScaleDisabled && CompareStrings(name, "Scale") == 0); }
    bool IsMemberReadOnly(const char* name) override { return m_TitleLocked && CompareStrings(name, "Title") == 0; }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Count, "Count");
        TOVAN_MEMBER(_cFloat, m_Scale, "Scale");
        TOVAN_MEMBER(_cBool, m_On, "On");
        TOVAN_MEMBER(_cStr, m_Title, "Title");
        TOVAN_MEMBER(_cSliderF, m_Slide, "Slide", SliderRangeF(0, 10));
        TOVAN_MEMBER(_cSliderRangedI, m_Range, "Range");
        TOVAN_MEMBER(_cFloat3, m_Where, "Where");
        TOVAN_MEMBER(_cXmlFile, m_File, "File");
        TOVAN_MEMBER(_cIndex, m_Language, "Language", EnumExtra("cExplorerTestLanguage"));
        TOVAN_MEMBER(cSampleItem, m_Child, "Child");
        TOVAN_MEMBER(cClassList<cSampleItem>, m_Items, "Items");
        TOVAN_BUTTON(Poke);
    }
};

constexpr const char* kLanguages[] = {"English", "Russian", "German",   "Polish", "French",
                                      "Italian", "Spanish", "Japanese", "Chinese"};

// Keeps every notification reaching the explorer, then handles it.
class NotedExplorer : public cClassExplorer::Stub {
public:
    void OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue) override {
        m_Codes.push_back(code);
        Stub::OnNotify(source, code, oldValue, newValue);
    }
    std::vector<int> m_Codes;
};

std::string g_Pick;  // what the test's picker answers; empty cancels
bool AnswerPick(const PickRequest&, cStr& chosen) {
    if (g_Pick.empty())
        return false;
    chosen = g_Pick.c_str();
    return true;
}

class Explorer : public ::testing::Test {
protected:
    Explorer() : view(test::FixedView::Orthographic({0, 0, 1280, 720}, {{0, 0, -10}}, 1)) {
        cEnum* languages = reinterpret_cast<cEnum*>(EnumExtra("cExplorerTestLanguage"));
        if (languages->m_Labels.Count() == 0)
            for (const char* label : kLanguages)
                languages->m_Labels.Add(label);
        test::SetControlMetrics(style);
        GetExplorerLayout(kExplorerToolBarLayout) = ExplorerLayout();
        GetExplorerHistory() = ExplorerHistory();
        SetPickDialogHook(AnswerPick);
        for (cExplorerDoc& doc : docs)
            doc.Init(&doc);
        RegisterExplorerObject("First", &docs[0]);
        RegisterExplorerObject("Second", &docs[1]);
        RegisterExplorerObject("Third", &docs[2]);
    }
    ~Explorer() override {
        Close();
        for (cExplorerDoc& doc : docs)
            UnregisterExplorerObject(&doc);
        GetExplorerHistory() = ExplorerHistory();
        GetExplorerLayout(kExplorerToolBarLayout) = ExplorerLayout();
        GetExplorerClipboard().Clear();
        GetPickerMemory() = PickerMemory();
        SetPickDialogHook(nullptr);
        g_Pick.clear();
    }
    void Open() {
        explorer = new NotedExplorer;
        AddWidget(explorer, kFormLayer);
        explorer->Activate();  // in front of its layer, its rows in front of it
        host.Frame();
    }
    void Close() {
        if (explorer)
            RemoveWidgetNow(FindWidgetHandle(explorer), true);
        explorer = nullptr;
    }
    const ExplorerRow* Row(const char* name, int type) const {
        for (const ExplorerRow& row : explorer->m_Rows)
            if (row.m_Widget && row.m_Widget->GetType() == type && row.m_Name == cStr(name))
                return &row;
        return nullptr;
    }
    template <class T>
    T* Widget(const char* name, int type) const {
        const ExplorerRow* row = Row(name, type);
        return row ? static_cast<T*>(row->m_Widget) : nullptr;
    }
    bool Enabled(WidgetHandle tool) const { return static_cast<cWnd*>(GetWidget(tool))->m_EnabledFlag; }
    void Press(WidgetHandle tool) { explorer->OnNotify(tool, kNotifyButton, nullptr, nullptr); }
    void Focus(const char* name, int type) { explorer->SetFocus(Row(name, type)->m_Widget); }
    // An edit committed through a row, as the edit tells it.
    template <class T>
    void Commit(const char* name, T* value, T newValue) {
        const T old = *value;
        *value = newValue;
        explorer->OnNotify(Row(name, kEditType)->m_Handle, std::is_same_v<T, float> ? 7 : 6, &old, value);
    }
    void ClickAt(const cRect& r) {
        host.MoveCursor((r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2);
        host.Click(kKeyLeftButton);
        host.Frame();
    }

    cExplorerDoc docs[3];
    test::FixedView view;
    test::RecordingStyle style;
    test::FrameHost host;
    NotedExplorer* explorer = nullptr;
};

TEST_F(Explorer, OpensAgainstTheViewportThenWhereItWasLeft) {
    Open();
    EXPECT_EQ(explorer->m_Rect, test::R(736, 16, 1264, 704));
    EXPECT_STREQ(explorer->m_Title.GetText(), "First - Class Explorer");
    EXPECT_EQ(explorer->m_Current, 0);
    explorer->m_Rect = test::R(100, 100, 500, 600);
    explorer->ComputeDocking();  // as a drag leaves it
    Close();
    Open();
    EXPECT_EQ(explorer->m_Rect.Width(), 400);
    EXPECT_EQ(explorer->m_Rect.Height(), 500);
    EXPECT_EQ(GetExplorerHistory().m_Entries.Count(), 1);  // the history outlives the form
}

TEST_F(Explorer, WithoutObjectsOnlyTheToolBarShows) {
    for (cExplorerDoc& doc : docs)
        UnregisterExplorerObject(&doc);
    Open();
    EXPECT_TRUE(explorer->m_Rows.IsEmpty());
    EXPECT_TRUE(GetExplorerHistory().m_Entries.IsEmpty());
    EXPECT_FALSE(Enabled(explorer->m_Save));
}

TEST_F(Explorer, BackAndForwardFollowTheObjectsViewed) {
    Open();
    explorer->SelectObject(1);
    EXPECT_TRUE(Enabled(explorer->m_BackButton));
    EXPECT_FALSE(Enabled(explorer->m_ForwardButton));
    Press(explorer->m_BackButton);
    EXPECT_EQ(explorer->m_Current, 0);
    EXPECT_TRUE(Enabled(explorer->m_ForwardButton));
    Press(explorer->m_ForwardButton);
    EXPECT_EQ(explorer->m_Current, 1);
    Press(explorer->m_BackButton);
    explorer->SelectObject(2);  // the second object leaves the history
    EXPECT_FALSE(Enabled(explorer->m_ForwardButton));
    Press(explorer->m_BackButton);
    EXPECT_EQ(explorer->m_Current, 0);
    Press(explorer->m_ForwardButton);
    EXPECT_EQ(explorer->m_Current, 2);
    EXPECT_STREQ(explorer->m_Title.GetText(), "Third - Class Explorer");
}

TEST_F(Explorer, EachObjectKeepsItsFocusedRow) {
    Open();
    Focus("Title", kEditType);
    explorer->SelectObject(1);
    EXPECT_EQ(GetExplorerObject(0)->m_Selection.m_Address, &docs[0].m_Title);
    Focus("Scale", kEditType);
    Press(explorer->m_BackButton);
    EXPECT_EQ(explorer->m_Focused, Row("Title", kEditType)->m_Widget);
    EXPECT_EQ(explorer->m_Selection.m_Address, &docs[0].m_Title);
    Press(explorer->m_ForwardButton);
    EXPECT_EQ(explorer->m_Selection.m_Address, &docs[1].m_Scale);
}

TEST_F(Explorer, EditsUndoInReverseAndRedo) {
    Open();
    cExplorerDoc& doc = docs[0];
    EXPECT_FALSE(Enabled(explorer->m_Undo));
    Commit("Count", &doc.m_Count, 5);
    Commit("Scale", &doc.m_Scale, 2.5f);
    Commit("Count", &doc.m_Count, 8);
    EXPECT_TRUE(Enabled(explorer->m_Undo));
    EXPECT_FALSE(Enabled(explorer->m_Redo));
    const struct {
        WidgetHandle cClassExplorer::Stub::*tool;
        int count;
        float scale;
        bool undo, redo;
    } steps[] = {
        {&cClassExplorer::Stub::m_Undo, 5, 2.5f, true, true}, {&cClassExplorer::Stub::m_Undo, 5, 0, true, true},
        {&cClassExplorer::Stub::m_Undo, 0, 0, false, true},   {&cClassExplorer::Stub::m_Undo, 0, 0, false, true},
        {&cClassExplorer::Stub::m_Redo, 5, 0, true, true},    {&cClassExplorer::Stub::m_Redo, 5, 2.5f, true, true},
    };
    for (const auto& s : steps) {
        Press(explorer->*s.tool);
        EXPECT_EQ(doc.m_Count, s.count);
        EXPECT_EQ(doc.m_Scale, s.scale);
        EXPECT_EQ(Enabled(explorer->m_Undo), s.undo);
        EXPECT_EQ(Enabled(explorer->m_Redo), s.redo);
    }
    Commit("Count", &doc.m_Count, 1);  // drops the undone third edit
    EXPECT_FALSE(Enabled(explorer->m_Redo));
    Press(explorer->m_Undo);
    EXPECT_EQ(doc.m_Count, 5);
}

// A composite's controls share the member's row data; each entry names the
// value its control changed.
TEST_F(Explorer, UndoRecordsTheValueTheControlChanged) {
    Open();
    cExplorerDoc& doc = docs[0];
    cSliderRanged* ranged = Widget<cSliderRanged>("Range", kSliderRangedType);
    cEditVec* where = Widget<cEditVec>("Where", kEditVec2Type + 1);
    cFilePn* file = Widget<cFilePn>("File", kFilePnType);
    ASSERT_TRUE(ranged && where && file);
    ASSERT_NE(Row("Range", kEditType), nullptr);

    const int32_t oldMax = doc.m_Range.z;
    doc.m_Range.z = 40;
    explorer->OnNotify(FindWidgetHandle(ranged->MaxEdit()), kNotifyEditInt, &oldMax, &doc.m_Range.z);
    const float oldZ = doc.m_Where.z;
    doc.m_Where.z = 3;
    explorer->OnNotify(FindWidgetHandle(where->ComponentEdit(2)), kNotifyEditFloat, &oldZ, &doc.m_Where.z);
    doc.m_File = "b.xml";
    explorer->OnNotify(FindWidgetHandle(file), kNotifyFilePath, "", "b.xml");

    const ExplorerObject& record = *GetExplorerObject(0);
    ASSERT_EQ(record.m_Undo.Count(), 3);
    EXPECT_EQ(record.m_Undo[0].m_Int, &doc.m_Range.z);
    EXPECT_EQ(record.m_Undo[1].m_Float, &doc.m_Where.z);
    EXPECT_EQ(record.m_Undo[2].m_Text, &doc.m_File);
    for (int i = 0; i < 3; ++i)
        Press(explorer->m_Undo);
    EXPECT_TRUE(doc.m_File.IsEmpty());
    EXPECT_EQ(doc.m_Where.x, 0);
    EXPECT_EQ(doc.m_Where.z, 0);
    EXPECT_EQ(doc.m_Range.x, 0);
    EXPECT_EQ(doc.m_Range.z, 1);
}

TEST_F(Explorer, ACommandButtonClearsTheHistory) {
    Open();
    cExplorerDoc& doc = docs[0];
    Commit("Count", &doc.m_Count, 5);
    explorer->OnNotify(Row("&cExplorerDoc::Poke", kButtonType)->m_Handle, kNotifyButton, nullptr, nullptr);
    EXPECT_EQ(doc.m_Presses, 1);
    EXPECT_FALSE(GetExplorerObject(0)->CanUndo());
    EXPECT_FALSE(Enabled(explorer->m_Undo));
    EXPECT_TRUE(explorer->m_RebuildPending);  // the pressed button outlives its press
    host.Frame();
    EXPECT_NE(Row("&cExplorerDoc::Poke", kButtonType), nullptr);
}

TEST_F(Explorer, AFloatSliderCopyPastesOntoFloatsOnly) {
    Open();
    cExplorerDoc& doc = docs[0];
    doc.m_Slide = 6.5f;
    Focus("Slide", kSliderType);
    EXPECT_TRUE(Enabled(explorer->m_Copy));
    Press(explorer->m_Copy);
    EXPECT_STREQ(GetExplorerClipboard().Name().GetText(), "_cFloat");
    Focus("Count", kEditType);
    EXPECT_FALSE(explorer->CanPaste());
    EXPECT_FALSE(Enabled(explorer->m_Paste));
    Press(explorer->m_Paste);
    EXPECT_EQ(doc.m_Count, 0);
    Commit("Scale", &doc.m_Scale, 3.0f);
    Focus("Scale", kEditType);
    EXPECT_TRUE(Enabled(explorer->m_Paste));
    Press(explorer->m_Paste);
    EXPECT_EQ(doc.m_Scale, 6.5f);
    EXPECT_FALSE(GetExplorerObject(0)->CanUndo());  // a paste clears the history
}

TEST_F(Explorer, TheLanguageComboListsTheEnumInItsOrder) {
    Open();
    cComboBox* combo = Widget<cComboBox>("Language", kComboBoxType);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->m_Items.Count(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_STREQ(combo->m_Items[i].GetText(), kLanguages[i]);
    EXPECT_EQ(combo->m_Index, &docs[0].m_Language);
}

TEST_F(Explorer, RowsFollowTheOwnersEnabledAndReadOnlyAnswers) {
    Open();
    cExplorerDoc& doc = docs[0];
    const int hooks = doc.m_Hooks;
    doc.m_ScaleDisabled = doc.m_TitleLocked = true;
    host.Frame();
    EXPECT_GT(doc.m_Hooks, hooks);
    EXPECT_FALSE(Widget<cEdit>("Scale", kEditType)->m_EnabledFlag);
    EXPECT_TRUE(Widget<cEdit>("Title", kEditType)->m_ReadOnly);
    EXPECT_FALSE(Widget<cEdit>("Count", kEditType)->m_ReadOnly);
    doc.m_ScaleDisabled = doc.m_TitleLocked = false;
    host.Frame();
    EXPECT_TRUE(Widget<cEdit>("Scale", kEditType)->m_EnabledFlag);
    EXPECT_FALSE(Widget<cEdit>("Title", kEditType)->m_ReadOnly);
}

TEST_F(Explorer, AClosedMemberPanelBuildsItsRowsOnceOpened) {
    Open();
    cPanel* child = Widget<cPanel>("Child", kPanelType);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(child->m_Open);
    EXPECT_EQ(Row("Value", kEditType), nullptr);
    child->m_Open = true;
    explorer->OnNotify(FindWidgetHandle(child), kNotifyPanelToggled, nullptr, nullptr);
    EXPECT_EQ(docs[0].m_Child.GetViewFlags() & 1, 1u);
    host.Frame();
    const ExplorerRow* value = Row("Value", kEditType);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->m_Owner, &docs[0].m_Child);
    EXPECT_EQ(value->m_Address, &docs[0].m_Child.m_Value);
}

TEST_F(Explorer, ListItemsAddMoveAndDelete) {
    cExplorerDoc& doc = docs[0];
    doc.m_Items.SetViewFlags(1);
    Open();
    Focus("Items", kPanelType);
    EXPECT_TRUE(Enabled(explorer->m_Add));
    ASSERT_FALSE(explorer->m_ClassNames.IsEmpty());
    EXPECT_STREQ(explorer->m_ClassNames[explorer->m_ClassNames.Count() - 1].GetText(), "cSampleItem");
    explorer->m_ClassIndex = explorer->m_ClassNames.Count() - 1;
    for (int i = 0; i < 3; ++i) {
        Focus("Items", kPanelType);
        Press(explorer->m_Add);
    }
    ASSERT_EQ(doc.m_Items.Count(), 3);
    cSampleItem* items[3] = {doc.m_Items.At(0), doc.m_Items.At(1), doc.m_Items.At(2)};
    const struct {
        int item;
        bool up, down;
    } cases[] = {{0, false, true}, {1, true, true}, {2, true, false}};
    for (const auto& c : cases) {
        for (const ExplorerRow& row : explorer->m_Rows)
            if (row.m_Class == items[c.item] && row.m_Widget->GetType() == kPanelType)
                explorer->SetFocus(row.m_Widget);
        EXPECT_EQ(Enabled(explorer->m_MoveUp), c.up);
        EXPECT_EQ(Enabled(explorer->m_MoveDown), c.down);
        EXPECT_TRUE(Enabled(explorer->m_Delete));
    }
    Press(explorer->m_MoveUp);  // the last item moves up
    EXPECT_EQ(doc.m_Items.At(1), items[2]);
    Commit("Count", &doc.m_Count, 4);
    for (const ExplorerRow& row : explorer->m_Rows)
        if (row.m_Class == items[0] && row.m_Widget->GetType() == kPanelType)
            explorer->SetFocus(row.m_Widget);
    Press(explorer->m_Delete);
    ASSERT_EQ(doc.m_Items.Count(), 2);
    EXPECT_EQ(doc.m_Items.At(0), items[2]);
    EXPECT_FALSE(GetExplorerObject(0)->CanUndo());
}

TEST_F(Explorer, ACancelledLoadKeepsTheHistory) {
    test::ScratchFolder scratch;
    Open();
    cExplorerDoc& doc = docs[0];
    scratch.Write("doc.xml", "<cExplorerDoc>\n <Count>12</Count>\n <Title>Loaded</Title>\n</cExplorerDoc>\n");
    Commit("Count", &doc.m_Count, 5);
    Press(explorer->m_Load);  // cancelled
    EXPECT_TRUE(GetExplorerObject(0)->CanUndo());
    EXPECT_EQ(doc.m_Count, 5);
    g_Pick = scratch / "doc.xml";
    Press(explorer->m_Load);
    EXPECT_FALSE(GetExplorerObject(0)->CanUndo());
    EXPECT_EQ(doc.m_Count, 12);
    EXPECT_STREQ(doc.m_Title.GetText(), "Loaded");
    EXPECT_STREQ(GetExplorerObject(0)->m_Path.GetText(), g_Pick.c_str());
    EXPECT_TRUE(GetPickerMemory().m_XmlFolder.IsEmpty());
}

// The road of one edit: a press on a check box in the panel, then Save.
TEST_F(Explorer, ACheckBoxPressIsRecordedAndSaved) {
    test::ScratchFolder scratch;
    Open();
    cExplorerDoc& doc = docs[0];
    cCheckBox* box = Widget<cCheckBox>("On", kCheckBoxType);
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->m_Value, &doc.m_On);
    explorer->m_Codes.clear();
    ClickAt(box->m_Visible);
    EXPECT_TRUE(doc.m_On);
    EXPECT_EQ(explorer->m_Codes, std::vector<int>{kNotifyCheckBox});
    const ExplorerObject& record = *GetExplorerObject(0);
    ASSERT_EQ(record.m_Undo.Count(), 1);
    EXPECT_EQ(record.m_Undo[0].m_Bool, &doc.m_On);
    EXPECT_TRUE(record.m_Undo[0].m_NewBool);

    g_Pick = scratch / "saved.xml";
    Press(explorer->m_Save);
    cStr expected;
    ASSERT_TRUE(doc.SaveToText(expected));
    EXPECT_EQ(scratch.Read("saved.xml"), expected.GetText());
    EXPECT_NE(scratch.Read("saved.xml").find("<On>true</On>"), std::string::npos);
    EXPECT_TRUE(record.CanUndo());  // saving keeps the history
}

}  // namespace
}  // namespace tovan

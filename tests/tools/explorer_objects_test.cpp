// The Class Explorer's process-wide state without its form: member captions,
// the object list and its history, undo entries, and clipboard keys.
#include <gtest/gtest.h>

#include "classes/field_types.h"
#include "classes/registry.h"
#include "tests/support/classes/sample_classes.h"
#include "tools/explorer_objects.h"
#include "tools/member_label.h"

namespace tovan {
namespace {

TEST(MemberLabel, SpacesWordsAndDropsTheQualifier) {
    const struct {
        const char* name;
        const char* label;
    } cases[] = {
        {"SetAdaptiveSampledMaxErrSq", "Set Adaptive Sampled Max Err Sq"},
        {"CV0", "CV 0"},
        {"Class::TimeScale", "Time Scale"},
        {"TimeScale", "Time Scale"},
        {"m_Color", "m_Color"},        // an underscore keeps the name as it is
        {"cTransform", "cTransform"},  // the class prefix is no word
        {"Level12Size", "Level 12 Size"},
        {"Show Me", "Show Me"},  // no space doubled
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(MakeMemberLabel(c.name).GetText(), c.label);
    }
    EXPECT_TRUE(MakeMemberLabel(nullptr).IsEmpty());
}

// Registers objects for one test and leaves the list and history as found.
class ExplorerState : public ::testing::Test {
protected:
    ~ExplorerState() override {
        for (test::cSampleDoc& doc : docs)
            UnregisterExplorerObject(&doc);
        GetExplorerHistory() = ExplorerHistory();
    }
    test::cSampleDoc docs[3];
};

TEST_F(ExplorerState, HistoryDropsWhatLiesAheadOfANewVisit) {
    const char* names[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(RegisterExplorerObject(names[i], &docs[i]), i);
    ExplorerHistory& h = GetExplorerHistory();
    EXPECT_EQ(h.Back(), -1);
    h.Visit(0);
    h.Visit(1);
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_EQ(h.Back(), 0);
    EXPECT_FALSE(h.CanGoBack());
    EXPECT_EQ(h.Forward(), 1);
    EXPECT_EQ(h.Back(), 0);
    h.Visit(2);  // the second object leaves the history
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_EQ(h.m_Entries.Count(), 2);
    EXPECT_EQ(h.Back(), 0);
    EXPECT_EQ(h.Forward(), 2);

    // Unregistering the first object drops its entry; later indices move down.
    UnregisterExplorerObject(&docs[0]);
    ASSERT_EQ(CountExplorerObjects(), 2);
    EXPECT_STREQ(GetExplorerObject(1)->m_Name.GetText(), "C");
    ASSERT_EQ(h.m_Entries.Count(), 1);
    EXPECT_EQ(h.Current(), 1);
    EXPECT_EQ(GetExplorerObject(2), nullptr);
    EXPECT_EQ(GetExplorerObject(-1), nullptr);
}

TEST_F(ExplorerState, UndoRedoWritesEachKindOfValue) {
    const int index = RegisterExplorerObject("Doc", &docs[0]);
    ExplorerObject& r = *GetExplorerObject(index);
    test::cSampleDoc& doc = docs[0];
    doc.m_Count = 3, doc.m_Scale = 2.5f, doc.m_Enabled = false, doc.m_Title = "new";
    UndoRecord edits[4];
    edits[0].m_Int = &doc.m_Count, edits[0].m_OldInt = 1, edits[0].m_NewInt = 3;
    edits[1].m_Float = &doc.m_Scale, edits[1].m_OldFloat = 1, edits[1].m_NewFloat = 2.5f;
    edits[2].m_Bool = &doc.m_Enabled, edits[2].m_OldBool = true, edits[2].m_NewBool = false;
    edits[3].m_Text = &doc.m_Title, edits[3].m_OldText = "old", edits[3].m_NewText = "new";
    for (const UndoRecord& e : edits)
        r.PushUndo(e);
    EXPECT_FALSE(r.CanRedo());

    while (r.ApplyUndo(-1)) {
    }
    EXPECT_EQ(doc.m_Count, 1);
    EXPECT_EQ(doc.m_Scale, 1.0f);
    EXPECT_TRUE(doc.m_Enabled);
    EXPECT_STREQ(doc.m_Title.GetText(), "old");
    EXPECT_FALSE(r.CanUndo());

    EXPECT_TRUE(r.ApplyUndo(1));
    EXPECT_TRUE(r.ApplyUndo(1));
    EXPECT_EQ(doc.m_Count, 3);
    EXPECT_EQ(doc.m_Scale, 2.5f);
    EXPECT_TRUE(doc.m_Enabled);  // the third is still undone
    // A new edit drops the undone entries.
    UndoRecord next;
    next.m_Int = &doc.m_Secret, next.m_NewInt = 9;
    r.PushUndo(next);
    EXPECT_EQ(r.m_Undo.Count(), 3);
    EXPECT_FALSE(r.CanRedo());
    EXPECT_FALSE(r.ApplyUndo(1));
    r.ClearUndo();
    EXPECT_FALSE(r.CanUndo());
    EXPECT_FALSE(r.ApplyUndo(-1));
}

TEST(ClipboardKey, ValuesThatShareTheirTextShareAKey) {
    RegisterBuiltinClasses();
    cClass* slider = FindClassPrototype("_cSliderF");
    ASSERT_NE(slider, nullptr);
    const uintptr_t languages = EnumExtra("ExplorerTestLanguage");
    const uintptr_t other = EnumExtra("ExplorerTestOther");
    const struct {
        const char* className;
        uintptr_t extra;
        const char* key;
    } cases[] = {
        {"_cSliderF", 0, "_cFloat"},
        {"_cEditSliderF", 0, "_cFloat"},
        {"_cFloat", 0, "_cFloat"},
        {"_cSliderI", 0, "_cInt"},
        {"_cEditSliderI", 0, "_cInt"},
        {"_cXmlFile", 0, "_cStr"},
        {"_cImageFile", 0, "_cStr"},
        {"_cBool", 0, "_cBool"},
        {"_cIndex", languages, "ExplorerTestLanguage"},
        {"_cIndex", other, "ExplorerTestOther"},
        {"_cIndex", 0, ""},
    };
    _cIndex index;  // registered only by a first declaration
    for (const auto& c : cases) {
        SCOPED_TRACE(c.className);
        cClass* type = CompareStrings(c.className, "_cIndex") == 0 ? &index : FindClassPrototype(c.className);
        ASSERT_NE(type, nullptr);
        EXPECT_STREQ(ClipboardTypeKey(type, c.extra).GetText(), c.key);
    }
    EXPECT_TRUE(ClipboardTypeKey(nullptr, 0).IsEmpty());
}

}  // namespace
}  // namespace tovan

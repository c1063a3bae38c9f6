#include "classes/class.h"

#include <gtest/gtest.h>

#include <string>

#include "classes/registry.h"
#include "tests/support/classes/sample_classes.h"
#include "tests/support/log_capture.h"

namespace tovan::test {
namespace {

// Members with mask words; the instance chooses which it exposes.
class cSampleMasked : public cClass {
    TOVAN_CLASS(cSampleMasked)
public:
    int m_A = 1;
    int m_B = 2;
    int m_C = 3;
    uint32_t m_Mask = 0xFFFFFFFFu;

    uint32_t GetMemberMask() override { return m_Mask; }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_A, "A")->m_Mask = 1;
        TOVAN_MEMBER(_cInt, m_B, "B")->m_Mask = 2;
        TOVAN_MEMBER(_cInt, m_C, "C")->m_Mask = 6;
    }
};

// Same member names as cSampleItem, different field types.
class cSampleOther : public cClass {
    TOVAN_CLASS(cSampleOther)
public:
    float m_Value = 0.0f;
    int m_Child = 0;
    cStr m_Label;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cFloat, m_Value, "Value");
        TOVAN_MEMBER(_cInt, m_Child, "Child");
        TOVAN_MEMBER(_cStr, m_Label, "Label");
    }
};

uint32_t g_Counter = 0;
uint32_t NextCount(cClass*) { return ++g_Counter; }

int g_Set = 0;
void RememberValue(cClass*, uint32_t value) { g_Set = int(value); }

// A list whose "add..." row shows only while it is empty.
class cSampleEmptyOnlyList : public cClassList<cSampleItem> {
public:
    int GetListFlags() override { return kListAddDerived | kListAddOnlyWhenEmpty; }
};

// Refuses one class name.
class cSampleAcceptor : public cClass {
public:
    bool AcceptsItemClass(void* argument, const char* className) override {
        return CompareStrings(className, static_cast<const char*>(argument)) != 0;
    }
};

// A named compound class without descriptor.
class cSampleNoDesc : public cClass {
public:
    const char* GetClassName() const override { return "cSampleNoDesc"; }
    bool IsCompound() const override { return true; }
    cClassDesc* GetClassDescriptor() override { return nullptr; }
};

TEST(ClassModel, CreateInstanceAppliesMemberAndClassDefaults) {
    auto doc = Fresh<cSampleDoc>();
    EXPECT_EQ(doc->m_Scale, 1.0f);
    EXPECT_TRUE(doc->m_Enabled);
    EXPECT_EQ(doc->m_Child.m_Value, 7);
    EXPECT_EQ(doc->m_Child.GetOwner(), doc.get());
    EXPECT_EQ(doc->m_Items.GetOwner(), doc.get());
    EXPECT_EQ(doc->GetOwner(), nullptr);
    EXPECT_EQ(doc->GetViewFlags(), 0u);
    // Compound members inherited through the registry are owned alike, nested ones too.
    auto everything = Fresh<cSampleEverything>();
    EXPECT_EQ(everything->m_Fields.GetOwner(), everything.get());
    EXPECT_EQ(everything->m_Root.m_Children.GetOwner(), &everything->m_Root);
    auto leaf = Fresh<cSampleTreeLeaf>();
    EXPECT_EQ(leaf->m_Children.GetOwner(), leaf.get());
    cClass bare;
    std::unique_ptr<cClass> made(bare.CreateInstance());
    EXPECT_EQ(made->GetClassName(), nullptr);
    EXPECT_FALSE(made->IsCompound());
}

TEST(ClassModel, MembersByIndex) {
    auto doc = Fresh<cSampleDoc>();
    cClass* object = doc.get();
    ASSERT_EQ(object->GetAmountOfMembers(), 9);
    EXPECT_STREQ(object->GetMemberName(3), "Title");
    EXPECT_STREQ(object->GetMemberClass(3)->GetClassName(), "_cStr");
    EXPECT_EQ(object->GetMemberPtr(3, object), &doc->m_Title);
    EXPECT_EQ(object->GetMemberPtr(4, object), static_cast<cClass*>(&doc->m_Child));
    EXPECT_STREQ(object->GetMemberClass(5)->GetClassName(), "cClassList.cSampleItem");
    EXPECT_EQ(object->GetMemberName(9), nullptr);
    EXPECT_EQ(object->GetMemberName(-1), nullptr);
    EXPECT_EQ(object->GetMemberClass(9), nullptr);
    EXPECT_EQ(object->GetMemberPtr(9, object), nullptr);
    EXPECT_EQ(object->GetMemberExtra(9), 0u);
    EXPECT_STREQ(object->GetMemberCaption(4), "Child");
}

TEST(ClassModel, MaskSelectsMembersAndRawIndicesBypassIt) {
    auto masked = Fresh<cSampleMasked>();
    cClass* object = masked.get();
    EXPECT_EQ(object->GetAmountOfMembers(), 3);
    masked->m_Mask = 2;
    ASSERT_EQ(object->GetAmountOfMembers(), 2);
    EXPECT_STREQ(object->GetMemberName(0), "B");
    EXPECT_STREQ(object->GetMemberName(1), "C");
    EXPECT_EQ(object->GetMemberName(2), nullptr);
    EXPECT_EQ(object->MapMaskedIndex(1), 2);
    EXPECT_EQ(object->MapMaskedIndex(2), -1);
    EXPECT_STREQ(object->GetMemberName(kRawMemberIndex + 0), "A");
    EXPECT_EQ(object->GetMemberPtr(kRawMemberIndex + 0, object), &masked->m_A);
    EXPECT_EQ(object->GetMemberName(kRawMemberIndex + 3), nullptr);
    masked->m_Mask = 8;
    EXPECT_EQ(object->GetAmountOfMembers(), 0);
    EXPECT_EQ(object->GetMemberName(0), nullptr);
}

TEST(ClassModel, MaskedClassWritesOnlyItsMembers) {
    auto masked = Fresh<cSampleMasked>();
    masked->m_Mask = 4;
    masked->m_A = 10;
    masked->m_C = 30;
    XmlNode tree;
    masked->ToXml(&tree, static_cast<cClass*>(masked.get()), 0);
    ASSERT_EQ(tree.ChildCount(), 1);
    EXPECT_STREQ(tree.Child(0)->Name().GetText(), "C");
}

TEST(ClassModel, ValueGetterAnswersOneSharedWord) {
    auto masked = Fresh<cSampleMasked>();
    cMemberDesc* member = masked->GetClassDescriptor()->m_Members[0];
    member->m_GetValue = NextCount;
    cClass* object = masked.get();
    void* first = object->GetMemberPtr(0, object);
    const uint32_t firstValue = *static_cast<uint32_t*>(first);
    void* second = object->GetMemberPtr(0, object);
    EXPECT_EQ(first, second);
    EXPECT_EQ(*static_cast<uint32_t*>(second), firstValue + 1);
    member->m_GetValue = nullptr;
    EXPECT_EQ(object->GetMemberPtr(0, object), &masked->m_A);
}

TEST(ClassModel, FindMember) {
    auto doc = Fresh<cSampleDoc>();
    cClass* object = doc.get();
    cClass* fieldType = nullptr;
    void* address = nullptr;
    uintptr_t extra = 99;
    EXPECT_FALSE(object->FindMember(nullptr, &fieldType, &address, &extra, object));
    EXPECT_FALSE(object->FindMember("title", &fieldType, &address, &extra, object));
    ASSERT_TRUE(object->FindMember("Title", &fieldType, &address, &extra, object));
    EXPECT_EQ(address, &doc->m_Title);
    EXPECT_EQ(extra, 0u);
    ASSERT_TRUE(object->FindMember("Platform", &fieldType, &address, &extra, object, 1));
    EXPECT_EQ(address, &doc->m_BuildPlatform);
    // A list answers a new item of the class so named.
    cClass* list = &doc->m_Items;
    ASSERT_TRUE(list->FindMember("cSampleItem", &fieldType, &address, &extra, list));
    EXPECT_EQ(doc->m_Items.Count(), 1);
    EXPECT_EQ(address, static_cast<cClass*>(doc->m_Items.At(0)));
    EXPECT_EQ(fieldType, doc->m_Items.At(0));
    // Asked of the member's field type with the list as object, the same.
    cClass* listType = doc->GetMemberClass(5);
    ASSERT_TRUE(listType->FindMember("cSampleItem", &fieldType, &address, &extra, list));
    ASSERT_EQ(doc->m_Items.Count(), 2);
    EXPECT_EQ(address, static_cast<cClass*>(doc->m_Items.At(1)));
    EXPECT_EQ(fieldType, doc->m_Items.At(1));
    // And a compound member's field type answers for the member object.
    cClass* childType = doc->GetMemberClass(4);
    ASSERT_TRUE(childType->FindMember("Label", &fieldType, &address, &extra, &doc->m_Child));
    EXPECT_EQ(address, &doc->m_Child.m_Label);
}

TEST(ClassModel, CopyOntoItselfChangesNothing) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Count = 3;
    doc->m_Items.AddNewItem("cSampleItem", &doc->m_Items);
    cClass* object = doc.get();
    EXPECT_TRUE(object->Copy(object, 0, object, object, 0));
    EXPECT_EQ(doc->m_Count, 3);
    EXPECT_EQ(doc->m_Items.Count(), 1);
    cClass* list = &doc->m_Items;
    EXPECT_TRUE(list->Copy(list, 0, list, list, 0));
    EXPECT_EQ(doc->m_Items.Count(), 1);
}

TEST(ClassModel, CopyMemberByMember) {
    auto from = Fresh<cSampleDoc>();
    from->m_Count = 4;
    from->m_Title = "copied";
    from->m_Child.m_Label = "child";
    from->m_Secret = 5;  // not saved, still copied
    from->m_ShaderPlatform = 1;
    from->m_BuildPlatform = 2;
    from->m_Items.AddNewItem("cSampleHeavyItem", &from->m_Items);
    static_cast<cSampleHeavyItem*>(from->m_Items.At(0))->m_Weight = 2.5f;
    auto to = Fresh<cSampleDoc>();
    to->m_Items.AddNewItem("cSampleItem", &to->m_Items);
    to->m_Items.AddNewItem("cSampleItem", &to->m_Items);
    cClass* source = from.get();
    cClass* dest = to.get();
    ASSERT_TRUE(source->Copy(source, 0, dest, dest, 0));
    EXPECT_EQ(to->m_Count, 4);
    EXPECT_STREQ(to->m_Title.GetText(), "copied");
    EXPECT_STREQ(to->m_Child.m_Label.GetText(), "child");
    EXPECT_EQ(to->m_Secret, 5);
    EXPECT_EQ(to->m_ShaderPlatform, 1);
    EXPECT_EQ(to->m_BuildPlatform, 2);
    ASSERT_EQ(to->m_Items.Count(), 1);
    ASSERT_NE(to->m_Items.At(0), from->m_Items.At(0));
    EXPECT_STREQ(to->m_Items.At(0)->GetClassName(), "cSampleHeavyItem");
    EXPECT_EQ(static_cast<cSampleHeavyItem*>(to->m_Items.At(0))->m_Weight, 2.5f);
    from.reset();  // the copies are the destination's own
    EXPECT_EQ(static_cast<cSampleHeavyItem*>(to->m_Items.At(0))->m_Weight, 2.5f);
    EXPECT_EQ(to->m_Items.At(0)->GetOwner(), &to->m_Items);
}

TEST(ClassModel, CopyAcrossClassesMatchesNameAndFieldType) {
    auto item = Fresh<cSampleItem>();
    item->m_Value = 42;
    item->m_Label = "label";
    auto stranger = Fresh<cSampleStranger>();
    cClass* source = item.get();
    ASSERT_TRUE(source->Copy(source, 0, stranger.get(), stranger.get(), 0));
    EXPECT_EQ(stranger->m_Value, 42);  // "Label" is missing there and skipped

    auto other = Fresh<cSampleOther>();
    other->m_Value = 1.5f;
    ASSERT_TRUE(source->Copy(source, 0, other.get(), other.get(), 0));
    EXPECT_EQ(other->m_Value, 1.5f);  // _cInt and _cFloat differ: skipped
    EXPECT_STREQ(other->m_Label.GetText(), "label");

    // A compound member and a plain one of the same name are never mixed up.
    auto doc = Fresh<cSampleDoc>();
    other->m_Child = 77;
    cClass* docObject = doc.get();
    ASSERT_TRUE(docObject->Copy(docObject, 0, other.get(), other.get(), 0));
    EXPECT_EQ(other->m_Child, 77);
    cClass* otherObject = other.get();
    ASSERT_TRUE(otherObject->Copy(otherObject, 0, docObject, docObject, 0));
    EXPECT_EQ(doc->m_Child.m_Value, 7);
}

TEST(ClassModel, CopyRunsTheSetter) {
    auto from = Fresh<cSampleStranger>();
    from->m_Value = 31;
    cMemberDesc* member = from->GetClassDescriptor()->m_Members[0];
    member->m_SetValue = RememberValue;
    auto to = Fresh<cSampleStranger>();
    g_Set = 0;
    cClass* source = from.get();
    EXPECT_TRUE(source->Copy(source, 0, to.get(), to.get(), 0));
    EXPECT_EQ(g_Set, 31);
    g_Set = 0;
    EXPECT_TRUE(to->LoadFromText("<x><Value>12</Value></x>"));
    EXPECT_EQ(g_Set, 12);
    member->m_SetValue = nullptr;
}

TEST(ClassModel, FieldTypesCopyValues) {
    int a = 5;
    int b = 0;
    _cInt field;
    EXPECT_TRUE(field.Copy(&a, 0, &field, &b, 0));
    EXPECT_EQ(b, 5);
    cStr s("text");
    cStr t;
    _cStr strings;
    EXPECT_TRUE(strings.Copy(&s, 0, &strings, &t, 0));
    EXPECT_STREQ(t.GetText(), "text");
    EXPECT_TRUE(strings.Copy(&t, 0, &strings, &t, 0));
    EXPECT_STREQ(t.GetText(), "text");
}

TEST(ClassModel, NoDescriptorMeansNoMembers) {
    cSampleNoDesc object;
    LogCapture capture;
    EXPECT_EQ(object.GetAmountOfMembers(), 0);
    EXPECT_EQ(object.GetMemberName(0), nullptr);
    ASSERT_FALSE(capture.Warnings().empty());
    EXPECT_EQ(capture.Warnings()[0],
              "--------------------------------------------------\r\nClass engine warning!\r\n"
              "Undefined class found: \"cSampleNoDesc\"\n\r\n");
}

TEST(ClassModel, ViewFlagsKeepOnlyTheExpandedBit) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Items.AddNewItem("cSampleItem", &doc->m_Items);
    doc->SetViewFlags(0xFF);
    doc->m_Child.SetViewFlags(0xFE);
    doc->m_Items.At(0)->SetViewFlags(0x13);
    doc->ClearViewFlags(static_cast<cClass*>(doc.get()));
    EXPECT_EQ(doc->GetViewFlags(), 1u);
    EXPECT_EQ(doc->m_Child.GetViewFlags(), 0u);
    EXPECT_EQ(doc->m_Items.At(0)->GetViewFlags(), 1u);
}

TEST(ClassModel, FieldTextAndDisplayText) {
    _cFloat field;
    float value = 0.25f;
    cStr text;
    EXPECT_FALSE(field.GetFieldText(text, &value, 0, "value"));
    EXPECT_STREQ(text.GetText(), "0.250");
    cStr other("kept");
    EXPECT_FALSE(field.GetFieldText(other, &value, 0, "min"));
    EXPECT_STREQ(other.GetText(), "kept");
    uint8_t flag = 9;
    EXPECT_TRUE(field.GetDisplayText(&flag).IsEmpty());
    EXPECT_EQ(flag, 0);
}

TEST(VisibleRows, EveryMemberWithFilterThree) {
    auto doc = Fresh<cSampleDoc>();
    cClass* object = doc.get();
    EXPECT_EQ(object->CountVisibleMembers(object, kRowsAll), 9);
    EXPECT_EQ(object->CountVisibleMembers(object, 7), 9);  // not a list: no "add..." row
    EXPECT_EQ(object->MapVisibleIndex(8, object, kRowsAll), 8);
    EXPECT_EQ(object->MapVisibleIndex(9, object, kRowsAll), -1);
    EXPECT_EQ(object->MapVisibleIndex(-1, object, kRowsAll), -1);
    EXPECT_STREQ(object->GetVisibleMemberName(3, object, kRowsAll), "Title");
    EXPECT_EQ(object->GetVisibleMemberPtr(3, object, kRowsAll), &doc->m_Title);
    EXPECT_EQ(object->GetVisibleMemberClass(9, object, kRowsAll), nullptr);
    EXPECT_EQ(object->GetVisibleMemberPtr(9, object, kRowsAll), nullptr);
    EXPECT_EQ(object->GetVisibleMemberExtra(9, object, kRowsAll), 0u);
    EXPECT_FALSE(object->IsVisibleMemberHidden(9, object, kRowsAll));
    EXPECT_FALSE(object->IsVisibleMemberMarked(-4, object, kRowsAll));
    EXPECT_FALSE(object->VisibleHasContent(9, object, kRowsAll));
    EXPECT_TRUE(object->VisibleHasContent(4, object, kRowsAll));   // the child has rows
    EXPECT_FALSE(object->VisibleHasContent(0, object, kRowsAll));  // a plain int has none
}

TEST(VisibleRows, ListsOfferAnAddRow) {
    auto doc = Fresh<cSampleDoc>();
    cClass* list = &doc->m_Items;
    cClass* listType = doc->GetMemberClass(5);
    doc->m_Items.AddNewItem("cSampleItem", list);
    doc->m_Items.AddNewItem("cSampleItem", list);
    EXPECT_EQ(listType->CountVisibleMembers(list, kRowsAll), 2);
    EXPECT_EQ(listType->CountVisibleMembers(list, 7), 3);
    EXPECT_STREQ(listType->GetVisibleMemberName(1, list, 7), "cSampleItem");
    EXPECT_STREQ(listType->GetVisibleMemberName(2, list, 7), "add...");
    EXPECT_STREQ(listType->GetVisibleMemberCaption(2, list, 7), "add...");
    EXPECT_EQ(listType->GetVisibleMemberClass(2, list, 7), nullptr);
    EXPECT_EQ(listType->GetVisibleMemberPtr(0, list, 7), static_cast<cClass*>(doc->m_Items.At(0)));
    EXPECT_FALSE(listType->IsVisibleMemberExpanded(2, list, 7));
    EXPECT_TRUE(doc->HasContent(5, doc.get()));

    cSampleEmptyOnlyList emptyOnly;
    EXPECT_EQ(emptyOnly.CountVisibleMembers(&emptyOnly, 7), 1);
    emptyOnly.AddNewItem("cSampleItem", &emptyOnly);
    EXPECT_EQ(emptyOnly.CountVisibleMembers(&emptyOnly, 7), 1);
}

TEST(VisibleRows, PlainAndCompoundFilters) {
    auto doc = Fresh<cSampleDoc>();
    cClass* child = &doc->m_Child;  // owned: rows follow the members' content
    EXPECT_EQ(child->CountVisibleMembers(child, kRowsPlain), 2);
    EXPECT_EQ(child->CountVisibleMembers(child, kRowsCompound), 0);
    EXPECT_EQ(child->MapVisibleIndex(1, child, kRowsPlain), 1);
    EXPECT_EQ(child->MapVisibleIndex(2, child, kRowsPlain), -1);
    cClass* root = doc.get();  // a root object counts every member as having rows
    EXPECT_EQ(root->CountVisibleMembers(root, kRowsPlain), 0);
    EXPECT_EQ(root->CountVisibleMembers(root, kRowsCompound), 9);
    EXPECT_EQ(root->MapVisibleIndex(4, root, kRowsCompound), 4);
}

TEST(VisibleRows, AddableClasses) {
    auto doc = Fresh<cSampleDoc>();
    Fresh<cSampleHeavyItem>();
    cClass* list = &doc->m_Items;
    cClass* listType = doc->GetMemberClass(5);
    const int addRow = listType->CountVisibleMembers(list, 7) - 1;
    cAddableClasses addable;
    ASSERT_TRUE(listType->GetAddableClasses(addable, addRow, list, 7, nullptr, nullptr));
    ASSERT_GE(addable.names.Count(), 1);
    EXPECT_NE(addable.names.Find(cStr("cSampleHeavyItem")), -1);
    EXPECT_EQ(addable.names.Find(cStr("cSampleItem")), -1);  // the item class comes from GetItemClassName
    EXPECT_EQ(addable.groupOf.Count(), addable.names.Count());
    EXPECT_EQ(addable.groups.Count(), 0);

    cAddableClasses refused;
    cSampleAcceptor acceptor;
    char refusedName[] = "cSampleHeavyItem";
    EXPECT_FALSE(listType->GetAddableClasses(refused, addRow, list, 7, &acceptor, refusedName));
    EXPECT_EQ(refused.names.Find(cStr("cSampleHeavyItem")), -1);

    cAddableClasses notTheAddRow;
    doc->m_Items.AddNewItem("cSampleItem", list);
    EXPECT_FALSE(listType->GetAddableClasses(notTheAddRow, 0, list, 7, nullptr, nullptr));
    EXPECT_EQ(notTheAddRow.names.Count(), 0);
    cClass* plain = doc.get();
    EXPECT_FALSE(plain->GetAddableClasses(notTheAddRow, 0, plain, 7, nullptr, nullptr));
}

TEST(VisibleRows, AddableClassesGroupTexts) {
    auto doc = Fresh<cSampleDoc>();
    Fresh<cSampleHeavyItem>();
    cClassDesc* heavy = FindClassDescriptor("cSampleHeavyItem");
    ASSERT_NE(heavy, nullptr);
    heavy->m_DisplayText = "Weights";
    cClass* list = &doc->m_Items;
    cAddableClasses addable;
    ASSERT_TRUE(doc->m_Items.GetAddableClasses(addable, 0, list, 7, nullptr, nullptr));
    heavy->m_DisplayText.Release();
    const int at = addable.names.Find(cStr("cSampleHeavyItem"));
    ASSERT_NE(at, -1);
    EXPECT_EQ(addable.groupOf[at], 0);
    EXPECT_EQ(addable.groups.Count(), 0);  // a single group text is dropped
}

}  // namespace
}  // namespace tovan::test

#include "classes/class_list.h"

#include <gtest/gtest.h>

#include "tests/classes/class_test_support.h"
#include "tests/support/classes/sample_classes.h"

namespace tovan::test {
namespace {

class ClassList : public ::testing::Test {
protected:
    void SetUp() override {
        Fresh<cSampleHeavyItem>();  // registers the derived class
        for (int i = 0; i < 5; ++i) {
            ASSERT_EQ(list.AddNewItem(i % 2 ? "cSampleHeavyItem" : "cSampleItem", &list), i);
            list.At(i)->m_Value = i;
        }
    }
    std::vector<int> Values() const {
        std::vector<int> values;
        for (int i = 0; i < list.Count(); ++i)
            values.push_back(list.At(i)->m_Value);
        return values;
    }

    cClassList<cSampleItem> list;
};

TEST_F(ClassList, NamesAndMembers) {
    EXPECT_STREQ(list.GetClassName(), "cClassList.cSampleItem");
    EXPECT_STREQ(list.GetItemClassName(), "cSampleItem");
    EXPECT_TRUE(list.IsCompound());
    EXPECT_EQ(list.GetListFlags(), kListAddDerived);
    EXPECT_EQ(list.GetAmountOfMembers(), 5);
    EXPECT_STREQ(list.GetMemberName(1), "cSampleHeavyItem");
    EXPECT_EQ(list.GetMemberName(5), nullptr);
    EXPECT_EQ(list.GetMemberClass(2), list.At(2));
    EXPECT_EQ(list.IndexOfItem(list.At(3)), 3);
    EXPECT_EQ(list.IndexOfItem(&list), -1);
    EXPECT_EQ(list.At(0)->GetOwner(), &list);
}

TEST_F(ClassList, AddNewItemRefusesOtherClasses) {
    const int classes = ClassCount();
    EXPECT_EQ(list.AddNewItem("cSampleStranger", &list), -1);
    EXPECT_EQ(list.AddNewItem("cSampleDoc", &list), -1);
    EXPECT_EQ(list.AddNewItem("cNotAClass", &list), -1);
    EXPECT_EQ(list.AddNewItem(nullptr, &list), -1);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(ClassCount(), classes);
    cSampleStranger stranger;
    EXPECT_EQ(list.AddItem(&stranger), -1);
}

TEST_F(ClassList, RemoveItems) {
    list.RemoveItems(1, 2);
    EXPECT_EQ(Values(), (std::vector<int>{0, 3, 4}));
    list.RemoveItems(2, 10);
    EXPECT_EQ(Values(), (std::vector<int>{0, 3}));
    list.RemoveItems(-1, 1);
    list.RemoveItems(5, 1);
    EXPECT_EQ(Values(), (std::vector<int>{0, 3}));
}

TEST_F(ClassList, MoveItem) {
    EXPECT_TRUE(list.MoveItem(2, -1));
    EXPECT_EQ(Values(), (std::vector<int>{0, 2, 1, 3, 4}));
    EXPECT_TRUE(list.MoveItem(2, 0));
    EXPECT_EQ(Values(), (std::vector<int>{0, 2, 1, 3, 4}));
    EXPECT_FALSE(list.MoveItem(4, 1));
    EXPECT_FALSE(list.MoveItem(-1, 1));
    EXPECT_TRUE(list.MoveItem(0, 0x104));  // the step is a signed byte: 4
    EXPECT_EQ(Values(), (std::vector<int>{4, 2, 1, 3, 0}));
}

TEST_F(ClassList, InitEmptiesUnlessResettingDefaults) {
    cClass* object = &list;
    object->Init(object);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ClassList, DeepCopy) {
    cClassList<cSampleItem> copy;
    copy.AddNewItem("cSampleItem", &copy);
    cClass* source = &list;
    ASSERT_TRUE(source->Copy(source, 0, &copy, &copy, 0));
    ASSERT_EQ(copy.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NE(copy.At(i), list.At(i));
        EXPECT_STREQ(copy.At(i)->GetClassName(), list.At(i)->GetClassName());
        EXPECT_EQ(copy.At(i)->m_Value, i);
        EXPECT_EQ(copy.At(i)->GetOwner(), &copy);
    }
    list.RemoveItems(0, 5);
    EXPECT_EQ(copy.At(4)->m_Value, 4);
}

TEST_F(ClassList, CopyOntoItselfChangesNothing) {
    cClass* self = &list;
    cSampleItem* first = list.At(0);
    EXPECT_TRUE(self->Copy(self, 0, self, self, 0));
    EXPECT_EQ(list.At(0), first);
    EXPECT_EQ(Values(), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(ClassList, DeepCopySurvivesItsSource) {
    auto* source = new cClassList<cSampleItem>;
    source->AddNewItem("cSampleHeavyItem", source);
    source->At(0)->m_Label = "heavy";
    static_cast<cSampleHeavyItem*>(source->At(0))->m_Weight = 2.5f;
    cClass* from = source;
    ASSERT_TRUE(from->Copy(from, 0, &list, &list, 0));  // replaces the five items
    delete source;
    ASSERT_EQ(list.Count(), 1);
    auto* copy = dynamic_cast<cSampleHeavyItem*>(list.At(0));
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->m_Label.GetText(), "heavy");
    EXPECT_EQ(copy->m_Weight, 2.5f);
    EXPECT_EQ(copy->GetOwner(), &list);
}

TEST_F(ClassList, CopiedWithTheObjectHoldingIt) {
    auto doc = Fresh<cSampleDoc>();
    for (int i = 0; i < 3; ++i)
        doc->m_Items.AddNewItem("cSampleItem", &doc->m_Items);
    doc->m_Items.At(2)->m_Value = 12;
    auto copy = Fresh<cSampleDoc>();
    cClass* source = doc.get();
    ASSERT_TRUE(source->Copy(source, 0, copy.get(), copy.get(), 0));
    doc.reset();
    ASSERT_EQ(copy->m_Items.Count(), 3);
    EXPECT_EQ(copy->m_Items.At(2)->m_Value, 12);
    EXPECT_EQ(copy->m_Items.At(0)->GetOwner(), &copy->m_Items);
}

TEST_F(ClassList, RefusesToCopyIntoAnotherListClass) {
    cClassList<cSampleStranger> strangers;
    strangers.AddNewItem("cSampleStranger", &strangers);
    cClass* source = &list;
    EXPECT_FALSE(source->Copy(source, 0, &strangers, &strangers, 0));
    EXPECT_EQ(strangers.Count(), 1);
}

TEST_F(ClassList, RoundTripKeepsItemClassesAndOrder) {
    list.At(1)->m_Label = "b";
    const std::string text = SaveText(list);
    cClassList<cSampleItem> back;
    back.AddNewItem("cSampleItem", &back);
    ASSERT_TRUE(back.LoadFromText(text.c_str()));
    ASSERT_EQ(back.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(back.At(i)->GetClassName(), list.At(i)->GetClassName());
        EXPECT_EQ(back.At(i)->m_Value, i);
    }
    EXPECT_STREQ(back.At(1)->m_Label.GetText(), "b");
}

}  // namespace
}  // namespace tovan::test

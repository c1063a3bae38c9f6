#include "classes/class_list.h"

#include <gtest/gtest.h>

#include "tests/classes/sample_classes.h"

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

}  // namespace
}  // namespace tovan::test

#include "core/list.h"
#include "core/str.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

// Counts live instances, so that lost or doubled destructions show.
struct Tracked {
    static int live;
    int value;
    Tracked(int v = 0) : value(v) { ++live; }  // NOLINT
    Tracked(const Tracked& o) : value(o.value) { ++live; }
    Tracked(Tracked&& o) noexcept : value(o.value) {
        ++live;
        o.value = -1;
    }
    Tracked& operator=(const Tracked& o) = default;
    Tracked& operator=(Tracked&& o) noexcept {
        value = o.value;
        o.value = -1;
        return *this;
    }
    ~Tracked() { --live; }
};
int Tracked::live = 0;

struct TenFloats {
    float v[10];
};

TEST(List, NullListHasNoBlock) {
    const int before = ListLiveBlocks();
    cList<int> list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.Data(), nullptr);
    list.Free();
    list.DestroyItems();
    list.Resize(0, 5);
    list.Grow(0);
    EXPECT_EQ(list.Data(), nullptr);
    EXPECT_EQ(ListLiveBlocks(), before);
}

TEST(List, GrowsByHalfTheOldCapacityAtLeastEight) {
    cList<int> list;
    list.PushBack(1);
    EXPECT_EQ(list.Capacity(), 8);
    for (int i = 2; i <= 8; ++i)
        list.PushBack(i);
    EXPECT_EQ(list.Capacity(), 8);
    list.PushBack(9);
    EXPECT_EQ(list.Capacity(), 13);  // 9 + 8 / 2
    for (int i = 10; i <= 14; ++i)
        list.PushBack(i);
    EXPECT_EQ(list.Capacity(), 20);  // 14 + 13 / 2
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(list[i], i + 1);

    cList<int> big;
    big.Grow(100);
    EXPECT_EQ(big.Capacity(), 100);
    big.Grow(50);  // never shrinks
    EXPECT_EQ(big.Capacity(), 100);
    big.AppendRange(list.Data(), 14);
    big.PushBackRepeated(7, 87);
    EXPECT_EQ(big.Capacity(), 151);  // 101 + 100 / 2
}

TEST(List, CountsLiveBlocks) {
    const int before = ListLiveBlocks();
    {
        cList<int> a;
        a.PushBack(1);
        EXPECT_EQ(ListLiveBlocks(), before + 1);
        for (int i = 0; i < 100; ++i)
            a.PushBack(i);  // each growth frees the old block
        EXPECT_EQ(ListLiveBlocks(), before + 1);
        cList<int> b(a);
        EXPECT_EQ(ListLiveBlocks(), before + 2);
        cList<int> c(static_cast<cList<int>&&>(b));
        EXPECT_EQ(ListLiveBlocks(), before + 2);
        EXPECT_EQ(b.Data(), nullptr);
        c.Free();
        EXPECT_EQ(ListLiveBlocks(), before + 1);
    }
    EXPECT_EQ(ListLiveBlocks(), before);
}

TEST(List, ResizeRemoveAndInsert) {
    cList<int> list;
    for (int i = 0; i < 10; ++i)
        list.PushBack(i);
    const int capacity = list.Capacity();
    list.Resize(3, 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Capacity(), capacity);
    EXPECT_EQ(list[2], 2);
    list.Resize(6, 42);
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list[3], 42);
    EXPECT_EQ(list[5], 42);

    list.RemoveAt(5);  // the last only lowers the count
    EXPECT_EQ(list.Count(), 5);
    list.RemoveAt(0);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[0], 1);
    EXPECT_EQ(list[3], 42);

    list.Insert(1, 99);
    const int more[] = {7, 8};
    list.InsertRange(0, more, 2);
    list.InsertRange(list.Count(), more, 1);
    const int expected[] = {7, 8, 1, 99, 2, 42, 42, 7};
    ASSERT_EQ(list.Count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(list[i], expected[i]) << i;
    EXPECT_EQ(list.Find(99), 3);
    EXPECT_EQ(list.Find(5), -1);
    EXPECT_EQ(list.Find(42, EqualInts), 5);
}

TEST(List, ResizeUnsetKeepsTheOldItemsAndGrowsByTheRule) {
    cList<uint8_t> bytes;
    bytes.PushBack(5);
    bytes.ResizeUnset(20);
    EXPECT_EQ(bytes.Count(), 20);
    EXPECT_EQ(bytes.Capacity(), 24);  // max(8, 20 + 8 / 2) from a capacity of 8
    EXPECT_EQ(bytes[0], 5);
    bytes.ResizeUnset(2);
    EXPECT_EQ(bytes.Count(), 2);
    EXPECT_EQ(bytes.Capacity(), 24);
    bytes.ResizeUnset(-1);
    EXPECT_EQ(bytes.Count(), 0);
}

TEST(List, PushBackOfItsOwnItemIntoAFullList) {
    cList<int> ints;
    for (int i = 0; i < 8; ++i)
        ints.PushBack(i * 10);
    ASSERT_EQ(ints.Count(), ints.Capacity());
    ints.PushBack(ints[3]);
    EXPECT_EQ(ints[8], 30);
    ints.PushBackRepeated(ints[8], 20);
    EXPECT_EQ(ints[28], 30);

    cList<cStr> texts;
    for (int i = 0; i < 8; ++i)
        texts.PushBack(cStr::Format("text number %d, long enough for a pooled buffer", i));
    ASSERT_EQ(texts.Count(), texts.Capacity());
    texts.PushBack(texts[2]);
    EXPECT_STREQ(texts[8].GetText(), "text number 2, long enough for a pooled buffer");
    EXPECT_STREQ(texts[2].GetText(), texts[8].GetText());
    while (texts.Count() < texts.Capacity())
        texts.PushBack("x");
    texts.PushBack(static_cast<cStr&&>(texts[0]));  // moved out before the old block goes
    EXPECT_STREQ(texts[texts.Count() - 1].GetText(), "text number 0, long enough for a pooled buffer");
    texts.Resize(texts.Count() + 10, texts[1]);
    EXPECT_STREQ(texts[texts.Count() - 1].GetText(), texts[1].GetText());

    cList<TenFloats> records;
    TenFloats r{};
    for (int i = 0; i < 8; ++i) {
        r.v[9] = float(i);
        records.PushBack(r);
    }
    records.PushBack(records[5]);
    EXPECT_EQ(records[8].v[9], 5.0f);
    records.Insert(0, records[8]);  // the gap moves the source
    EXPECT_EQ(records[0].v[9], 5.0f);
    EXPECT_EQ(records[1].v[9], 0.0f);
}

// Frees and removes owned items one at a time, as an owning list's removal
// does. Out of line, so the compiler cannot see the indices (a false
// stringop-overflow warning of an optimised build once came from here).
__attribute__((noinline)) void RemoveOwned(cList<Tracked*>& list, int start, int count) {
    if (start < 0 || count <= 0 || start >= list.Count())
        return;
    if (count > list.Count() - start)
        count = list.Count() - start;
    for (int i = 0; i < count; ++i) {
        delete list[start];
        list.RemoveAt(start);
    }
}

TEST(List, OwnedPointersRemovedOneByOne) {
    Tracked::live = 0;
    cList<Tracked*> list;
    for (int i = 0; i < 12; ++i)
        list.PushBack(new Tracked(i));
    RemoveOwned(list, 2, 3);
    ASSERT_EQ(list.Count(), 9);
    EXPECT_EQ(list[1]->value, 1);
    EXPECT_EQ(list[2]->value, 5);
    RemoveOwned(list, 7, 50);  // to the end
    ASSERT_EQ(list.Count(), 7);
    EXPECT_EQ(list[6]->value, 9);
    RemoveOwned(list, 0, 7);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(Tracked::live, 0);
}

TEST(List, NonTrivialItemsAreDestroyedExactlyOnce) {
    Tracked::live = 0;
    {
        cList<Tracked> list;
        for (int i = 0; i < 30; ++i)
            list.PushBack(Tracked(i));
        EXPECT_EQ(Tracked::live, 30);
        list.RemoveAt(0);
        EXPECT_EQ(Tracked::live, 29);
        EXPECT_EQ(list[0].value, 1);
        EXPECT_EQ(list[28].value, 29);
        list.Resize(10);
        EXPECT_EQ(Tracked::live, 10);
        list.Resize(12, Tracked(5));
        EXPECT_EQ(Tracked::live, 12);
        list.Insert(3, list[11]);
        EXPECT_EQ(Tracked::live, 13);
        EXPECT_EQ(list[3].value, 5);
        EXPECT_EQ(list[4].value, 4);
        cList<Tracked> copy;
        copy = list;
        EXPECT_EQ(Tracked::live, 26);
        copy.DestroyItems();
        EXPECT_EQ(Tracked::live, 13);
        EXPECT_GT(copy.Capacity(), 0);
        list = static_cast<cList<Tracked>&&>(copy);
        EXPECT_EQ(Tracked::live, 0);
        EXPECT_EQ(list.Count(), 0);
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(List, ListsOfStringsOwnTheirTexts) {
    cList<cStr> list;
    for (int i = 0; i < 40; ++i)
        list.PushBack(cStr::Format("%d: a text longer than thirty-two bytes", i));
    list.RemoveAt(3);
    EXPECT_STREQ(list[3].GetText(), "4: a text longer than thirty-two bytes");
    list.Resize(5);
    cList<cStr> copy(list);
    list[0].SetText("changed");
    EXPECT_STREQ(copy[0].GetText(), "0: a text longer than thirty-two bytes");
    cList<cList<cStr>> nested;
    nested.PushBackRepeated(copy, 12);
    EXPECT_STREQ(nested[11][4].GetText(), "5: a text longer than thirty-two bytes");
    // Leaks would be reported by the leak checker of the sanitizer build.
}

}  // namespace
}  // namespace tovan

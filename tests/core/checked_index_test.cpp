// With assertions on, an index past the count stops at once, also where the
// buffer behind it is still allocated and would hand out a stale item or byte.
#include "core/list.h"
#include "core/str.h"

#include <gtest/gtest.h>

#include <functional>

namespace tovan {
namespace {

#if !defined(NDEBUG) && GTEST_HAS_DEATH_TEST

struct OutOfRange {
    const char* what;
    std::function<void()> touch;
};

// A list of 5 cut to 2: slots 2-4 still hold their old items inside the block.
cList<int> ShrunkList() {
    cList<int> list;
    for (int i = 0; i < 5; ++i)
        list.PushBack(100 + i);
    list.Resize(2);
    return list;
}

// "abcdef" cut to "ab": the bytes after the terminator are still "def".
cStr ShrunkText() {
    cStr text("abcdef");
    text.SetLength(2);
    return text;
}

TEST(CheckedIndexDeathTest, PastTheCountInsideTheCapacityStops) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const OutOfRange cases[] = {
        {"list [count]", [] { (void)ShrunkList()[2]; }},
        {"list [capacity - 1]", [] { (void)ShrunkList()[4]; }},
        {"list [-1]", [] { (void)ShrunkList()[-1]; }},
        {"const list [count]",
         [] {
             const cList<int> list = ShrunkList();
             (void)list[2];
         }},
        {"list At(count)", [] { (void)ShrunkList().At(2); }},
        {"list RemoveAt(count)", [] { ShrunkList().RemoveAt(2); }},
        {"empty list [0]", [] { (void)cList<int>()[0]; }},
        {"text [length]", [] { (void)ShrunkText()[2]; }},
        {"text [old length - 1]", [] { (void)ShrunkText()[5]; }},
        {"text [-1]", [] { (void)ShrunkText()[-1]; }},
        {"const text [length]",
         [] {
             const cStr text = ShrunkText();
             (void)text[2];
         }},
        {"empty text [0]", [] { (void)cStr()[0]; }},
    };
    for (const OutOfRange& c : cases)
        EXPECT_DEATH(c.touch(), "index out of range") << c.what;
}

TEST(CheckedIndex, EveryIndexInsideTheCountIsServed) {
    cList<int> list = ShrunkList();
    EXPECT_EQ(list[0], 100);
    EXPECT_EQ(*list.At(1), 101);
    list.RemoveAt(1);
    EXPECT_EQ(list.Count(), 1);
    cStr text = ShrunkText();
    EXPECT_EQ(text[0], 'a');
    EXPECT_EQ(text[1], 'b');
}

#endif

}  // namespace
}  // namespace tovan

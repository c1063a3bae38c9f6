// The block scanners behind CompareStrings, each against a byte loop, and the
// comparison over texts longer than its measuring chunks.
#include "core/str.h"
#include "core/str_compare.h"
#include "tests/support/guarded_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace tovan {
namespace {

size_t ByteLoopStop(const char* a, const char* b, size_t count) {
    size_t i = 0;
    while (i < count && a[i] == b[i] && a[i] != 0)
        ++i;
    return i;
}

TEST(StrCompare, EveryScannerFindsTheFirstStopAtAnyAlignmentAndCount) {
    int scannerCount = 0;
    const str_compare::Scanner* scanners = str_compare::Scanners(&scannerCount);
    ASSERT_GE(scannerCount, 1);
    EXPECT_STREQ(scanners[0].name, "plain");
    std::mt19937 random(77);
    const char alphabet[] = {'a', 'b', '\x7f', '\x80', '\xff', '\x01', 0};
    alignas(64) char left[160], right[160];
    for (int s = 0; s < scannerCount; ++s) {
        int wrong = 0;
        for (int round = 0; round < 30000 && wrong < 5; ++round) {
            const size_t count = random() % 100;
            char* a = left + random() % 48;
            char* b = right + random() % 48;
            for (size_t i = 0; i < count; ++i)
                a[i] = alphabet[random() % 5];  // no 0 yet
            std::memcpy(b, a, count);
            const int changes = int(random() % 3);
            for (int c = 0; c < changes && count > 0; ++c) {
                char* side = random() % 2 ? a : b;
                side[random() % count] = alphabet[random() % sizeof alphabet];
            }
            const size_t expected = ByteLoopStop(a, b, count);
            if (scanners[s].firstStop(a, b, count) != expected) {
                ADD_FAILURE() << scanners[s].name << ": count " << count << ", expected " << expected;
                ++wrong;
            }
        }
    }
}

// Counts that end at the last byte of a page: no scanner loads past it, even
// when the texts carry no terminator at all.
TEST(StrCompare, ScannersReadNothingPastTheCount) {
    int scannerCount = 0;
    const str_compare::Scanner* scanners = str_compare::Scanners(&scannerCount);
    test::GuardedPage pageA, pageB;
    for (int s = 0; s < scannerCount; ++s) {
        for (size_t count = 0; count < 80; ++count) {
            char* a = pageA.End() - count;
            char* b = pageB.End() - count;
            std::memset(a, 'p', count);
            std::memset(b, 'p', count);
            EXPECT_EQ(scanners[s].firstStop(a, b, count), count) << scanners[s].name << " " << count;
            if (count > 0) {
                b[count - 1] = 'q';
                EXPECT_EQ(scanners[s].firstStop(a, b, count), count - 1) << scanners[s].name << " " << count;
                a[count / 2] = 0;
                EXPECT_EQ(scanners[s].firstStop(a, b, count), count / 2) << scanners[s].name << " " << count;
            }
        }
    }
}

// Differences and ends around the places where the text comparison measures
// its next chunk (64, then 128, 256 ... bytes on).
TEST(StrCompare, TextsAcrossMeasuringChunks) {
    const std::string base(9000, 'm');
    for (size_t at : {0u, 63u, 64u, 65u, 191u, 192u, 193u, 447u, 448u, 4031u, 8127u, 8128u, 8999u}) {
        std::string high = base, low = base;
        high[at] = 'z';
        low[at] = '\x90';  // negative: sorts before everything
        const std::string shorter = base.substr(0, at);
        EXPECT_EQ(CompareStrings(high.c_str(), base.c_str()), 1) << at;
        EXPECT_EQ(CompareStrings(low.c_str(), base.c_str()), -1) << at;
        EXPECT_EQ(CompareStrings(base.c_str(), high.c_str()), -1) << at;
        EXPECT_EQ(CompareStrings(shorter.c_str(), base.c_str()), -1) << at;
        EXPECT_EQ(CompareStrings(base.c_str(), shorter.c_str()), 1) << at;
        EXPECT_EQ(CompareStrings(high.c_str(), base.c_str(), int(at)), 0) << at;
        EXPECT_EQ(CompareStrings(high.c_str(), base.c_str(), int(at) + 1), 1) << at;
        EXPECT_EQ(CompareStrings(cStr(high.c_str()), cStr(base.c_str())), 1) << at;
        EXPECT_EQ(CompareStrings(cStr(shorter.c_str()), cStr(base.c_str())), -1) << at;
    }
    EXPECT_EQ(CompareStrings(base.c_str(), base.c_str()), 0);
    EXPECT_EQ(CompareStrings(base.c_str(), std::string(base).c_str(), 100000), 0);
}

// The terminator is a byte like the others: a text sorts after a longer one
// that continues with a negative byte, in both forms.
TEST(StrCompare, TerminatorSortsAboveNegativeBytes) {
    const struct {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"ab", "ab\x90", 1}, {"ab", "abc", -1}, {"ab\xff", "ab", -1},
        {"", "\x80", 1},     {"", "a", -1},     {"\x80", "\x7f", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareStrings(c.a, c.b), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(CompareStrings(c.b, c.a), -c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(CompareStrings(cStr(c.a), cStr(c.b)), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(CompareStrings(cStr(c.b), cStr(c.a)), -c.expected) << c.a << " / " << c.b;
    }
}

}  // namespace
}  // namespace tovan

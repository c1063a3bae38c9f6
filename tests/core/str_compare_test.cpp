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

// The answer of a byte loop: signed order at the first stop within the limit.
int ByteLoopOrder(const char* a, const char* b, size_t limit) {
    const size_t at = ByteLoopStop(a, b, limit);
    if (at == limit)
        return 0;
    const signed char x = static_cast<signed char>(a[at]), y = static_cast<signed char>(b[at]);
    return (x > y) - (x < y);
}

// Texts of every length, starting anywhere in their blocks, one byte changed
// (possibly into or out of a terminator), with and without a limit.
TEST(StrCompare, EveryScannerOrdersTextsAtAnyAlignmentAndLimit) {
    int scannerCount = 0;
    const str_compare::Scanner* scanners = str_compare::Scanners(&scannerCount);
    std::mt19937 random(91);
    const char alphabet[] = {'a', 'b', '\x7f', '\x80', '\xff', '\x01', 0};
    alignas(64) char left[192], right[192];
    for (int s = 0; s < scannerCount; ++s) {
        int wrong = 0;
        for (int round = 0; round < 30000 && wrong < 5; ++round) {
            std::memset(left, 0, sizeof left);
            std::memset(right, 0, sizeof right);
            const size_t length = random() % 100;
            char* a = left + random() % 32;
            char* b = right + random() % 32;
            for (size_t i = 0; i < length; ++i)
                a[i] = alphabet[random() % 6];
            std::memcpy(b, a, length);
            if (random() % 4 != 0)
                (random() % 2 ? a : b)[random() % (length + 1)] = alphabet[random() % sizeof alphabet];
            const size_t limit = random() % 3 == 0 ? SIZE_MAX : 1 + random() % 110;
            const int expected = ByteLoopOrder(a, b, limit);
            if (scanners[s].compareTexts(a, b, limit) != expected ||
                scanners[s].compareTexts(b, a, limit) != -expected) {
                ADD_FAILURE() << scanners[s].name << ": length " << length << ", limit " << limit << ", at "
                              << (a - left) << "/" << (b - right);
                ++wrong;
            }
        }
    }
}

// A text whose terminator, or whose last byte within the limit, is the last
// byte before a page that faults, against texts at every start: no scanner
// reads across the boundary.
TEST(StrCompare, TextComparisonsReadNothingPastAPageThatEndsTheText) {
    int scannerCount = 0;
    const str_compare::Scanner* scanners = str_compare::Scanners(&scannerCount);
    test::GuardedPage pageA, pageB;
    alignas(64) char plain[128];
    for (int s = 0; s < scannerCount; ++s) {
        const auto check = [&](const char* x, const char* y, size_t limit, int expected, size_t length, size_t shift) {
            EXPECT_EQ(scanners[s].compareTexts(x, y, limit), expected)
                << scanners[s].name << " " << length << "+" << shift;
            EXPECT_EQ(scanners[s].compareTexts(y, x, limit), -expected)
                << scanners[s].name << " " << length << "+" << shift;
        };
        for (size_t length = 0; length < 48; ++length) {
            char* a = pageA.End() - length - 1;
            std::memset(a, 'p', length);
            a[length] = 0;
            for (size_t shift = 0; shift < 32; ++shift) {
                char* b = plain + shift;  // a's text, then one more byte
                std::memcpy(b, a, length);
                std::memcpy(b + length, "q", 2);
                char* c = pageB.End() - length - shift - 1;  // a's text and shift more bytes
                std::memset(c, 'p', length + shift);
                c[length + shift] = 0;
                check(a, b, SIZE_MAX, -1, length, shift);
                check(a, b, length + 1, -1, length, shift);
                check(a, c, SIZE_MAX, shift ? -1 : 0, length, shift);
                check(c, b, SIZE_MAX, -1, length, shift);
                // c as a field of all its bytes, no terminator within the limit.
                const size_t field = length + shift + 1;
                c[field - 1] = 'p';
                check(c, a, field, 1, length, shift);
                std::memset(b, 'p', field);
                b[field] = 0;
                check(c, b, field, 0, length, shift);
            }
        }
    }
}

// Differences and ends on both sides of block boundaries, near the start and
// far into long texts.
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

#include "core/str.h"

#include <gtest/gtest.h>

#include "tests/support/guarded_page.h"

#include <climits>
#include <cstring>
#include <random>
#include <string>

namespace tovan {
namespace {

TEST(Str, DefaultHasNoBuffer) {
    cStr s;
    EXPECT_EQ(s.Data(), nullptr);
    EXPECT_STREQ(s.GetText(), "");
    EXPECT_EQ(TextLength(s.GetText()), 0);
    EXPECT_EQ(TextLength(nullptr), 0);
    EXPECT_STREQ(cStr::TextOf(nullptr), "");
    EXPECT_STREQ(cStr::TextOf(&s), "");
    cStr t("x");
    EXPECT_STREQ(cStr::TextOf(&t), "x");
}

TEST(Str, ReserveRoundsToPoolSteps) {
    struct Case {
        int asked, capacity;
    };
    const Case cases[] = {{1, 32},      {31, 32},       {32, 32},       {33, 64},        {8192, 8192},
                          {8193, 8448}, {32768, 32768}, {32769, 33792}, {100000, 100352}};
    for (const Case& c : cases) {
        cStr s;
        s.Reserve(c.asked, false);
        EXPECT_EQ(s.Capacity(), c.capacity) << c.asked;
    }
    cStr s("keep me");
    s.Reserve(200, true);
    EXPECT_EQ(s.Capacity(), 224);
    EXPECT_STREQ(s.GetText(), "keep me");
    s.Reserve(100, false);  // never shrinks
    EXPECT_EQ(s.Capacity(), 224);
    cStr e;
    e.Reserve(40, true);
    EXPECT_STREQ(e.GetText(), "");
}

TEST(Str, AssignNullKeepsTheBufferEmpty) {
    cStr s("abc");
    const char* buffer = s.Data();
    s.Assign(nullptr, 0, 5);
    EXPECT_EQ(s.Data(), buffer);
    EXPECT_STREQ(s.GetText(), "");
    EXPECT_EQ(s.Length(), 0);
    cStr none;
    none.Assign(nullptr, 0, 0);
    EXPECT_EQ(none.Data(), nullptr);
}

TEST(Str, AssignFromItsOwnText) {
    cStr s("abcdef");
    const char* buffer = s.Data();
    s.Assign(s.Data(), 2, 3);
    EXPECT_STREQ(s.GetText(), "cde");
    EXPECT_EQ(s.Length(), 3);
    EXPECT_EQ(s.Data(), buffer);

    cStr t("0123456789");
    t.SetText(t.GetText() + 4);
    EXPECT_STREQ(t.GetText(), "456789");
    t.Assign(t.Data(), 3, 100);  // only what lies inside the text
    EXPECT_STREQ(t.GetText(), "789");
    t = t;
    EXPECT_STREQ(t.GetText(), "789");
    cStr u(std::string(100, 'q').c_str());
    u.Append(u);  // grows while reading itself
    EXPECT_EQ(u.Length(), 200);
    EXPECT_EQ(std::string(u.GetText()), std::string(200, 'q'));
}

TEST(Str, CopiesAreIndependent) {
    cStr a("first text that needs a pooled buffer of its own");
    cStr b(a);
    cStr c;
    c = a;
    a.SetText("changed");
    EXPECT_STREQ(b.GetText(), "first text that needs a pooled buffer of its own");
    EXPECT_STREQ(c.GetText(), b.GetText());
    cStr d(static_cast<cStr&&>(b));
    EXPECT_EQ(b.Data(), nullptr);
    EXPECT_STREQ(d.GetText(), c.GetText());
    cStr part("abcdef", 3);
    EXPECT_STREQ(part.GetText(), "abc");
}

TEST(Str, FillInsertAndAppends) {
    cStr s;
    s.Fill(5, '-');
    EXPECT_STREQ(s.GetText(), "-----");
    s.Fill(0, 'x');
    EXPECT_EQ(s.Data(), nullptr);
    s.SetText("ad");
    EXPECT_EQ(s.InsertChars(1, 'b', 2), 4);
    EXPECT_STREQ(s.GetText(), "abbd");
    EXPECT_EQ(s.InsertChars(99, 'z', 1), 5);
    EXPECT_STREQ(s.GetText(), "abbdz");
    s.AppendInt(INT_MIN);
    s.AppendChar('|');
    s.AppendInt(0);
    s += "|";
    s += cStr("t");
    s += '!';
    s.Append("12345", 2);
    s.Append(nullptr);
    EXPECT_STREQ(s.GetText(), "abbdz-2147483648|0|t!12");
    EXPECT_EQ(s.Length(), TextLength(s.GetText()));

    cStr big;
    std::string expect;
    for (int i = 0; i < 20000; ++i) {
        big.AppendChar(char('a' + i % 26));
        expect += char('a' + i % 26);
    }
    EXPECT_EQ(std::string(big.GetText()), expect);
    big.Clear();
    EXPECT_STREQ(big.GetText(), "");
    EXPECT_GT(big.Capacity(), 20000);
}

TEST(Str, FindReplaceAndTrim) {
    cStr s("Hello hello HELLO");
    EXPECT_EQ(s.Find("hello", s.Length(), false), 6);
    EXPECT_EQ(s.Find("HELLO", s.Length(), true), 0);
    EXPECT_EQ(s.Find("xyz"), -1);
    EXPECT_EQ(s.Find("LO"), 15);
    EXPECT_EQ(s.Find("LO", 15, false), -1);
    EXPECT_EQ(cStr().Find("a"), -1);

    cStr r("aaa");
    EXPECT_EQ(r.Replace("aa", "b"), 1);  // leftmost, non-overlapping
    EXPECT_STREQ(r.GetText(), "ba");
    cStr grow("a.b.c");
    EXPECT_EQ(grow.Replace(".", "::", grow.Length()), 2);
    EXPECT_STREQ(grow.GetText(), "a::b::c");
    EXPECT_EQ(grow.Replace("::", ""), 2);
    EXPECT_STREQ(grow.GetText(), "abc");
    EXPECT_EQ(grow.Replace("", "x"), 0);  // an empty find changes nothing
    EXPECT_EQ(grow.Replace(nullptr, "x"), 0);
    EXPECT_STREQ(grow.GetText(), "abc");
    EXPECT_EQ(grow.Replace("b", "B", 0), 0);
    EXPECT_EQ(grow.Replace("c", nullptr), 1);
    EXPECT_STREQ(grow.GetText(), "ab");

    // Texts taken from the string itself are read before it changes.
    cStr self("abcabc");
    EXPECT_EQ(self.Replace("b", self.GetText()), 2);
    EXPECT_STREQ(self.GetText(), "aabcabccaabcabcc");
    cStr tail("xyx");
    EXPECT_EQ(tail.Replace(tail.GetText() + 2, "zz"), 2);
    EXPECT_STREQ(tail.GetText(), "zzyzz");

    cStr t(" \t trim me \n ");
    t.TrimLeft(" \t");
    EXPECT_STREQ(t.GetText(), "trim me \n ");
    t.TrimRight(" \n");
    EXPECT_STREQ(t.GetText(), "trim me");
    t.TrimRight("trim e");
    EXPECT_STREQ(t.GetText(), "");
    cStr none;
    none.TrimLeft(" ");
    EXPECT_EQ(none.Data(), nullptr);
    // A 0 inside the string is not one of the set's characters.
    cStr zero(" a\0 ", 4);
    zero.TrimRight(" ");
    EXPECT_EQ(zero.Length(), 3);
    cStr lead("\0 a", 3);
    lead.TrimLeft(" ");
    EXPECT_EQ(lead.Length(), 3);
}

TEST(Str, EqualityAndConcatenation) {
    cStr a("abc"), b("abc"), empty;
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE("abc" == a);
    EXPECT_TRUE(a != "abd");
    EXPECT_TRUE(empty == "");
    EXPECT_TRUE(empty == nullptr);
    EXPECT_TRUE(empty == cStr(""));
    EXPECT_FALSE(a == "ab");
    EXPECT_STREQ((a + b).GetText(), "abcabc");
    EXPECT_STREQ(("x" + a).GetText(), "xabc");
    EXPECT_STREQ((a + "y").GetText(), "abcy");
    EXPECT_STREQ((empty + empty).GetText(), "");
}

TEST(Str, CompareStringsTreatsNullAsEmpty) {
    EXPECT_EQ(CompareStrings("abc", "abc"), 0);
    EXPECT_EQ(CompareStrings("abd", "abc"), 1);
    EXPECT_EQ(CompareStrings("ab", "abc"), -1);
    EXPECT_EQ(CompareStrings("abX", "abY", 2), 0);
    EXPECT_EQ(CompareStrings("\x80", "a"), -1);  // signed bytes
    EXPECT_EQ(CompareStrings(nullptr, nullptr), 0);
    EXPECT_EQ(CompareStrings(nullptr, ""), 0);
    EXPECT_EQ(CompareStrings("", nullptr), 0);
    EXPECT_EQ(CompareStrings(nullptr, "a"), -1);  // not equal to anything
    EXPECT_EQ(CompareStrings("a", nullptr), 1);
    EXPECT_EQ(CompareStringsNoCase("HeLLo", "hello"), 0);
    EXPECT_EQ(CompareStringsNoCase("[", "a"), -1);  // '[' sorts after 'Z' but before 'a'
    EXPECT_EQ(CompareStringsNoCase("B", "a"), 1);
    EXPECT_EQ(CompareStringsNoCase(nullptr, "A"), -1);
    EXPECT_EQ(CompareStringsNoCase("ABC", "abd", 2), 0);
}

TEST(Str, CompareStringsOverLongTexts) {
    // Differences and ends at every position of the blocks compared at once.
    const std::string base(70, 'k');
    for (int at = 0; at < 70; ++at) {
        std::string high = base, low = base, shorter = base.substr(0, size_t(at));
        high[size_t(at)] = '\x90';  // negative as a signed byte: sorts first
        low[size_t(at)] = 'a';
        const cStr sb(base.c_str()), sh(high.c_str()), sl(low.c_str()), ss(shorter.c_str());
        EXPECT_EQ(CompareStrings(base.c_str(), high.c_str()), 1) << at;
        EXPECT_EQ(CompareStrings(sb, sh), 1) << at;
        EXPECT_EQ(CompareStrings(sh, sb), -1) << at;
        EXPECT_EQ(CompareStrings(sl, sb), -1) << at;
        EXPECT_EQ(CompareStrings(base.c_str(), low.c_str()), 1) << at;
        EXPECT_EQ(CompareStrings(ss, sb), -1) << at;
        EXPECT_EQ(CompareStrings(sb, ss), 1) << at;
        EXPECT_EQ(CompareStrings(shorter.c_str(), base.c_str()), -1) << at;
        EXPECT_EQ(CompareStrings(sb, cStr(base.c_str())), 0) << at;
        EXPECT_EQ(CompareStrings(base.c_str(), low.c_str(), at), 0) << at;
    }
    // Both stop at an embedded 0, as the zero-terminated texts do.
    const cStr x("abcdefghijklmnopqr\0one", 22), y("abcdefghijklmnopqr\0two", 22);
    EXPECT_EQ(CompareStrings(x, y), 0);
    EXPECT_EQ(CompareStrings(cStr(), cStr("")), 0);
    EXPECT_EQ(CompareStrings(cStr(), cStr("a")), -1);
}

// Signed bytes one at a time, up to a's 0 or n bytes: the answer the
// comparison must give whatever blocks it compares at once.
int ByteByByte(const char* a, const char* b, int n) {
    for (int i = 0; n < 0 || i < n; ++i) {
        const signed char x = static_cast<signed char>(a[i]), y = static_cast<signed char>(b[i]);
        if (x != y)
            return x > y ? 1 : -1;
        if (x == 0)
            break;
    }
    return 0;
}

TEST(Str, CompareStringsAgreesWithAByteLoopAtAnyAlignmentAndLimit) {
    std::mt19937 random(2024);
    const char alphabet[] = {'a', 'b', 'Z', '\x7f', '\x80', '\xe9', '\xff'};
    alignas(64) char left[128], right[128];
    int wrong = 0;
    for (int round = 0; round < 20000 && wrong < 5; ++round) {
        const int length = int(random() % 80);
        char* a = left + random() % 32;
        char* b = right + random() % 32;
        for (int i = 0; i < length; ++i)
            a[i] = alphabet[random() % sizeof alphabet];
        a[length] = 0;
        std::memcpy(b, a, size_t(length) + 1);
        if (length > 0 && random() % 4 != 0)  // one byte changed, possibly to the terminator
            b[random() % unsigned(length)] = random() % 8 == 0 ? 0 : alphabet[random() % sizeof alphabet];
        const int n = random() % 3 == 0 ? -1 : int(random() % 96);
        const int expected = ByteByByte(a, b, n);
        if (CompareStrings(a, b, n) != expected || CompareStrings(b, a, n) != -expected) {
            ADD_FAILURE() << "length " << length << ", n " << n << ", at " << (a - left) << "/" << (b - right);
            ++wrong;
        }
    }
}

// A text that ends at the last byte of a page, before a page that faults: the
// comparison must not load across the boundary, however the other text lies.
TEST(Str, CompareStringsReadsNothingPastTheEndOfATextsPage) {
    test::GuardedPage page, other;
    alignas(64) char plain[128];
    for (int length = 0; length < 48; ++length) {
        char* a = page.End() - length - 1;
        std::memset(a, 'p', size_t(length));
        a[length] = 0;
        for (int shift = 0; shift < 32; ++shift) {
            char* b = plain + shift;
            std::memcpy(b, a, size_t(length) + 1);
            EXPECT_EQ(CompareStrings(a, b), 0) << length;
            EXPECT_EQ(CompareStrings(b, a), 0) << length;
            b[length] = 'q';
            b[length + 1] = 0;
            EXPECT_EQ(CompareStrings(a, b), -1) << length;
            EXPECT_EQ(CompareStrings(b, a), 1) << length;
            // Both at the ends of their pages, one longer by the shift.
            char* c = other.End() - length - shift - 1;
            std::memset(c, 'p', size_t(length + shift));
            c[length + shift] = 0;
            EXPECT_EQ(CompareStrings(a, c), shift == 0 ? 0 : -1) << length << "+" << shift;
            EXPECT_EQ(CompareStrings(c, a), shift == 0 ? 0 : 1) << length << "+" << shift;
        }
    }
    // A field of n bytes without terminator at the very end of the page.
    char* magic = page.End() - 4;
    std::memcpy(magic, "DDS ", 4);
    EXPECT_EQ(CompareStrings(magic, "DDS ", 4), 0);
    EXPECT_EQ(CompareStrings("DDS x", magic, 4), 0);
    EXPECT_EQ(CompareStrings(magic, "DDT", 3), -1);
}

TEST(Str, ComparePaths) {
    EXPECT_EQ(ComparePaths("C:/Data/Models", "c:\\data\\MODELS"), 0);
    EXPECT_EQ(ComparePaths("a", "b"), -1);
    EXPECT_EQ(ComparePaths("b", "a"), 1);
    EXPECT_EQ(ComparePaths("ab", "abc"), -1);
    // A longer component path sorts after, whatever the characters.
    EXPECT_EQ(ComparePaths("a\\b", "ab"), 1);
    EXPECT_EQ(ComparePaths("ab", "a\\b"), -1);
    // Prefix tests by count: only at a component boundary.
    EXPECT_EQ(ComparePaths("C:\\Data", "C:\\Data\\x", 7), 0);
    EXPECT_EQ(ComparePaths("C:\\Data", "C:\\Database", 7), -1);
    EXPECT_EQ(ComparePaths("C:\\Database", "C:\\Data", 7), 1);
    // A trailing separator inside the count does not count.
    EXPECT_EQ(ComparePaths("C:\\Data\\", "C:\\Data\\x", 8), 0);
    EXPECT_EQ(ComparePaths("C:\\Data\\", "c:/data", 8), 0);
    EXPECT_EQ(ComparePaths(nullptr, ""), 0);
    EXPECT_EQ(ComparePaths(nullptr, "a"), -1);
}

}  // namespace
}  // namespace tovan

#include "core/str.h"

#include "core/float_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace tovan {
namespace {

TEST(ParseInt, SignsSpacesAndTrailingText) {
    int v = 99;
    EXPECT_TRUE(ParseInt("  -42x", v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(ParseInt("\t+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(ParseInt("12abc", v));
    EXPECT_EQ(v, 12);
    v = 99;
    EXPECT_FALSE(ParseInt("+", v));
    EXPECT_EQ(v, 0);
    v = 99;
    EXPECT_FALSE(ParseInt("", v));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(ParseInt(nullptr, v));
    EXPECT_FALSE(ParseInt("- 1", v));
    EXPECT_FALSE(ParseInt("x1", v));
}

TEST(ParseInt, OverflowWrapsLike32BitIntegers) {
    int v = 0;
    EXPECT_TRUE(ParseInt("2147483647", v));
    EXPECT_EQ(v, INT_MAX);
    EXPECT_TRUE(ParseInt("-2147483648", v));
    EXPECT_EQ(v, INT_MIN);
    EXPECT_TRUE(ParseInt("2147483648", v));
    EXPECT_EQ(v, INT_MIN);
    EXPECT_TRUE(ParseInt("4294967297", v));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(ParseInt("99999999999999999999999", v));  // no undefined behaviour on the way
}

TEST(ParseFloat, Forms) {
    struct Case {
        const char* text;
        float value;
    };
    const Case cases[] = {{"1,5e2", 150.0f}, {".5", 0.5f},    {"-.25", -0.25f}, {"  3.", 3.0f}, {"\t+2.5d1", 25.0f},
                          {"1E-3", 0.001f},  {"7e", 7.0f},    {"12abc", 12.0f}, {"0.1", 0.1f},  {"1e4", 1e4f},
                          {"1e-45", 1e-45f}, {"0e70x", 0.0f}, {"100e-2", 1.0f}, {"5D+0", 5.0f}};
    for (const Case& c : cases) {
        float v = -1;
        EXPECT_TRUE(ParseFloat(c.text, v)) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
    float v = 0;
    EXPECT_TRUE(ParseFloat("-0", v));
    EXPECT_TRUE(std::signbit(v));
    EXPECT_TRUE(ParseFloat("3.4e38", v));
    EXPECT_EQ(v, 3.4e38f);
    EXPECT_TRUE(ParseFloat("123456e-40", v));
    EXPECT_EQ(v, 123456e-40f);
}

// Large values printed with all their digits and decimals ("%.3f") read back.
TEST(ParseFloat, LongDigitTextsOfLargeValues) {
    float v = 0;
    EXPECT_TRUE(ParseFloat("340282346638528859811704183484516925440.000", v));
    EXPECT_EQ(v, FLT_MAX);
    EXPECT_TRUE(ParseFloat("-340282346638528859811704183484516925440.000", v));
    EXPECT_EQ(v, -FLT_MAX);
    EXPECT_TRUE(ParseFloat("350000000000000000000000000000000000.000", v));
    EXPECT_EQ(v, 3.5e35f);
    EXPECT_FALSE(ParseFloat("340282366920938463463374607431768211456.000", v));  // 2^128
    EXPECT_EQ(v, 0.0f);
    EXPECT_FALSE(ParseFloat(("1" + std::string(400, '0')).c_str(), v));
}

TEST(ParseFloat, FailuresLeaveZero) {
    const char* bad[] = {"",
                         ".",
                         "-",
                         "e5",
                         "x1",
                         "1e200",
                         "1e39",
                         "1e-126",
                         "1e129",
                         "1e99999999999999999999",
                         "1e-99999999999999999999",
                         nullptr};
    for (const char* text : bad) {
        float v = 5;
        EXPECT_FALSE(ParseFloat(text, v)) << (text ? text : "null");
        EXPECT_EQ(v, 0.0f) << (text ? text : "null");
    }
}

TEST(ParseFloat, ShortNumbersMatchTheCorrectlyRoundedValue) {
    // Up to seven digits and ten decimals the digits and the power of ten are
    // exact, so the one division rounds correctly.
    const char* texts[] = {"0.001", "1.5",   "2.25",     "123.456",     "-7.75",    "0.3",
                           "1e6",   "65504", "0.0625",   "3.1415927",   "0.123457", "99999.99",
                           "1e10",  "1e-10", "-0.00001", "16777215e-3", "1.000001"};
    for (const char* text : texts) {
        float v = 0;
        ASSERT_TRUE(ParseFloat(text, v));
        EXPECT_EQ(v, std::strtof(text, nullptr)) << text;
    }
}

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The nearest float, ties to even. Expected bits were worked out from the exact
// decimal values, not by a parser.
TEST(ParseFloat, RoundsToTheNearestFloat) {
    struct Case {
        const char* text;
        uint32_t bits;
    };
    const Case cases[] = {
        {"16884.113", 0x4683E83A},  // once read as 16884.111
        {"16884.111", 0x4683E839},
        {"0.1", 0x3DCCCCCD},
        {"-0,001", 0xBA83126F},
        {"4294967295", 0x4F800000},
        // Halfway between two floats: to the even one; a hair off: to the nearer.
        {"16777217", 0x4B800000},
        {"16777219", 0x4B800002},
        {"8388608.5", 0x4B000000},
        {"8388609.5", 0x4B000002},
        {"16777217.0000000001", 0x4B800001},
        {"16777216.9999999999", 0x4B800000},
        {"1.000000059604644775390625", 0x3F800000},
        {"1.000000059604644775390625000001", 0x3F800001},
        {"1.000000059604644775390624999999", 0x3F800000},
        {"1.000000178813934326171875", 0x3F800002},
        // The nearest double of these is a halfway point between floats that the
        // decimal itself is not.
        {"67.25706863403320", 0x4286839E},
        {"67.25706863403321", 0x4286839F},
        {"7797032336940964e4", 0x608741C7},
        {"7797032336940965e4", 0x608741C8},
        // Long digit runs: leading zeros do not count, digits past the 19th do.
        {"000000000000000000000000000000000000001.5", 0x3FC00000},
        {"0.00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000001e100",
         0x1E3CE508},
        {"12345678901234567890123456789e-10", 0x5D891088},
        // The top: FLT_MAX, and values below the halfway point to 2^128.
        {"340282346638528859811704183484516925440.000", 0x7F7FFFFF},
        {"340282356779733661637539395458142568447", 0x7F7FFFFF},
        {"3.4028235e38", 0x7F7FFFFF},
        // Subnormals and the bottom.
        {"1e-45", 0x00000001},
        {"0.0000000000000000000000000000000000000000000014", 0x00000001},
        {"7.1e-46", 0x00000001},
        {"2.1e-45", 0x00000001},
        {"2.102e-45", 0x00000002},
        {"1.1754942e-38", 0x007FFFFF},
        {"1.17549435e-38", 0x00800000},
        {"7e-46", 0x00000000},
        {"-7e-46", 0x80000000},
        {"1e-125", 0x00000000},
    };
    for (const Case& c : cases) {
        float v = 5;
        EXPECT_TRUE(ParseFloat(c.text, v)) << c.text;
        EXPECT_EQ(Bits(v), c.bits) << c.text;
    }
    // Halfway between FLT_MAX and 2^128 rounds to 2^128: too large.
    const char* tooLarge[] = {"340282356779733661637539395458142568448", "3.4028236e38", "-3.4028236e38"};
    for (const char* text : tooLarge) {
        float v = 5;
        EXPECT_FALSE(ParseFloat(text, v)) << text;
        EXPECT_EQ(Bits(v), 0u) << text;
    }
}

// A random finite float, every bit pattern alike.
float RandomFloat(std::mt19937& random) {
    for (;;) {
        const uint32_t bits = uint32_t(random());
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            return value;
    }
}

// The nearest float to a text the writer made, from the standard library.
uint32_t NearestBits(const char* text, int length) {
    float value = 0;
    std::from_chars(text, text + length, value);
    return Bits(value);
}

// Collects the first mismatch of a long loop instead of a million failures.
struct FirstMismatch {
    int count = 0;
    std::string first;
    void Check(bool ok, const char* text) {
        if (!ok && count++ == 0)
            first = text;
    }
};

constexpr int kRoundTrips = 1000000;

// Saving writes three decimals (the whole integer part of large values); nine
// significant digits name every float. Either text reads to its nearest float,
// so a value saved twice gives the same text, and one with more than a thousandth
// between it and its neighbours comes back with the same bits.
TEST(ParseFloat, WrittenFloatsReadBackUnchanged) {
    std::mt19937 random(13);
    char text[kFloatTextMax + 1];
    char again[kFloatTextMax + 1];
    FirstMismatch full, saved, resaved;
    for (int i = 0; i < kRoundTrips; ++i) {
        const float value = RandomFloat(random);
        float back = 0;
        int n = FloatToGeneral(text, value, 9);
        text[n] = 0;
        full.Check(ParseFloat(text, back) && Bits(back) == Bits(value), text);

        n = FloatToFixed(text, value, 3);
        text[n] = 0;
        const bool read = ParseFloat(text, back);
        saved.Check(read && Bits(back) == NearestBits(text, n), text);
        if (std::fabs(value) >= 16384.0f)
            saved.Check(Bits(back) == Bits(value), text);
        const int m = FloatToFixed(again, back, 3);
        resaved.Check(m == n && std::memcmp(text, again, size_t(n)) == 0, text);
    }
    EXPECT_EQ(full.count, 0) << "first: " << full.first;
    EXPECT_EQ(saved.count, 0) << "first: " << saved.first;
    EXPECT_EQ(resaved.count, 0) << "first: " << resaved.first;
}

// Doubles written in full ("%.17g") or with three decimals read to the float
// nearest to the text, never to the float nearest to a double on the way.
TEST(ParseFloat, WrittenDoublesReadToTheNearestFloat) {
    std::mt19937_64 random(17);
    std::uniform_int_distribution<int> exponents(-125, 127);
    char text[kFloatTextMax + 1];
    FirstMismatch general, fixed;
    for (int i = 0; i < kRoundTrips; ++i) {
        const double fraction = double(random() >> 11) / double(uint64_t(1) << 53);
        double value = std::ldexp(1.0 + fraction, exponents(random));
        if (random() & 1)
            value = -value;
        float back = 0;
        int n = FloatToGeneral(text, value, 17);
        text[n] = 0;
        // Far below the smallest float the decimal exponent leaves the range.
        const bool inRange = std::fabs(value) >= 1e-30;
        general.Check(!inRange || (ParseFloat(text, back) && Bits(back) == NearestBits(text, n)), text);
        n = FloatToFixed(text, value, 3);
        text[n] = 0;
        fixed.Check(ParseFloat(text, back) && Bits(back) == NearestBits(text, n), text);
    }
    EXPECT_EQ(general.count, 0) << "first: " << general.first;
    EXPECT_EQ(fixed.count, 0) << "first: " << fixed.first;
}

TEST(ParseList, PiecesInOrderAndPartialResults) {
    cList<float> floats;
    EXPECT_FALSE(ParseFloatList("1 2;x 3", floats));
    ASSERT_EQ(floats.Count(), 2);
    EXPECT_EQ(floats[0], 1.0f);
    EXPECT_EQ(floats[1], 2.0f);
    // ',' separates pieces before it can be a decimal separator.
    EXPECT_TRUE(ParseFloatList(" 1,5;\t2.5 ", floats));
    ASSERT_EQ(floats.Count(), 3);
    EXPECT_EQ(floats[0], 1.0f);
    EXPECT_EQ(floats[1], 5.0f);
    EXPECT_EQ(floats[2], 2.5f);
    EXPECT_TRUE(ParseFloatList("", floats));
    EXPECT_EQ(floats.Count(), 0);
    EXPECT_TRUE(ParseFloatList(" ,; ", floats));
    EXPECT_EQ(floats.Count(), 0);

    cList<int> ints;
    ints.PushBack(77);
    EXPECT_TRUE(ParseIntList("1,-2;3\t4 5x", ints));
    ASSERT_EQ(ints.Count(), 5);
    EXPECT_EQ(ints[1], -2);
    EXPECT_EQ(ints[4], 5);
    EXPECT_FALSE(ParseIntList("4 - 5", ints));
    EXPECT_EQ(ints.Count(), 1);
}

TEST(SplitString, Pieces) {
    cList<cStr> list;
    SplitString(",,a,,b,", list, ",");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_STREQ(list[0].GetText(), "a");
    EXPECT_STREQ(list[1].GetText(), "b");
    SplitString("one two\tthree", list, " \t");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_STREQ(list[2].GetText(), "three");
    SplitString("a b", list, "");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_STREQ(list[0].GetText(), "a b");
    SplitString("a b", list, nullptr);
    EXPECT_EQ(list.Count(), 1);
    SplitString("", list, ",");
    EXPECT_EQ(list.Count(), 0);
    SplitString(",,,", list, ",");
    EXPECT_EQ(list.Count(), 0);
    SplitString("\xe9t\xe9", list, "t");  // high bytes are ordinary characters
    ASSERT_EQ(list.Count(), 2);
    EXPECT_STREQ(list[1].GetText(), "\xe9");
}

}  // namespace
}  // namespace tovan

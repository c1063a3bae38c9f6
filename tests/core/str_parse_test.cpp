#include "core/str.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
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
    // Near the top the power of ten itself is rounded: within a unit in the last place.
    EXPECT_TRUE(ParseFloat("3.4e38", v));
    EXPECT_NEAR(v, 3.4e38f, 3.4e38f * 1.2e-7f);
    // Below the range of the whole power the steps still reach small normal values.
    EXPECT_TRUE(ParseFloat("123456e-40", v));
    EXPECT_NEAR(v, 1.23456e-35f, 1.23456e-35f * 1e-6f);
}

// Large values printed with all their digits and decimals ("%.3f") read back:
// their digits overflow a float sum before the decimals are divided out.
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

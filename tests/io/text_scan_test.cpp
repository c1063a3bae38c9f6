// The text readers' float scanning: the framework's forms, rounded correctly.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "core/str.h"
#include "io/codecs/text_scan.h"

namespace tovan {
namespace {

bool Float(const std::string& text, float& out, size_t* used = nullptr) {
    const char* at = text.data();
    const bool ok = text::ScanFloat(at, text.data() + text.size(), out);
    if (used)
        *used = size_t(at - text.data());
    return ok;
}

uint32_t Bits(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return bits;
}

// Where both accept a text they read the same value from it.
TEST(ScanFloat, AcceptsTheFormsParseFloatAccepts) {
    struct Case {
        const char* text;
        size_t used;
    };
    const Case cases[] = {{"1,5e2", 5}, {".5", 2},    {"-.25", 4},     {"3.", 2},    {"+2.5d1", 6},
                          {"1E-3", 4},  {"7e", 2},    {"12abc", 2},    {"0.1", 3},   {"1e4", 3},
                          {"1e-45", 5}, {"0e70x", 4}, {"100e-2", 6},   {"5D+0", 4},  {"-0", 2},
                          {"0.5/2", 3}, {"1e+", 3},   {"00012.50", 8}, {"-7.75", 5}, {"65504", 5}};
    for (const Case& c : cases) {
        float scanned = -1, parsed = -1;
        size_t used = 0;
        ASSERT_TRUE(Float(c.text, scanned, &used)) << c.text;
        ASSERT_TRUE(ParseFloat(c.text, parsed)) << c.text;
        EXPECT_EQ(Bits(scanned), Bits(parsed)) << c.text;
        EXPECT_EQ(used, c.used) << c.text;
    }
}

// Below the smallest float a value rounds to zero of its sign; beyond the
// largest it is refused (0).
TEST(ScanFloat, EdgesOfTheRange) {
    struct Case {
        const char* text;
        float value;
    };
    for (const char* text : {"", ".", "-", "e5", "x1", "1e39", "-1e39", "3.5e38", "1e99999999999999999999",
                             "340282366920938463463374607431768211456"}) {
        float v = 5;
        EXPECT_FALSE(Float(text, v)) << text;
        EXPECT_EQ(v, 0.0f) << text;
    }
    const Case cases[] = {{"1e-126", 0.0f},
                          {"-1e-50", -0.0f},
                          {"1e-99999999", 0.0f},
                          {"7e-46", 0.0f},
                          {"7.1e-46", 1.4e-45f},
                          {"1.4e-45", 1.4e-45f},
                          {"0.0000000000000000000000000000000000000000000000000000001", 0.0f},
                          {"1.17549435e-38", FLT_MIN}};
    for (const Case& c : cases) {
        float v = 5;
        ASSERT_TRUE(Float(c.text, v)) << c.text;
        EXPECT_EQ(Bits(v), Bits(c.value)) << c.text;
    }
}

// Values a float made from the nearest double would round twice wrong: each
// nearest double lies exactly halfway between two floats, while the decimal
// lies to one side of it.
TEST(ScanFloat, HalfwayCasesRoundToTheNearestFloat) {
    struct Case {
        const char* text;
        uint32_t bits;
    };
    const Case cases[] = {
        {"1801439958322381e1", 0x5A800001},
        {"1801440602567475e1", 0x5A800003},
        {"953674714310182e-21", 0x35800003},
        {"953675169057533e-21", 0x35800008},
        {"1.000000059604644776", 0x3F800001},                     // just above 1 + 2^-24
        {"1.000000059604644775", 0x3F800000},                     // just below
        {"1.000000059604644775390625", 0x3F800000},               // exactly halfway: to even
        {"1.000000178813934326171875", 0x3F800002},               // 1 + 3 x 2^-24, halfway: to even (up)
        {"16777217", 0x4B800000},                                 // 2^24 + 1: to even (down)
        {"16777219", 0x4B800002},                                 // 2^24 + 3: to even (up)
        {"340282356779733661637539395458142568447", 0x7F7FFFFF},  // a hair under the overflow edge
        {"3.4028235e38", 0x7F7FFFFF},
    };
    for (const Case& c : cases) {
        float v = 0;
        ASSERT_TRUE(Float(c.text, v)) << c.text;
        EXPECT_EQ(Bits(v), c.bits) << c.text;
    }
}

// Texts as files hold them, compared with the library's correctly rounded reader.
TEST(ScanFloat, AgreesWithACorrectlyRoundedReader) {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    const auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 200000; ++i) {
        std::string text = (next() & 1) ? "-" : "";
        const int digits = 1 + int(next() % 24);
        const int point = int(next() % (digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point && d > 0)
                text += '.';
            text += char('0' + next() % 10);
        }
        if (next() % 3 == 0)
            text += "e" + std::to_string(int(next() % 90) - 50);
        float expected = 0;
        const auto r = std::from_chars(text.data(), text.data() + text.size(), expected);
        if (r.ec != std::errc())
            continue;  // out of range: the failure and zero cases are tested above
        float v = 0;
        ASSERT_TRUE(Float(text, v)) << text;
        ASSERT_EQ(Bits(v), Bits(expected)) << text;
    }
}

}  // namespace
}  // namespace tovan

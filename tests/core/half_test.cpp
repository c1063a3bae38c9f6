// Half floats: exact bytes of the conversions and their rounding.
#include "core/half.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace tovan {
namespace {

float Bits(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

uint32_t BitsOf(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

// The value a half stands for, computed independently of the code under test.
double HalfValue(uint16_t h) {
    const int exponent = (h >> 10) & 0x1F;
    const int mantissa = h & 0x3FF;
    const double sign = (h & 0x8000) ? -1.0 : 1.0;
    if (exponent == 0)
        return sign * std::ldexp(double(mantissa), -24);
    return sign * std::ldexp(1.0 + mantissa / 1024.0, exponent - 15);
}

TEST(Half, KnownValues) {
    EXPECT_EQ(FloatToHalf(1.0f), 0x3C00);
    EXPECT_EQ(FloatToHalf(-2.0f), 0xC000);
    EXPECT_EQ(FloatToHalf(0.0f), 0x0000);
    EXPECT_EQ(FloatToHalf(-0.0f), 0x8000);
    EXPECT_EQ(FloatToHalf(65504.0f), 0x7BFF);  // largest finite half
    EXPECT_EQ(FloatToHalf(0.5f), 0x3800);
    EXPECT_EQ(FloatToHalf(std::ldexp(1.0f, -14)), 0x0400);  // smallest normal
}

TEST(Half, RoundsHalfUp) {
    // 1 + 2^-11 lies exactly between 0x3C00 and 0x3C01: rounding half up (not to even).
    EXPECT_EQ(FloatToHalf(1.0f + std::ldexp(1.0f, -11)), 0x3C01);
    EXPECT_EQ(FloatToHalf(std::nextafter(1.0f + std::ldexp(1.0f, -11), 0.0f)), 0x3C00);
    // A carry out of the mantissa moves to the next exponent.
    EXPECT_EQ(FloatToHalf(std::nextafter(2.0f, 0.0f)), 0x4000);
}

TEST(Half, OverflowGivesInfinity) {
    EXPECT_EQ(FloatToHalf(65520.0f), 0x7C00);  // rounds up past the largest half
    EXPECT_EQ(FloatToHalf(std::nextafter(65520.0f, 0.0f)), 0x7BFF);
    EXPECT_EQ(FloatToHalf(1e10f), 0x7C00);
    EXPECT_EQ(FloatToHalf(-1e10f), 0xFC00);
    EXPECT_EQ(FloatToHalf(INFINITY), 0x7C00);
    EXPECT_EQ(FloatToHalf(-INFINITY), 0xFC00);
    EXPECT_EQ(FloatToHalf(3.4028235e38f), 0x7C00);
}

TEST(Half, NaNStaysNaN) {
    for (uint32_t bits : {0x7FC00000u, 0x7F800001u, 0xFF800001u, 0x7F801FFFu, 0x7FFFFFFFu}) {
        const uint16_t h = FloatToHalf(Bits(bits));
        EXPECT_EQ(h & 0x7C00, 0x7C00) << std::hex << bits;
        EXPECT_NE(h & 0x3FF, 0) << std::hex << bits;
        EXPECT_EQ(h & 0x8000, (bits >> 16) & 0x8000) << std::hex << bits;
        EXPECT_TRUE(std::isnan(HalfToFloat(h)));
    }
    EXPECT_EQ(FloatToHalf(Bits(0x7FC00000u)), 0x7E00);  // payload's top bits kept
}

TEST(Half, SubnormalsAndUnderflow) {
    const float smallest = std::ldexp(1.0f, -24);
    EXPECT_EQ(FloatToHalf(smallest), 0x0001);
    EXPECT_EQ(HalfToFloat(0x0001), smallest);
    EXPECT_EQ(HalfToFloat(0x8001), -smallest);
    EXPECT_EQ(FloatToHalf(std::ldexp(1.0f, -25)), 0x0001);  // exactly half: up
    EXPECT_EQ(FloatToHalf(std::nextafter(std::ldexp(1.0f, -25), 0.0f)), 0x0000);
    EXPECT_EQ(FloatToHalf(-std::ldexp(1.0f, -26)), 0x8000);
    // Far below the range: no shift of 32 or more, just signed zero.
    EXPECT_EQ(FloatToHalf(1e-30f), 0x0000);
    EXPECT_EQ(FloatToHalf(-1e-30f), 0x8000);
    EXPECT_EQ(FloatToHalf(Bits(0x00000001u)), 0x0000);  // float subnormal
    EXPECT_EQ(FloatToHalf(Bits(0x80400000u)), 0x8000);
    // The largest subnormal rounds up into the smallest normal.
    EXPECT_EQ(FloatToHalf(std::ldexp(1023.5f, -24)), 0x0400);
    EXPECT_EQ(HalfToFloat(0x03FF), std::ldexp(1023.0f, -24));
}

TEST(Half, HalfToFloatSpecials) {
    EXPECT_EQ(BitsOf(HalfToFloat(0x8000)), 0x80000000u);
    EXPECT_EQ(BitsOf(HalfToFloat(0x0000)), 0x00000000u);
    EXPECT_EQ(HalfToFloat(0x7C00), INFINITY);
    EXPECT_EQ(HalfToFloat(0xFC00), -INFINITY);
    EXPECT_EQ(BitsOf(HalfToFloat(0x7E01)), 0x7FC02000u);  // mantissa kept
}

TEST(Half, EveryHalfRoundTripsAndHasItsValue) {
    for (uint32_t h = 0; h < 0x10000; ++h) {
        const float f = HalfToFloat(uint16_t(h));
        if ((h & 0x7C00) != 0x7C00) {
            ASSERT_EQ(double(f), HalfValue(uint16_t(h))) << std::hex << h;
        }
        ASSERT_EQ(FloatToHalf(f), h) << std::hex << h;
    }
}

TEST(Half, EveryMidpointRoundsUp) {
    // Between two neighbouring finite halves of one sign, the midpoint goes to the
    // larger magnitude and the float just below it to the smaller.
    for (uint32_t h = 0; h < 0x7BFF; ++h) {
        const double mid = (HalfValue(uint16_t(h)) + HalfValue(uint16_t(h + 1))) / 2;
        const float midpoint = float(mid);
        ASSERT_EQ(double(midpoint), mid) << std::hex << h;  // exactly representable
        ASSERT_EQ(FloatToHalf(midpoint), h + 1) << std::hex << h;
        ASSERT_EQ(FloatToHalf(-midpoint), (h + 1) | 0x8000) << std::hex << h;
        ASSERT_EQ(FloatToHalf(std::nextafter(midpoint, 0.0f)), h) << std::hex << h;
    }
}

}  // namespace
}  // namespace tovan

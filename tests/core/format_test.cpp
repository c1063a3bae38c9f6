// Exact texts of the framework's formatter. These run in every build, so they
// also prove that native and Windows builds write the same bytes.
#include "core/float_text.h"
#include "core/format.h"
#include "core/str.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace tovan {
namespace {

// No format attribute: the cases below include what compilers warn about.
std::string F(const char* fmt, ...) {
    char buffer[2000];
    va_list args;
    va_start(args, fmt);
    FormatTextV(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

TEST(Format, Integers) {
    EXPECT_EQ(F("%d|%i|%u", -42, 7, 3000000000u), "-42|7|3000000000");
    EXPECT_EQ(F("%d", INT_MIN), "-2147483648");
    EXPECT_EQ(F("%lld|%llu", LLONG_MIN, ULLONG_MAX), "-9223372036854775808|18446744073709551615");
    EXPECT_EQ(F("%I64d|%I64u|%I32d", int64_t(-5), uint64_t(5), 6), "-5|5|6");
    EXPECT_EQ(F("%zu|%hhd|%hd|%ld", size_t(12), 300, 70000, 9L), "12|44|4464|9");
    EXPECT_EQ(F("%5d|%-5d|%05d|%+d|% d|%+05d", 42, 42, -42, 42, 42, 42), "   42|42   |-0042|+42| 42|+0042");
    EXPECT_EQ(F("%.3d|%8.3d|%-8.3d|%08.3d", 7, -7, 7, 7), "007|    -007|007     |     007");
    EXPECT_EQ(F("%.0d|%.0x|%#.0o", 0, 0u, 0u), "||0");
    EXPECT_EQ(F("%x|%X|%#x|%#X|%o|%#o|%#x", 255u, 255u, 255u, 255u, 8u, 8u, 0u), "ff|FF|0xff|0XFF|10|010|0");
    EXPECT_EQ(F("%#010x", 255u), "0x000000ff");
    EXPECT_EQ(F("%*d|%-*d|%.*d", 4, 1, 3, 2, 3, 3), "   1|2  |003");
    EXPECT_EQ(F("%*d", -4, 1), "1   ");
}

TEST(Format, TextsAndOthers) {
    EXPECT_EQ(F("%s|%5s|%-5s|%.2s|%c|%3c|%%", "abc", "ab", "ab", "abcdef", 'x', 'y'), "abc|   ab|ab   |ab|x|  y|%");
    const char* none = nullptr;
    EXPECT_EQ(F("%s", none), "(null)");
    char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(F("%.3s", unterminated), "abc");  // precision bounds the read
    EXPECT_EQ(F("%p", reinterpret_cast<void*>(uintptr_t(0xbeef))), "0xbeef");
    int target = 5;
    EXPECT_EQ(F("a%nb", &target), "ab");
    EXPECT_EQ(target, 5);  // %n never writes
    EXPECT_EQ(F("plain text"), "plain text");
}

TEST(Format, UnknownConversionsAndCutOutput) {
    char buffer[8];
    EXPECT_EQ(FormatText(buffer, sizeof buffer, "%s", "0123456789"), 7);
    EXPECT_STREQ(buffer, "0123456");
    EXPECT_EQ(FormatText(buffer, 1, "%d", 5), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(FormatText(buffer, 0, "%d", 5), 0);
    EXPECT_EQ(FormatText(buffer, sizeof buffer, "%5d%5d", 1, 2), 7);
    EXPECT_STREQ(buffer, "    1  ");
    EXPECT_EQ(FormatTextV(buffer, sizeof buffer, nullptr, nullptr), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(Format, FloatsAreCorrectlyRoundedFromTheBinaryValue) {
    EXPECT_EQ(F("%f|%.3f|%.0f|%.1f", 1.5, 2.0, 2.5, 0.05), "1.500000|2.000|2|0.1");
    // Exact binary ties: 0.125 and 2.5 are exact, so ties go to the even digit.
    EXPECT_EQ(F("%.2f|%.0f|%.0f|%.0f", 0.125, 0.5, 1.5, 3.5), "0.12|0|2|4");
    // 1.0005f is 1.00049996..., 2.0005f is 2.00049996...: below the tie.
    EXPECT_EQ(F("%.3f|%.3f", double(1.0005f), double(2.0005f)), "1.000|2.000");
    EXPECT_EQ(F("%.3f|%.3f", -0.0, -0.0004), "-0.000|-0.000");
    EXPECT_EQ(F("%8.3f|%-8.2f|%08.2f|%+.1f|% .1f", 3.14159, 2.5, -2.5, 1.0, 1.0),
              "   3.142|2.50    |-0002.50|+1.0| 1.0");
    EXPECT_EQ(F("%#.0f|%#.0e", 3.0, 3.0), "3.|3.e+00");
    EXPECT_EQ(F("%.3f", 1e20), "100000000000000000000.000");
    EXPECT_EQ(F("%.20f", 0.1), "0.10000000000000000555");
    EXPECT_EQ(F("%Lf", 1.25L), "1.250000");
}

TEST(Format, ScientificAndGeneral) {
    EXPECT_EQ(F("%e|%.2E|%.0e", 150.0, 0.000123, 5e-300), "1.500000e+02|1.23E-04|5e-300");
    EXPECT_EQ(F("%g|%g|%g|%g|%g", 100000.0, 1000000.0, 0.0001, 0.00001, 0.0), "100000|1e+06|0.0001|1e-05|0");
    EXPECT_EQ(F("%.3g|%.10g|%G|%.0g", 3.14159, 0.1, 1e-10, 123.0), "3.14|0.1|1E-10|1e+02");
    EXPECT_EQ(F("%#g|%#.3g|%#g", 1.0, 100.0, 1e10), "1.00000|100.|1.00000e+10");
    EXPECT_EQ(F("%g|%.3g", 999999.5, 9.9951), "1e+06|10");
}

TEST(Format, NonFiniteValuesAreSpelledAlike) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(F("%f|%f|%F|%e|%G", inf, -inf, inf, nan, -nan), "inf|-inf|INF|nan|-NAN");
    EXPECT_EQ(F("%06.2f|%-5f|%+f", inf, nan, inf), "   inf|nan  |+inf");
}

TEST(Format, FloatTextHeader) {
    char out[kFloatTextMax];
    EXPECT_EQ(std::string(out, size_t(FloatToFixed(out, 0.0625, 3))), "0.062");
    EXPECT_EQ(std::string(out, size_t(FloatToFixed(out, 2.675, 2))), "2.67");  // 2.67499999...
    EXPECT_EQ(std::string(out, size_t(FloatToScientific(out, 1234.5, 2, true))), "1.23E+03");
    EXPECT_EQ(std::string(out, size_t(FloatToGeneral(out, 1234.5, 6))), "1234.5");
    const int n = FloatToFixed(out, -1.7976931348623157e308, 5000);  // clamped, fits
    EXPECT_EQ(n, 1 + 309 + 1 + kFloatMaxDecimals);
}

cStr FormatVOf(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    cStr out = cStr::FormatV(fmt, args);
    va_end(args);
    return out;
}

TEST(StrFormat, FormatKeepsAtMostItsLimit) {
    std::string big;
    for (int i = 0; big.size() < 12000; ++i)
        big += std::to_string(i) + ",";
    big.resize(12000);
    cStr a = cStr::Format("%s", big.c_str());
    EXPECT_EQ(a.Length(), cStr::kFormatLimit);
    EXPECT_EQ(a.Length(), 9998);
    EXPECT_TRUE(std::string(a.GetText()) == big.substr(0, 9998)) << "the first characters are kept";
    cStr v = FormatVOf("%s", big.c_str());
    EXPECT_EQ(v.Length(), 12000);
    EXPECT_TRUE(std::string(v.GetText()) == big);
    const std::string longer(25000, 'v');
    EXPECT_EQ(FormatVOf("%s", longer.c_str()).Length(), cStr::kFormatVLimit);
    cStr b;
    b.AppendFormat("%s", big.c_str());
    EXPECT_EQ(b.Length(), 12000);
    const std::string huge(30000, 'y');
    b.AppendFormat("%s", huge.c_str());
    EXPECT_EQ(b.Length(), 12000 + 19998);
    EXPECT_EQ(cStr::Format("%s", "").Data(), nullptr);  // empty result, no buffer
    EXPECT_STREQ(cStr::Format("%d-%s-%.2f", 3, "x", 0.5).GetText(), "3-x-0.50");
}

TEST(StrFormat, NumbersToText) {
    EXPECT_STREQ(cStr::FromFloat(3.14159f, 2).GetText(), "3.14");
    EXPECT_STREQ(cStr::FromFloat(-1.5f, 0).GetText(), "-2");
    EXPECT_STREQ(cStr::FromFloat(2.5f, -3).GetText(), "2");
    const int ints[] = {1, -2, 30};
    EXPECT_STREQ(IntsToString(ints, 3).GetText(), "1 -2 30");
    EXPECT_EQ(IntsToString(ints, 0).Data(), nullptr);
    EXPECT_EQ(IntsToString(ints, -1).Data(), nullptr);
    const float floats[] = {1.0f, -0.5f, 0.0625f, 1.0005f, 1e10f, std::numeric_limits<float>::quiet_NaN()};
    EXPECT_STREQ(FloatsToString(floats, 6).GetText(), "1.000 -0.500 0.062 1.000 10000000000.000 nan");
    cList<cStr> words;
    EXPECT_STREQ(JoinStrings(words).GetText(), "");
    words.PushBack("a");
    words.PushBack("bc");
    EXPECT_STREQ(JoinStrings(words).GetText(), "a bc");
}

}  // namespace
}  // namespace tovan

#include "core/stream.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace tovan {
namespace {

cStream Bytes(const char* text, int n) {
    cStream s;
    s.WriteBlock(text, n);
    s.m_Position = 0;
    return s;
}

TEST(Stream, WritesInsertAtThePosition) {
    cStream s;
    s.WriteU8(0xAA);
    s.WriteU8(0xBB);
    s.m_Position = 0;
    s.WriteI32(0x01020304);
    EXPECT_EQ(s.Count(), 6);
    EXPECT_EQ(s.m_Position, 4);
    const uint8_t expected[] = {4, 3, 2, 1, 0xAA, 0xBB};
    EXPECT_EQ(std::memcmp(s.Data(), expected, 6), 0);

    s.m_Position = s.Count();
    s.WriteU16(0xBEEF);
    s.WriteI16(-2);
    s.WriteF32(1.0f);
    s.WriteU32(0xFFFFFFFFu);
    const uint8_t tail[] = {0xEF, 0xBE, 0xFE, 0xFF, 0, 0, 0x80, 0x3F, 0xFF, 0xFF, 0xFF, 0xFF};
    ASSERT_EQ(s.Count(), 18);
    EXPECT_EQ(std::memcmp(s.Data() + 6, tail, sizeof tail), 0);
    s.m_Position = 1000;  // off the end: writes append
    s.WriteU8(7);
    EXPECT_EQ(s.Count(), 19);
    EXPECT_EQ(s.m_Position, 19);
}

TEST(Stream, ReadsRoundTripAndFailWithoutMoving) {
    cStream s;
    s.WriteU8(200);
    s.WriteI16(-300);
    s.WriteI32(INT_MIN);
    s.WriteF32(-2.5f);
    s.WriteU16(65535);
    ASSERT_TRUE(s.WriteString("name"));
    s.m_Position = 0;
    int8_t i8;
    int16_t i16;
    int32_t i32;
    float f;
    uint16_t u16;
    cStr text;
    EXPECT_TRUE(s.ReadI8(i8));
    EXPECT_EQ(i8, -56);
    EXPECT_TRUE(s.ReadI16(i16));
    EXPECT_EQ(i16, -300);
    EXPECT_TRUE(s.ReadI32(i32));
    EXPECT_EQ(i32, INT_MIN);
    EXPECT_TRUE(s.ReadF32(f));
    EXPECT_EQ(f, -2.5f);
    EXPECT_TRUE(s.ReadU16(u16));
    EXPECT_EQ(u16, 65535);
    EXPECT_TRUE(s.ReadString(text));
    EXPECT_STREQ(text.GetText(), "name");
    EXPECT_EQ(s.Remaining(), 0);

    s.m_Position = s.Count() - 3;
    uint32_t u32 = 9;
    EXPECT_FALSE(s.ReadU32(u32));
    EXPECT_EQ(u32, 0u);
    EXPECT_EQ(s.m_Position, s.Count() - 3);
    uint8_t block[4];
    EXPECT_FALSE(s.ReadBlock(block, 4));
    EXPECT_FALSE(s.ReadBlock(block, -1));
    EXPECT_TRUE(s.ReadBlock(block, 3));
    EXPECT_EQ(std::memcmp(block, "ame", 3), 0);
    uint8_t u8;
    EXPECT_FALSE(s.ReadU8(u8));
    s.m_Position = -5;  // a broken position reads nothing
    EXPECT_FALSE(s.ReadU8(u8));
    EXPECT_EQ(s.Remaining(), 0);

    cStr big;
    big.Fill(40000, 'x');
    EXPECT_FALSE(s.WriteString(big));
}

TEST(Stream, HugeLengthsFromAFileAreRefused) {
    cStream s = Bytes("abcdefgh", 8);
    s.m_Position = 4;
    char out[8];
    EXPECT_FALSE(s.ReadBlock(out, INT_MAX));  // position + n would overflow
    EXPECT_FALSE(s.ReadBlock(out, INT_MAX - 2));
    EXPECT_EQ(s.m_Position, 4);
    cStr text;
    EXPECT_FALSE(s.ReadText(INT_MAX, text));
    EXPECT_STREQ(text.GetText(), "efgh");  // what was left, passed over
    EXPECT_EQ(s.m_Position, 8);
}

TEST(Stream, TextReads) {
    cStream s = Bytes("ab\0cd", 5);
    cStr text("old");
    EXPECT_FALSE(s.ReadText(-1, text));
    EXPECT_STREQ(text.GetText(), "");
    EXPECT_EQ(s.m_Position, 0);
    EXPECT_FALSE(s.ReadText(4, text));  // holds a 0
    EXPECT_EQ(s.m_Position, 4);
    EXPECT_TRUE(s.ReadText(0, text));
    EXPECT_STREQ(text.GetText(), "");

    cStream n = Bytes(
        "\xff\xff"
        "abc",
        5);  // length -1
    EXPECT_FALSE(n.ReadString(text));
    cStream shortLength = Bytes("\x05", 1);
    EXPECT_FALSE(shortLength.ReadString(text));
    EXPECT_EQ(shortLength.m_Position, 0);
}

TEST(Stream, ReadVec3StopsAtTheFirstShortage) {
    cStream s;
    s.WriteF32(1.0f);
    s.WriteF32(2.0f);
    s.WriteU16(0);
    s.m_Position = 0;
    cVec3 v{9, 9, 9};
    EXPECT_FALSE(s.ReadVec3(v));
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.y, 2.0f);
    EXPECT_EQ(s.m_Position, 8);
}

TEST(Stream, ReadLine) {
    cStream s = Bytes("a\r\n\r\nb", 6);
    cStr line;
    EXPECT_TRUE(s.ReadLine(line));
    EXPECT_STREQ(line.GetText(), "a");
    EXPECT_TRUE(s.ReadLine(line));
    EXPECT_STREQ(line.GetText(), "b");
    EXPECT_FALSE(s.ReadLine(line));
    EXPECT_STREQ(line.GetText(), "");

    cStream ends = Bytes("x\n\r\n", 4);
    EXPECT_TRUE(ends.ReadLine(line));
    EXPECT_STREQ(line.GetText(), "x");
    EXPECT_TRUE(ends.ReadLine(line));  // only line ends remain: one empty line
    EXPECT_STREQ(line.GetText(), "");
    EXPECT_FALSE(ends.ReadLine(line));

    cStream empty;
    EXPECT_FALSE(empty.ReadLine(line));
}

TEST(Stream, EmptyReadsSucceedEvenWithoutBytes) {
    cStream none;  // no byte block at all
    char block[4];
    cStr text("old");
    EXPECT_TRUE(none.ReadBlock(block, 0));
    EXPECT_TRUE(none.ReadText(0, text));
    EXPECT_STREQ(text.GetText(), "");
    EXPECT_FALSE(none.ReadBlock(block, 1));
    cStream end = Bytes("ab", 2);
    end.m_Position = 2;
    EXPECT_TRUE(end.ReadBlock(block, 0));
    EXPECT_EQ(end.m_Position, 2);
}

}  // namespace
}  // namespace tovan

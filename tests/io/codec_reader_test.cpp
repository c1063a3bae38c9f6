#include "io/codecs/reader.h"

#include <gtest/gtest.h>

#include "tests/io/codec_files.h"

namespace tovan {
namespace {

using test::SetBytes;

TEST(Reader, ReadsLittleEndianFieldsFromThePosition) {
    cStream s;
    SetBytes(s, std::string("\x09\x01\x02\x03\x04\x05\x06\xFE\xFF\x00\x00\x80\x3F", 13));
    s.m_Position = 1;
    cReader r(s);
    uint8_t a;
    uint16_t b;
    uint32_t c;
    int16_t d;
    float f;
    EXPECT_TRUE(r.U8(a) && r.U16(b) && r.U32(c) && r.I16(d));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 0x0302);
    EXPECT_EQ(c, 0xFE060504u);
    EXPECT_EQ(d, 0x00FF);
    EXPECT_TRUE(r.Skip(0) && r.Offset() == 9);
    EXPECT_FALSE(r.F32(f));  // three bytes left
    EXPECT_EQ(f, 0.0f);
    EXPECT_FALSE(r.Ok());
}

TEST(Reader, FirstFailureFailsEveryLaterRead) {
    cStream s;
    SetBytes(s, std::string(8, '\x07'));
    cReader r(s);
    EXPECT_FALSE(r.Skip(9));
    EXPECT_EQ(s.m_Position, 0);  // a refused read moves nothing
    uint8_t v = 1;
    EXPECT_FALSE(r.U8(v));
    EXPECT_EQ(v, 0);
    EXPECT_EQ(r.Take(1), nullptr);
    EXPECT_EQ(r.Remaining(), 0);
}

TEST(Reader, TakeHandsOutBytesInPlaceAndSeekStaysInsideTheFile) {
    cStream s;
    SetBytes(s, test::Counting(10));
    s.m_Position = 2;
    cReader r(s);
    const uint8_t* p = r.Take(3);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p, s.Data() + 2);
    EXPECT_TRUE(r.SeekTo(8));  // offsets count from where the reader began
    EXPECT_EQ(s.m_Position, 10);
    EXPECT_TRUE(r.SeekTo(0));
    EXPECT_EQ(s.m_Position, 2);
    EXPECT_FALSE(r.SeekTo(9));
    EXPECT_FALSE(r.Ok());
}

TEST(Reader, CountsAreTrustedOnlyWhenTheirRecordsFit) {
    cStream s;
    std::string bytes;
    test::PutU32(bytes, 3);
    bytes += std::string(12, 'x');
    SetBytes(s, bytes);
    {
        cReader r(s);
        int32_t n;
        EXPECT_TRUE(r.Count(n, 4));
        EXPECT_EQ(n, 3);
        EXPECT_TRUE(r.Fits(12, 1));
        EXPECT_FALSE(r.Fits(13, 1));
        EXPECT_FALSE(r.Fits(-1, 1));
        EXPECT_TRUE(r.Fits(1000000, 0));
        // A product that would wrap in 64 bits is still refused.
        EXPECT_FALSE(r.Fits(INT64_MAX / 2, 4));
    }
    s.m_Position = 0;
    {
        cReader r(s);
        int32_t n;
        EXPECT_FALSE(r.Count(n, 5));  // 3 x 5 > 12
        EXPECT_EQ(n, 0);
        EXPECT_FALSE(r.Ok());
    }
    bytes.clear();
    test::PutU32(bytes, 0xFFFFFFFF);
    SetBytes(s, bytes);
    cReader negative(s);
    int32_t n;
    EXPECT_FALSE(negative.Count(n, 0));
}

TEST(Reader, TextAndStringsFollowTheStreamRules) {
    cStream s;
    std::string bytes;
    test::PutU16(bytes, 3);
    bytes += "abc";
    test::PutU16(bytes, 0xFFFF);  // negative length
    SetBytes(s, bytes);
    cReader r(s);
    cStr text;
    EXPECT_TRUE(r.String(text));
    EXPECT_EQ(text, "abc");
    EXPECT_FALSE(r.String(text));
    EXPECT_FALSE(r.Ok());
}

TEST(Reader, APositionOffTheStreamFailsAtOnce) {
    cStream s;
    SetBytes(s, "abc");
    s.m_Position = 7;
    cReader r(s);
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.Remaining(), 0);
}

}  // namespace
}  // namespace tovan

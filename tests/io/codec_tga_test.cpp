#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "io/codecs/image_codec.h"
#include "tests/io/codec_files.h"

namespace tovan {
namespace {

bool Decode(const std::string& bytes, cImage& image) { return test::DecodeBytes(cCodecTga(), bytes, image); }

using test::PutU16;
using test::PutU8;

std::string TgaHeader(int type, int width, int height, int bits, int descriptor = 0, int mapLength = 0,
                      int mapBits = 0) {
    std::string s;
    PutU8(s, 0);
    PutU8(s, mapLength ? 1 : 0);
    PutU8(s, unsigned(type));
    PutU16(s, 0);
    PutU16(s, unsigned(mapLength));
    PutU8(s, unsigned(mapBits));
    PutU16(s, 0);
    PutU16(s, 0);
    PutU16(s, unsigned(width));
    PutU16(s, unsigned(height));
    PutU8(s, unsigned(bits));
    PutU8(s, unsigned(descriptor));
    return s;
}

TEST(TgaCodec, RunLengthPacketsRepeatOrCopyTexels) {
    const std::string file = TgaHeader(10, 6, 1, 24) + "\x83" + "\x01\x02\x03" + "\x01" + "\x04\x05\x06\x07\x08\x09";
    cImage image;
    ASSERT_TRUE(Decode(file, image));
    EXPECT_EQ(image.m_Format, ImageFormat::Rgb8);
    const std::string run("\x03\x02\x01", 3);
    EXPECT_EQ(test::GetBytes(image), run + run + run + run + "\x06\x05\x04\x09\x08\x07");
}

// Packets may run on across rows; with the top-left origin bit the first file
// row is the image's last.
TEST(TgaCodec, RunLengthFileWithTopLeftOriginIsTurnedOver) {
    const std::string texels("\x82\x10\x20\x30\x40\x00\x50\x60\x70\x80", 10);  // 3 x one texel, then one texel
    cImage top, bottom;
    ASSERT_TRUE(Decode(TgaHeader(10, 2, 2, 32, 0x28) + texels, top));
    ASSERT_TRUE(Decode(TgaHeader(10, 2, 2, 32, 0x08) + texels, bottom));
    const std::string a("\x30\x20\x10\x40", 4), b("\x70\x60\x50\x80", 4);
    EXPECT_EQ(test::GetBytes(bottom), a + a + a + b);
    EXPECT_EQ(test::GetBytes(top), a + b + a + a);
}

TEST(TgaCodec, TopLeftAndBottomLeftFilesGiveTheSameImage) {
    const std::string row0("\x01\x02\x03\x04\x05\x06", 6), row1("\x07\x08\x09\x0A\x0B\x0C", 6);
    cImage top, bottom;
    ASSERT_TRUE(Decode(TgaHeader(2, 2, 2, 24, 0x20) + row1 + row0, top));
    ASSERT_TRUE(Decode(TgaHeader(2, 2, 2, 24, 0) + row0 + row1, bottom));
    EXPECT_EQ(test::GetBytes(top), test::GetBytes(bottom));
}

TEST(TgaCodec, RunLengthPacketsMayNotOverrunTheImageOrTheData) {
    cImage image;
    EXPECT_FALSE(Decode(TgaHeader(10, 2, 1, 24) + "\x82\x01\x02\x03", image));  // three texels for two
    EXPECT_FALSE(Decode(TgaHeader(10, 2, 1, 24) + "\x02\x01\x02\x03\x04\x05\x06\x07\x08\x09", image));
    EXPECT_FALSE(Decode(TgaHeader(10, 2, 1, 24) + "\x01\x01\x02\x03\x04\x05", image));  // data ends early
    EXPECT_FALSE(Decode(TgaHeader(10, 2, 1, 24) + "\x80\x01\x02\x03", image));          // image not filled
    EXPECT_TRUE(Decode(TgaHeader(10, 2, 1, 24) + "\x81\x01\x02\x03", image));
    EXPECT_FALSE(Decode(TgaHeader(2, 2, 1, 24) + std::string(5, '\0'), image));  // plain data too short
}

TEST(TgaCodec, ColourMapsAreLookedUpAndIndicesChecked) {
    std::string map("\x10\x20\x30\x40\x50\x60", 6);  // two 24-bit entries, blue first
    cImage image;
    ASSERT_TRUE(Decode(TgaHeader(1, 3, 1, 8, 0, 2, 24) + map + std::string("\x01\x00\x01", 3), image));
    EXPECT_EQ(test::GetBytes(image), std::string("\x60\x50\x40\x30\x20\x10\x60\x50\x40", 9));
    EXPECT_FALSE(Decode(TgaHeader(1, 3, 1, 8, 0, 2, 24) + map + "\x01\x02\x01", image));
    // 32-bit entries take four bytes each; the colour is their first three.
    const std::string map32("\x10\x20\x30\xFF\x40\x50\x60\xFF", 8);
    ASSERT_TRUE(Decode(TgaHeader(9, 2, 1, 8, 0, 2, 32) + map32 + "\x81\x01", image));
    EXPECT_EQ(test::GetBytes(image), std::string("\x60\x50\x40\x60\x50\x40", 6));
    // 16-bit entries are 5:5:5 words.
    ASSERT_TRUE(Decode(TgaHeader(1, 1, 1, 8, 0, 1, 16) + std::string("\x1F\x40\x00", 3), image));
    EXPECT_EQ(test::GetBytes(image), std::string("\x84\x00\xFF", 3));
    // A colour-mapped image needs its map; the map must be in the file.
    EXPECT_FALSE(Decode(TgaHeader(1, 1, 1, 8) + std::string(1, '\0'), image));
    EXPECT_FALSE(Decode(TgaHeader(1, 1, 1, 8, 0, 300, 24) + map + std::string(1, '\0'), image));
}

// A map longer than 256 entries (only 256 can be indexed) is passed over whole.
TEST(TgaCodec, LongColourMapsAreSkippedPastTheirEnd) {
    std::string map = std::string(300 * 3, '\0');
    map[3 * 255] = 7;
    cImage image;
    ASSERT_TRUE(Decode(TgaHeader(1, 1, 1, 8, 0, 300, 24) + map + "\xFF", image));
    EXPECT_EQ(test::GetBytes(image), std::string("\0\0\x07", 3));
}

// 5-bit components widen by repeating their high bits (31 is 255, 16 is 132);
// the top bit is alpha only when the descriptor declares alpha bits.
TEST(TgaCodec, SixteenBitTexelsBecomeRgba) {
    const std::string texels("\xE0\x83\x1F\x00\x10\x42", 6);  // green + bit 15, blue, 16:16:16
    const struct {
        int type, descriptor;
        std::string data, expected;
    } cases[] = {
        {2, 1, texels, std::string("\x00\xFF\x00\xFF\x00\x00\xFF\x00\x84\x84\x84\x00", 12)},
        {2, 0, texels, std::string("\x00\xFF\x00\xFF\x00\x00\xFF\xFF\x84\x84\x84\xFF", 12)},
        {10, 0, "\x82" + texels.substr(2, 2), std::string("\x00\x00\xFF\xFF\x00\x00\xFF\xFF\x00\x00\xFF\xFF", 12)},
        {10, 1, "\x82" + texels.substr(2, 2), std::string("\x00\x00\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\x00", 12)},
    };
    for (const auto& c : cases) {
        cImage image;
        ASSERT_TRUE(Decode(TgaHeader(c.type, 3, 1, 16, c.descriptor) + c.data, image)) << c.type << c.descriptor;
        EXPECT_EQ(image.m_Format, ImageFormat::Rgba8);
        EXPECT_EQ(test::GetBytes(image), c.expected) << c.type << c.descriptor;
    }
}

TEST(TgaCodec, RefusesWhatItDoesNotRead) {
    cImage image;
    const std::string texel("\x01\x02\x03", 3);
    std::string withId = TgaHeader(2, 1, 1, 24) + "\x05" + texel;
    withId[0] = 1;
    EXPECT_FALSE(Decode(withId, image));
    EXPECT_FALSE(Decode(TgaHeader(2, 1, 1, 15) + texel, image));
    EXPECT_FALSE(Decode(TgaHeader(3, 1, 1, 16) + texel, image));   // grey with alpha
    EXPECT_FALSE(Decode(TgaHeader(11, 1, 1, 16) + texel, image));  // the same, run-length
    EXPECT_FALSE(Decode(TgaHeader(2, 0, 1, 24) + texel, image));
    EXPECT_FALSE(Decode(TgaHeader(32, 1, 1, 24) + texel, image));  // another compression
    EXPECT_FALSE(Decode(TgaHeader(0, 1, 1, 24) + texel, image));
    EXPECT_FALSE(Decode(TgaHeader(2, 1, 1, 24).substr(0, 17), image));
}

TEST(TgaCodec, WritesGreyAsAColourMapAndReadsItBackAsRgb) {
    cImage image;
    test::FillImage(image, ImageFormat::R8, 2, 2, std::string("\x00\x7F\x80\xFF", 4));
    cStream out;
    ASSERT_TRUE(cCodecTga().Encode(image, out));
    const std::string file = test::GetBytes(out);
    ASSERT_EQ(file.size(), 18u + 768 + 4);
    EXPECT_EQ(file.substr(0, 18), TgaHeader(1, 2, 2, 8, 0, 256, 24));
    EXPECT_EQ(file.substr(18 + 3 * 0x7F, 3), "\x7F\x7F\x7F");
    cImage back;
    ASSERT_TRUE(Decode(file, back));
    EXPECT_EQ(back.m_Format, ImageFormat::Rgb8);
    EXPECT_EQ(test::GetBytes(back), std::string("\0\0\0\x7F\x7F\x7F\x80\x80\x80\xFF\xFF\xFF", 12));
}

TEST(TgaCodec, WritesRgbAndRgbaBlueFirstAndReadsThemBack) {
    for (ImageFormat format : {ImageFormat::Rgb8, ImageFormat::Rgba8}) {
        const int bytes = format == ImageFormat::Rgb8 ? 3 : 4;
        cImage image;
        test::FillImage(image, format, 3, 2, test::Counting(6 * bytes, 1));
        cStream out;
        ASSERT_TRUE(cCodecTga().Encode(image, out));
        const std::string file = test::GetBytes(out);
        EXPECT_EQ(file.substr(0, 18), TgaHeader(2, 3, 2, 8 * bytes));
        EXPECT_EQ(file.substr(18, 3), "\x03\x02\x01");
        cImage back;
        ASSERT_TRUE(Decode(file, back));
        EXPECT_EQ(test::GetBytes(back), test::GetBytes(image));
    }
}

TEST(TgaCodec, EncodeRefusesSidesTheHeaderCannotHold) {
    cImage image;
    ASSERT_TRUE(image.Allocate(ImageFormat::R8, 65536, 1, 1, 1));
    cStream out;
    EXPECT_FALSE(cCodecTga().Encode(image, out));
    ASSERT_TRUE(image.Allocate(ImageFormat::R8, 1, 65536, 1, 1));
    EXPECT_FALSE(cCodecTga().Encode(image, out));
    ASSERT_TRUE(image.Allocate(ImageFormat::Rg8, 1, 1, 1, 1));
    EXPECT_FALSE(cCodecTga().Encode(image, out));
    EXPECT_EQ(out.Count(), 0);
    ASSERT_TRUE(image.Allocate(ImageFormat::R8, 65535, 1, 1, 1));
    EXPECT_TRUE(cCodecTga().Encode(image, out));
}

TEST(TgaCodec, IdentifiesOnlyPlainTrueColourFiles) {
    const cCodecTga tga;
    EXPECT_EQ(tga.Identify(0x00020000, nullptr), 1);
    EXPECT_EQ(tga.Identify(0x000A0000, nullptr), -1);  // run-length
    EXPECT_EQ(tga.Identify(0x00010100, nullptr), -1);  // colour-mapped
    EXPECT_EQ(tga.Identify(0x00020005, nullptr), -1);  // identification field
}

}  // namespace
}  // namespace tovan

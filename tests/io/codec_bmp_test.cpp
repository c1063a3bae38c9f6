#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "io/codecs/image_codec.h"
#include "tests/io/codec_files.h"

namespace tovan {
namespace {

bool Decode(const std::string& bytes, cImage& image) { return test::DecodeBytes(cCodecBmp(), bytes, image); }
std::string Encode(const cImage& image) { return test::EncodeBytes(cCodecBmp(), image); }

using test::PutU16;
using test::PutU32;

// Headers of a bitmap: pixel offset, sizes, bits, compression, colours used.
std::string BmpHeader(int width, int height, int bits, uint32_t colours, uint32_t offset, uint32_t compression = 0,
                      uint32_t infoSize = 40) {
    std::string s = "BM";
    PutU32(s, 0);  // file size: ignored
    PutU32(s, 0);
    PutU32(s, offset);
    PutU32(s, infoSize);
    PutU32(s, uint32_t(width));
    PutU32(s, uint32_t(height));
    PutU16(s, 1);
    PutU16(s, unsigned(bits));
    PutU32(s, compression);
    PutU32(s, 0);
    PutU32(s, 0);
    PutU32(s, 0);
    PutU32(s, colours);
    PutU32(s, 0);
    return s;
}

std::string Palette(const std::string& rgbTriples) {  // stored blue, green, red, 0
    std::string s;
    for (size_t i = 0; i + 2 < rgbTriples.size(); i += 3)
        s += std::string{rgbTriples[i + 2], rgbTriples[i + 1], rgbTriples[i], '\0'};
    return s;
}

TEST(BmpCodec, ThreeByTwoRgbIsWrittenAsSeventyEightBytes) {
    cImage image;
    test::FillImage(image, ImageFormat::Rgb8, 3, 2, test::Counting(18, 1));
    std::string expected = "BM";
    PutU32(expected, 78);
    PutU32(expected, 0);
    PutU32(expected, 54);
    PutU32(expected, 40);
    PutU32(expected, 3);
    PutU32(expected, 2);
    PutU16(expected, 1);
    PutU16(expected, 24);
    PutU32(expected, 0);
    PutU32(expected, 24);  // padded row bytes x height
    expected += std::string(16, '\0');
    expected += std::string("\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0", 12);
    expected += std::string("\x0C\x0B\x0A\x0F\x0E\x0D\x12\x11\x10\0\0\0", 12);
    const std::string file = Encode(image);
    EXPECT_EQ(file, expected);

    cImage back;
    ASSERT_TRUE(Decode(file, back));
    EXPECT_EQ(back.m_Format, ImageFormat::Rgb8);
    EXPECT_EQ(test::GetBytes(back), test::GetBytes(image));
}

TEST(BmpCodec, GreyIsWrittenWithAGreyPaletteAndReadBackAsRgb) {
    cImage image;
    test::FillImage(image, ImageFormat::R8, 5, 1, std::string("\x00\x10\x80\xFE\xFF", 5));
    const std::string file = Encode(image);
    ASSERT_EQ(file.size(), 1078u + 8);
    EXPECT_EQ(file.substr(54 + 4 * 0x80, 4), std::string("\x80\x80\x80\x00", 4));
    EXPECT_EQ(file.substr(1078), std::string("\x00\x10\x80\xFE\xFF\0\0\0", 8));
    cImage back;
    ASSERT_TRUE(Decode(file, back));
    EXPECT_EQ(back.m_Format, ImageFormat::Rgb8);
    EXPECT_EQ(test::GetBytes(back), std::string("\x00\x00\x00\x10\x10\x10\x80\x80\x80\xFE\xFE\xFE\xFF\xFF\xFF", 15));
}

TEST(BmpCodec, RgbaIsWrittenBlueFirstWithoutPadding) {
    cImage image;
    test::FillImage(image, ImageFormat::Rgba8, 1, 2, "\x01\x02\x03\x04\x05\x06\x07\x08");
    const std::string file = Encode(image);
    ASSERT_EQ(file.size(), 54u + 8);
    EXPECT_EQ(file.substr(54), std::string("\x03\x02\x01\x04\x07\x06\x05\x08", 8));
    cImage back;
    ASSERT_TRUE(Decode(file, back));
    EXPECT_EQ(test::GetBytes(back), test::GetBytes(image));
}

TEST(BmpCodec, EncodeRefusesOtherFormats) {
    for (ImageFormat format : {ImageFormat::Rg8, ImageFormat::R16, ImageFormat::Rgba32f, ImageFormat::Dxt1}) {
        cImage image;
        ASSERT_TRUE(image.Allocate(format, 4, 4, 1, 1));
        cStream out;
        EXPECT_FALSE(cCodecBmp().Encode(image, out));
        EXPECT_EQ(out.Count(), 0);
    }
}

// Palette images: bits of each row's bytes from the most significant end,
// every index through the palette.
TEST(BmpCodec, ReadsOneFourAndEightBitPalettes) {
    cImage image;
    const std::string two = Palette(std::string("\x10\x20\x30\xA0\xB0\xC0", 6));
    ASSERT_TRUE(Decode(BmpHeader(10, 1, 1, 0, 62) + two + std::string("\x81\x40\0\0", 4), image));
    const std::string a("\x10\x20\x30", 3), b("\xA0\xB0\xC0", 3);
    EXPECT_EQ(test::GetBytes(image), b + a + a + a + a + a + a + b + a + b);

    const std::string sixteen = Palette(test::Counting(48, 100));
    ASSERT_TRUE(Decode(BmpHeader(3, 1, 4, 16, 54 + 64) + sixteen + std::string("\xF0\x50\0\0", 4), image));
    EXPECT_EQ(test::GetBytes(image), test::Counting(3, 145) + test::Counting(3, 100) + test::Counting(3, 115));

    const std::string three = Palette(test::Counting(9, 50));
    ASSERT_TRUE(Decode(BmpHeader(2, 2, 8, 3, 54 + 12) + three + std::string("\x02\x01\0\0\x00\x02\0\0", 8), image));
    EXPECT_EQ(test::GetBytes(image),
              test::Counting(3, 56) + test::Counting(3, 53) + test::Counting(3, 50) + test::Counting(3, 56));
}

TEST(BmpCodec, AnIndexPastThePaletteFails) {
    cImage image;
    const std::string one = Palette(std::string("\x10\x20\x30", 3));
    EXPECT_TRUE(Decode(BmpHeader(3, 1, 1, 1, 58) + one + std::string("\x00\0\0\0", 4), image));
    EXPECT_FALSE(Decode(BmpHeader(3, 1, 1, 1, 58) + one + std::string("\x20\0\0\0", 4), image));
    EXPECT_EQ(image.m_Data.Count(), 0);
}

// Indices are checked before anything is allocated, whole bytes at a time and
// then the texels of a last partial byte: the one bad index is found wherever
// it stands in any row, and the padding bits after the last texel never count.
TEST(BmpCodec, EveryIndexIsCheckedAgainstAShortPalette) {
    struct Case {
        int bits, width;
    };
    for (Case c : {Case{1, 21}, Case{4, 9}, Case{8, 5}}) {
        const int count = (1 << c.bits) - 1, rowBytes = (c.width * c.bits + 31) / 32 * 4;
        const std::string palette = Palette(test::Counting(3 * count));
        const std::string header = BmpHeader(c.width, 2, c.bits, uint32_t(count), uint32_t(54 + 4 * count));
        // Row 1 of two holds `index` at texel x; every other texel is 0.
        auto file = [&](int x, int index, bool padded) {
            std::string rows(size_t(2 * rowBytes), '\0');
            uint8_t* row = reinterpret_cast<uint8_t*>(&rows[size_t(rowBytes)]);
            const int bit = x * c.bits;
            row[bit / 8] = uint8_t(row[bit / 8] | index << (8 - c.bits - bit % 8));
            if (padded)  // every bit after the last texel set
                for (int b = c.width * c.bits; b < rowBytes * 8; ++b)
                    row[b / 8] = uint8_t(row[b / 8] | 0x80 >> (b % 8));
            return header + palette + rows;
        };
        cImage image;
        for (int x = 0; x < c.width; ++x) {
            const std::string what = std::to_string(c.bits) + " bits, texel " + std::to_string(x);
            EXPECT_FALSE(Decode(file(x, count, false), image)) << what;
            ASSERT_TRUE(Decode(file(x, count - 1, false), image)) << what;
            EXPECT_EQ(test::GetBytes(image).substr(size_t(3 * (c.width + x)), 3), test::Counting(3, 3 * (count - 1)))
                << what;
        }
        EXPECT_TRUE(Decode(file(0, 0, true), image)) << c.bits;
    }
}

TEST(BmpCodec, RefusesHeadersItDoesNotRead) {
    cImage image;
    const std::string pixels(4, '\0');
    EXPECT_TRUE(Decode(BmpHeader(1, 1, 24, 0, 54) + pixels, image));
    EXPECT_FALSE(Decode(BmpHeader(1, 1, 16, 0, 54) + pixels, image));
    EXPECT_FALSE(Decode(BmpHeader(1, 1, 24, 0, 54, 1) + pixels, image));  // run-length
    EXPECT_FALSE(Decode(BmpHeader(1, 1, 24, 0, 54, 0, 108) + pixels, image));
    EXPECT_FALSE(Decode(BmpHeader(0, 1, 24, 0, 54) + pixels, image));
    EXPECT_FALSE(Decode(BmpHeader(1, 0, 24, 0, 54) + pixels, image));
    EXPECT_FALSE(Decode(BmpHeader(1, 1, 8, 257, 54) + std::string(257 * 4, '\0') + pixels, image));
    EXPECT_FALSE(Decode(BmpHeader(1, 1, 24, 0, 54).substr(0, 53), image));
    std::string planes = BmpHeader(1, 1, 24, 0, 54) + pixels;
    planes[26] = 2;
    EXPECT_FALSE(Decode(planes, image));
    std::string os2 = BmpHeader(1, 1, 24, 0, 26).substr(0, 14);  // the 12-byte header: size, then u16 fields
    PutU32(os2, 12);
    for (unsigned field : {1, 1, 1, 24})
        PutU16(os2, field);
    EXPECT_FALSE(Decode(os2 + pixels + std::string(28, '\0'), image));
}

TEST(BmpCodec, TheLastRowMustHoldItsPadding) {
    cImage image;
    const std::string file = BmpHeader(1, 2, 24, 0, 54) + std::string(8, '\x7F');
    EXPECT_TRUE(Decode(file, image));
    EXPECT_FALSE(Decode(file.substr(0, file.size() - 1), image));
}

TEST(BmpCodec, TopDownAndBottomUpFilesGiveTheSameImage) {
    const std::string rows = std::string("\x01\x02\x03\0", 4) + std::string("\x04\x05\x06\0", 4);
    cImage up, down;
    ASSERT_TRUE(Decode(BmpHeader(1, 2, 24, 0, 54) + rows, up));
    ASSERT_TRUE(Decode(BmpHeader(1, -2, 24, 0, 54) + rows.substr(4) + rows.substr(0, 4), down));
    EXPECT_EQ(test::GetBytes(up), std::string("\x03\x02\x01\x06\x05\x04", 6));
    EXPECT_EQ(test::GetBytes(down), test::GetBytes(up));
}

// The pixels start at the header's offset when it lies between the end of the
// palette and the end of the file; otherwise right after the palette.
TEST(BmpCodec, SeeksToThePixelOffsetOnlyWhenItIsPlausible) {
    const std::string pixel("\x01\x02\x03\0", 4);
    const std::string other("\x09\x09\x09\0", 4);
    cImage image;
    ASSERT_TRUE(Decode(BmpHeader(1, 1, 24, 0, 58) + other + pixel, image));
    EXPECT_EQ(test::GetBytes(image), "\x03\x02\x01");
    ASSERT_TRUE(Decode(BmpHeader(1, 1, 24, 0, 20) + pixel + other, image));  // inside the header
    EXPECT_EQ(test::GetBytes(image), "\x03\x02\x01");
    ASSERT_TRUE(Decode(BmpHeader(1, 1, 24, 0, 5000) + pixel, image));  // past the end
    EXPECT_EQ(test::GetBytes(image), "\x03\x02\x01");
    EXPECT_FALSE(Decode(BmpHeader(1, 1, 24, 0, 58) + pixel, image));  // at the end: no pixels left
}

TEST(BmpCodec, BitFieldsMustDescribeThePlainLayout) {
    std::string masks;
    PutU32(masks, 0xFF0000);
    PutU32(masks, 0xFF00);
    PutU32(masks, 0xFF);
    const std::string pixel("\x01\x02\x03\x04", 4);
    cImage image;
    ASSERT_TRUE(Decode(BmpHeader(1, 1, 32, 0, 66, 3) + masks + pixel, image));
    EXPECT_EQ(test::GetBytes(image), "\x03\x02\x01\xFF");  // no alpha mask: opaque
    std::string swapped;
    PutU32(swapped, 0xFF);
    PutU32(swapped, 0xFF00);
    PutU32(swapped, 0xFF0000);
    EXPECT_FALSE(Decode(BmpHeader(1, 1, 32, 0, 66, 3) + swapped + pixel, image));
}

// Plain 32-bit data keeps its alpha unless every alpha byte is 0; bit fields
// keep it only with an alpha mask after the colour masks.
TEST(BmpCodec, ThirtyTwoBitAlphaIsKeptOnlyWhereTheFileCarriesIt) {
    std::string colourMasks, alphaMask;
    PutU32(colourMasks, 0xFF0000);
    PutU32(colourMasks, 0xFF00);
    PutU32(colourMasks, 0xFF);
    PutU32(alphaMask, 0xFF000000);
    const std::string clear("\x01\x02\x03\x00", 4), faint("\x04\x05\x06\x01", 4);
    const struct {
        std::string header, pixels, expected;
    } cases[] = {
        {BmpHeader(2, 1, 32, 0, 54), clear + clear, std::string("\x03\x02\x01\xFF\x03\x02\x01\xFF", 8)},
        {BmpHeader(2, 1, 32, 0, 54), clear + faint, std::string("\x03\x02\x01\x00\x06\x05\x04\x01", 8)},
        {BmpHeader(1, 2, 32, 0, 54), clear + faint, std::string("\x03\x02\x01\x00\x06\x05\x04\x01", 8)},
        {BmpHeader(2, 1, 32, 0, 54, 3), clear + faint, std::string("\x03\x02\x01\xFF\x06\x05\x04\xFF", 8)},
        {BmpHeader(2, 1, 32, 0, 70, 3) + colourMasks + alphaMask, clear + faint,
         std::string("\x03\x02\x01\x00\x06\x05\x04\x01", 8)},
    };
    for (const auto& c : cases) {
        cImage image;
        ASSERT_TRUE(Decode(c.header + c.pixels, image)) << c.header.size();
        EXPECT_EQ(test::GetBytes(image), c.expected) << c.header.size();
    }
}

TEST(BmpCodec, IdentifiesTheMagic) {
    const cCodecBmp bmp;
    EXPECT_EQ(bmp.Identify(0x00004D42, nullptr), 1);
    EXPECT_EQ(bmp.Identify(0x20534444, nullptr), 0);
}

}  // namespace
}  // namespace tovan

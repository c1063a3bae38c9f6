#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "io/codecs/image_codec.h"
#include "tests/io/codec_files.h"

namespace tovan {
namespace {

bool Decode(const std::string& bytes, cImage& image) { return test::DecodeBytes(cCodecDds(), bytes, image); }
std::string Encode(const cImage& image) { return test::EncodeBytes(cCodecDds(), image); }

using test::PutU32;

struct Header {
    int width, height;
    uint32_t depth = 0, mips = 0;
    uint32_t pfFlags = 0x41, code = 0, bits = 32;
    uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    uint32_t caps2 = 0;
};

// A header in the form the encoder writes, so that files made with it must
// come back byte for byte.
std::string DdsHeader(const Header& h) {
    std::string s = "DDS ";
    PutU32(s, 124);
    PutU32(s, 0x1007 | (h.mips > 1 ? 0x20000 : 0) | (h.depth > 1 ? 0x800000 : 0));
    PutU32(s, uint32_t(h.height));
    PutU32(s, uint32_t(h.width));
    PutU32(s, 0);
    PutU32(s, h.depth);
    PutU32(s, h.mips);
    s += std::string(44, '\0');
    PutU32(s, 32);
    PutU32(s, h.pfFlags);
    PutU32(s, h.code);
    PutU32(s, h.bits);
    for (uint32_t m : h.masks)
        PutU32(s, m);
    const bool complex = h.depth > 1 || h.caps2 & 0x200;
    PutU32(s, h.mips > 1 ? 0x401008 : (complex ? 0x1008 : 0x1000));
    PutU32(s, h.caps2);
    s += std::string(12, '\0');
    return s;
}

constexpr uint32_t Code(const char* c) {
    return uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16 | uint32_t(c[3]) << 24;
}

Header Block(const char* code, int width, int height, uint32_t mips) {
    Header h{width, height};
    h.mips = mips;
    h.pfFlags = 0x4;
    h.code = Code(code);
    h.bits = 0;
    std::memset(h.masks, 0, sizeof h.masks);
    return h;
}

// Decoding and encoding again gives the input back byte for byte.
void ExpectRoundTrip(const std::string& file, ImageFormat format, int depth, int mips) {
    cImage image;
    ASSERT_TRUE(Decode(file, image));
    EXPECT_EQ(image.m_Format, format);
    EXPECT_EQ(image.m_Depth, depth);
    EXPECT_EQ(image.m_Mips, mips);
    EXPECT_EQ(size_t(image.m_Data.Count()) + 128, file.size());
    EXPECT_EQ(Encode(image), file);
}

TEST(DdsCodec, RoundTripsPlainAndBlockFilesByteForByte) {
    Header rgba{8, 4};
    rgba.mips = 3;
    ExpectRoundTrip(DdsHeader(rgba) + test::Counting(8 * 4 * 4 + 4 * 2 * 4 + 2 * 1 * 4), ImageFormat::Rgba8, 1, 3);

    Header rgb{5, 3};
    rgb.pfFlags = 0x40;
    rgb.bits = 24;
    rgb.masks[3] = 0;
    ExpectRoundTrip(DdsHeader(rgb) + test::Counting(5 * 3 * 3, 9), ImageFormat::Rgb8, 1, 1);

    ExpectRoundTrip(DdsHeader(Block("DXT1", 16, 8, 4)) + test::Counting(8 * (8 + 2 + 1 + 1)), ImageFormat::Dxt1, 1, 4);
    ExpectRoundTrip(DdsHeader(Block("DXT3", 8, 12, 0)) + test::Counting(16 * 6, 3), ImageFormat::Dxt3, 1, 1);
    ExpectRoundTrip(DdsHeader(Block("DXT5", 4, 2, 2)) + test::Counting(16 * 2, 5), ImageFormat::Dxt5, 1, 2);

    Header floats = Block("    ", 2, 2, 0);
    floats.code = 116;
    ExpectRoundTrip(DdsHeader(floats) + test::Counting(2 * 2 * 16), ImageFormat::Rgba32f, 1, 1);
}

TEST(DdsCodec, RoundTripsCubeMapsAndVolumes) {
    Header cube = Block("DXT5", 8, 8, 2);
    cube.caps2 = 0xFE00;
    ExpectRoundTrip(DdsHeader(cube) + test::Counting(6 * (4 * 16 + 16)), ImageFormat::Dxt5, 0, 2);

    Header plainCube{4, 4};
    plainCube.caps2 = 0xFE00;
    ExpectRoundTrip(DdsHeader(plainCube) + test::Counting(6 * 64, 1), ImageFormat::Rgba8, 0, 1);

    Header volume{4, 2};
    volume.depth = 3;
    volume.mips = 2;
    volume.pfFlags = 0x40;
    volume.bits = 24;
    volume.masks[3] = 0;
    volume.caps2 = 0x200000;
    ExpectRoundTrip(DdsHeader(volume) + test::Counting(4 * 2 * 3 * 3 + 2 * 1 * 1 * 3), ImageFormat::Rgb8, 3, 2);
}

TEST(DdsCodec, CubeFacesAreStoredFaceByFace) {
    Header cube{2, 2};
    cube.mips = 2;
    cube.caps2 = 0xFE00;
    std::string data;
    for (int face = 0; face < 6; ++face)  // face f: level 0 all 10f + 1, level 1 all 10f + 2
        data += std::string(16, char(10 * face + 1)) + std::string(4, char(10 * face + 2));
    cImage image;
    ASSERT_TRUE(Decode(DdsHeader(cube) + data, image));
    for (int face = 0; face < 6; ++face) {
        EXPECT_EQ(image.LevelData(0, face)[15], 10 * face + 1);
        EXPECT_EQ(image.LevelData(1, face)[0], 10 * face + 2);
    }
}

TEST(DdsCodec, TwoDimensionalImagesAreHeldBottomRowFirstAndRgbOrder) {
    Header h{2, 2};
    const std::string rows = std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8) +  // top row, BGRA
                             std::string("\x11\x12\x13\x14\x15\x16\x17\x18", 8);
    cImage image;
    ASSERT_TRUE(Decode(DdsHeader(h) + rows, image));
    EXPECT_EQ(test::GetBytes(image),
              std::string("\x13\x12\x11\x14\x17\x16\x15\x18\x03\x02\x01\x04\x07\x06\x05\x08", 16));

    // Red-first data (blue mask not 0xFF) is taken as it stands.
    h.masks[0] = 0xFF;
    h.masks[2] = 0xFF0000;
    ASSERT_TRUE(Decode(DdsHeader(h) + rows, image));
    EXPECT_EQ(test::GetBytes(image).substr(0, 8), rows.substr(8));
}

// Block formats other than DXT1/3/5, flags of other kinds of data, and
// layouts other than whole bytes are refused rather than shown as something
// else (None: refused). 32-bit texels carry alpha only when the alpha flag or
// an alpha mask says so.
TEST(DdsCodec, FormatComesFromTheCodeOrElseTheBitCount) {
    constexpr uint32_t kRgb = 0x40, kRgba = 0x41, kLuminance = 0x20000, kLuminanceAlpha = 0x20001, kCode = 0x4;
    constexpr uint32_t kBump = 0x80000, kBumpLuminance = 0x40000, kPalette = 0x20, kAlphaOnly = 0x2;
    const struct {
        uint32_t flags, code, bits;
        uint32_t masks[4];
        ImageFormat format;
        int alpha = -1;  // of the first texel (stored as 0), for Rgba8
    } cases[] = {
        {kCode, Code("DXT5"), 0, {}, ImageFormat::Dxt5},
        {kLuminanceAlpha, 0, 16, {0xFF, 0xFF00, 0xFF, 0xFF00}, ImageFormat::Rg8},
        {kLuminance, 0, 16, {0xFFFF, 0, 0, 0}, ImageFormat::R16},
        {kLuminance, 0, 8, {0xFF, 0, 0, 0}, ImageFormat::R8},
        {kRgb, 0, 24, {0xFF0000, 0xFF00, 0xFF, 0}, ImageFormat::Rgb8},
        {kRgb, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0}, ImageFormat::Rgba8, 255},
        {kRgb, 0, 32, {0xFF, 0xFF00, 0xFF0000, 0}, ImageFormat::Rgba8, 255},
        {kRgb, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, ImageFormat::Rgba8, 0},
        {kRgba, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0}, ImageFormat::Rgba8, 0},
        {kRgba, 0, 12, {}, ImageFormat::None},
        {kRgb, 0, 16, {0xF800, 0x07E0, 0x001F, 0}, ImageFormat::None},
        {kRgba, 0, 16, {0x7C00, 0x03E0, 0x001F, 0x8000}, ImageFormat::None},
        {kRgba, 0, 16, {0x0F00, 0x00F0, 0x000F, 0xF000}, ImageFormat::None},
        {kRgb, 0, 8, {0xE0, 0x1C, 0x03, 0}, ImageFormat::None},
        {kRgb, 0, 32, {0xFFFF, 0xFFFF0000, 0, 0}, ImageFormat::None},
        {kCode, Code("ATI1"), 0, {}, ImageFormat::None},
        {kCode, Code("ATI2"), 0, {}, ImageFormat::None},
        {kCode, Code("BC5S"), 0, {}, ImageFormat::None},
        {kCode, Code("DXT2"), 0, {}, ImageFormat::None},
        {kCode, Code("DXT4"), 0, {}, ImageFormat::None},
        {kCode, Code("ATI2"), 32, {}, ImageFormat::None},  // a bit count does not make it plain data
        {kLuminanceAlpha, 0, 16, {0xFF, 0, 0, 0xFF00}, ImageFormat::Rg8},
        {kLuminance, 0, 8, {0xFFFF, 0, 0, 0}, ImageFormat::R8},  // a mask past the texel is not read
        {kAlphaOnly, 0, 8, {0, 0, 0, 0xFF}, ImageFormat::R8},
        {0, 0, 32, {}, ImageFormat::Rgba8, 255},  // no flags, no masks: by bit count
        {0, 0, 16, {}, ImageFormat::R16},
        {kBump, 0, 16, {0xFF, 0xFF00, 0, 0}, ImageFormat::None},                          // V8U8
        {kBump, 0, 32, {0xFFFF, 0xFFFF0000, 0, 0}, ImageFormat::None},                    // V16U16
        {kBump, 0, 32, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, ImageFormat::None},          // Q8W8V8U8
        {kBump | 1, 0, 32, {0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000}, ImageFormat::None},  // A2W10V10U10
        {kBumpLuminance, 0, 16, {0x1F, 0x3E0, 0xFC00, 0}, ImageFormat::None},             // L6V5U5
        {kBumpLuminance, 0, 32, {0xFF, 0xFF00, 0xFF0000, 0}, ImageFormat::None},          // X8L8V8U8
        {kPalette, 0, 8, {}, ImageFormat::None},                                          // P8
        {kLuminanceAlpha, 0, 8, {0x0F, 0, 0, 0xF0}, ImageFormat::None},                   // A4L4
        {kCode | kRgba, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, ImageFormat::None},
        {kRgb | 0x80000000, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0}, ImageFormat::Rgba8, 255},  // normal-map hint
        // 16-bit data reads as luminance or luminance and alpha only.
        {0, 0, 16, {0xFF, 0xFF00, 0, 0}, ImageFormat::None},
        {kLuminance, 0, 16, {0xFF, 0, 0, 0}, ImageFormat::None},
    };
    for (const auto& c : cases) {
        Header h{4, 4};
        h.pfFlags = c.flags;
        h.code = c.code;
        h.bits = c.bits;
        std::memcpy(h.masks, c.masks, sizeof h.masks);
        cImage image;
        const std::string what = std::to_string(c.flags) + " " + std::to_string(c.code) + " " + std::to_string(c.bits);
        EXPECT_EQ(Decode(DdsHeader(h) + std::string(4 * 4 * 4, '\0'), image), c.format != ImageFormat::None) << what;
        EXPECT_EQ(image.m_Format, c.format) << what;
        if (c.format == ImageFormat::Rgba8) {
            EXPECT_EQ(image.m_Data[3], c.alpha) << what;
        }
    }
}

TEST(DdsCodec, RefusesShortOrForeignHeaders) {
    cImage image;
    const std::string file = DdsHeader(Header{1, 1}) + std::string(4, '\0');
    EXPECT_TRUE(Decode(file, image));
    EXPECT_FALSE(Decode(file.substr(0, 127), image));
    EXPECT_FALSE(Decode(file.substr(0, 131), image));  // one texel byte short
    EXPECT_FALSE(Decode("BM" + file.substr(2), image));
    EXPECT_FALSE(Decode(DdsHeader(Header{0, 1}) + std::string(4, '\0'), image));
    // Sides whose block count would overflow: refused, not wrapped.
    EXPECT_FALSE(Decode(DdsHeader(Block("DXT1", 0x7FFFFFFF, 4, 0)) + std::string(64, '\0'), image));
    EXPECT_FALSE(Decode(DdsHeader(Block("DXT5", 4, 0x7FFFFFFD, 0)) + std::string(64, '\0'), image));
    Header dx10 = Block("DX10", 1, 1, 0);
    dx10.bits = 32;
    EXPECT_FALSE(Decode(DdsHeader(dx10) + std::string(24, '\0'), image));
}

// A block image higher than 4 whose height is not a multiple of 4 cannot be
// turned bottom row first by moving blocks: it is refused, not held upside down.
TEST(DdsCodec, RefusesBlockImagesThatCannotBeFlipped) {
    cImage image;
    EXPECT_FALSE(Decode(DdsHeader(Block("DXT1", 8, 6, 0)) + std::string(8 * 4, '\0'), image));
    EXPECT_TRUE(Decode(DdsHeader(Block("DXT1", 6, 3, 0)) + std::string(8 * 2, '\0'), image));

    ASSERT_TRUE(image.Allocate(ImageFormat::Dxt1, 8, 6, 1, 1));
    cStream out;
    EXPECT_FALSE(cCodecDds().Encode(image, out));
    EXPECT_EQ(out.Count(), 0);
    // A cube face keeps the file's order, so any side is stored.
    ASSERT_TRUE(image.Allocate(ImageFormat::Dxt1, 6, 6, 0, 1));
    EXPECT_TRUE(cCodecDds().Encode(image, out));
}

TEST(DdsCodec, EncodeRefusesFormatsWithoutAFileFormAndKeepsTheImage) {
    const ImageFormat refused[] = {ImageFormat::Rgb16, ImageFormat::Rgb16f, ImageFormat::Rgb32f, ImageFormat::Pvr4Rgb,
                                   ImageFormat::Pvr4Rgba};
    for (ImageFormat format : refused) {
        cImage image;
        ASSERT_TRUE(image.Allocate(format, 4, 4, 1, 1));
        cStream out;
        test::SetBytes(out, "xy");
        EXPECT_FALSE(cCodecDds().Encode(image, out));
        EXPECT_EQ(test::GetBytes(out), "xy");
    }
    cImage image;
    ASSERT_TRUE(image.Allocate(ImageFormat::Rgba8, 2, 2, 1, 1));
    const std::string texels = test::Counting(16);
    std::memcpy(image.m_Data.Data(), texels.data(), 16);
    const std::string file = Encode(image);
    EXPECT_EQ(test::GetBytes(image), texels);  // flipped and swapped on a copy only
    EXPECT_EQ(file.substr(128, 4), std::string("\x0A\x09\x08\x0B", 4));
}

TEST(DdsCodec, WorksAtTheStreamPosition) {
    cImage image;
    ASSERT_TRUE(image.Allocate(ImageFormat::R8, 3, 1, 1, 1));
    cStream out;
    test::SetBytes(out, "<>");
    out.m_Position = 1;
    ASSERT_TRUE(cCodecDds().Encode(image, out));
    EXPECT_EQ(out.m_Position, 1 + 128 + 3);
    const std::string bytes = test::GetBytes(out);
    EXPECT_EQ(bytes.front(), '<');
    EXPECT_EQ(bytes.back(), '>');
    out.m_Position = 1;
    cImage back;
    ASSERT_TRUE(cCodecDds().Decode(out, back));
    EXPECT_EQ(back.m_Width, 3);
    EXPECT_EQ(out.m_Position, 1 + 128 + 3);
}

TEST(DdsCodec, IdentifiesByTheFirstThreeBytes) {
    const cCodecDds dds;
    EXPECT_EQ(dds.Identify(Code("DDS "), "x"), 1);
    EXPECT_EQ(dds.Identify(Code("DDSx"), nullptr), 1);
    EXPECT_EQ(dds.Identify(Code("DDT "), nullptr), 0);
    EXPECT_EQ(dds.Identify(0x4D42 | 0x1230000, nullptr), 0);  // a bitmap
}

}  // namespace
}  // namespace tovan

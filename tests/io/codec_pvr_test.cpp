#include <string>

#include <gtest/gtest.h>

#include "io/codecs/image_codec.h"
#include "tests/io/codec_files.h"

namespace tovan {
namespace {

bool Decode(const std::string& bytes, cImage& image) { return test::DecodeBytes(cCodecPvr(), bytes, image); }

std::string PvrHeader(int width, int height, int mips, int alpha) {
    std::string s = "PVR ";
    test::PutU32(s, uint32_t(width));
    test::PutU32(s, uint32_t(height));
    test::PutU32(s, uint32_t(mips));
    test::PutU8(s, unsigned(alpha));
    return s;
}

TEST(PvrCodec, LevelsAreAtLeastThirtyTwoBytesAndKeptAsStored) {
    cImage image;
    const std::string rgb = PvrHeader(4, 4, 1, 0) + test::Counting(32);
    ASSERT_TRUE(Decode(rgb, image));
    EXPECT_EQ(image.m_Format, ImageFormat::Pvr4Rgb);
    EXPECT_EQ(image.m_Depth, 1);
    EXPECT_EQ(test::GetBytes(image), test::Counting(32));
    EXPECT_FALSE(Decode(rgb.substr(0, rgb.size() - 1), image));

    const std::string rgba = PvrHeader(8, 8, 2, 1) + test::Counting(64, 7);
    ASSERT_TRUE(Decode(rgba, image));
    EXPECT_EQ(image.m_Format, ImageFormat::Pvr4Rgba);
    EXPECT_EQ(image.m_Mips, 2);
    EXPECT_EQ(test::GetBytes(image), test::Counting(64, 7));
    EXPECT_FALSE(Decode(rgba.substr(0, rgba.size() - 1), image));
}

// The stored count goes through the image record's rule: 0 is one level, a
// count past the chain is the chain, a negative count is refused.
TEST(PvrCodec, MipCountsFollowTheLevelRule) {
    cImage image;
    ASSERT_TRUE(Decode(PvrHeader(4, 4, 0, 0) + test::Counting(32), image));
    EXPECT_EQ(image.m_Mips, 1);
    ASSERT_TRUE(Decode(PvrHeader(4, 4, 50, 0) + test::Counting(96), image));
    EXPECT_EQ(image.m_Mips, 3);
    EXPECT_FALSE(Decode(PvrHeader(4, 4, -1, 0) + test::Counting(96), image));
}

TEST(PvrCodec, RefusesShortFilesAndOtherMagics) {
    cImage image;
    EXPECT_FALSE(Decode(PvrHeader(4, 4, 1, 0).substr(0, 16), image));
    EXPECT_FALSE(Decode("PVX " + PvrHeader(4, 4, 1, 0).substr(4) + test::Counting(32), image));
    EXPECT_FALSE(Decode(PvrHeader(0, 4, 1, 0) + test::Counting(32), image));
    EXPECT_FALSE(Decode(PvrHeader(4, -4, 1, 0) + test::Counting(32), image));
    EXPECT_FALSE(Decode(PvrHeader(0x7FFFFFFF, 0x7FFFFFFF, 1, 0) + test::Counting(64), image));
}

TEST(PvrCodec, HasNoEncoderAndIdentifiesThreeBytes) {
    const cCodecPvr pvr;
    cImage image;
    ASSERT_TRUE(image.Allocate(ImageFormat::Pvr4Rgb, 4, 4, 1, 1));
    cStream out;
    EXPECT_FALSE(pvr.Encode(image, out));
    EXPECT_EQ(out.Count(), 0);
    EXPECT_EQ(pvr.Identify(0x20525650, nullptr), 1);
    EXPECT_EQ(pvr.Identify(0x00525650, nullptr), 1);
    EXPECT_EQ(pvr.Identify(0x20525050, nullptr), 0);
}

}  // namespace
}  // namespace tovan

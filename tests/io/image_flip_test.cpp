// Vertical flips, and whole-image DXT decoding and encoding.
#include "io/image/dxt.h"
#include "io/image/image.h"
#include "tests/io/image_helpers.h"
#include "tests/io/image_reference.h"
#include "tests/support/log_capture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace tovan {
namespace {

// Rows of every surface of an uncompressed image, reversed.
std::vector<uint8_t> ReversedRows(const cImage& image) {
    std::vector<uint8_t> out = test::Bytes(image);
    ImageLayout layout;
    EXPECT_TRUE(image.GetLayout(layout));
    const int texel = GetImageFormatInfo(image.m_Format)->texelBytes;
    for (int k = 0; k < layout.Levels(); ++k) {
        const ImageLevel& l = layout.Level(k);
        const size_t pitch = size_t(l.width) * texel, surface = pitch * l.height;
        for (int s = 0; s < layout.Faces() * l.slices; ++s) {
            const uint8_t* src = image.m_Data.Data() + l.offset + s * surface;
            uint8_t* dst = out.data() + l.offset + s * surface;
            for (int r = 0; r < l.height; ++r)
                std::memcpy(dst + r * pitch, src + (l.height - 1 - r) * pitch, pitch);
        }
    }
    return out;
}

cImage Decoded(const cImage& image) {
    cImage copy;
    copy.Copy(image);
    EXPECT_TRUE(copy.Decompress());
    return copy;
}

TEST(ImageFlip, UncompressedSurfacesReverseTheirRows) {
    struct Case {
        ImageFormat format;
        int w, h, d, mips;
    };
    for (Case c : {Case{ImageFormat::Rgb8, 3, 5, 1, 3}, Case{ImageFormat::Rgba16f, 4, 4, 0, 3},
                   Case{ImageFormat::R32f, 2, 3, 4, 2}}) {
        cImage image = test::RandomImage(c.format, c.w, c.h, c.d, c.mips, 1);
        const std::vector<uint8_t> before = test::Bytes(image);
        const std::vector<uint8_t> expected = ReversedRows(image);
        ASSERT_TRUE(image.FlipVertical());
        EXPECT_EQ(test::Bytes(image), expected) << int(c.format);
        ASSERT_TRUE(image.FlipVertical());
        EXPECT_EQ(test::Bytes(image), before);
    }
    cImage line = test::RandomImage(ImageFormat::Rgba8, 7, 1, 1, 1, 2);
    const std::vector<uint8_t> before = test::Bytes(line);
    EXPECT_TRUE(line.FlipVertical());
    EXPECT_EQ(test::Bytes(line), before);
}

// Texels of a surface made of two colours that 5:6:5 holds exactly and whose
// green keeps its lowest bit, so every block encodes and decodes without loss.
void TwoColourSurface(uint8_t* texels, int w, int h, int seed) {
    static const uint8_t a[3] = {255, 255, 0}, b[3] = {0, 4, 255};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            std::memcpy(texels + 3 * (y * w + x), (x * 7 + y * 3 + seed) % 5 < 2 ? a : b, 3);
}

// Every level decoded, whatever the sides (Decompress keeps only level 0 of
// images whose sides are not powers of two).
std::vector<uint8_t> DecodeAllLevels(const cImage& image) {
    ImageLayout layout;
    EXPECT_TRUE(image.GetLayout(layout));
    std::vector<uint8_t> out;
    for (int k = 0; k < layout.Levels(); ++k) {
        const ImageLevel& l = layout.Level(k);
        std::vector<uint8_t> texels(size_t(l.width * l.height * 4));
        dxt::DecodeSurface(image.m_Format, image.LevelData(k), l.width, l.height, texels.data());
        const int tb = image.m_Format == ImageFormat::Dxt1 ? 3 : 4;
        out.insert(out.end(), texels.begin(), texels.begin() + l.width * l.height * tb);
    }
    return out;
}

TEST(ImageFlip, BlockLevelsFlipAsPictures) {
    // 12 x 12 with four levels: 12 (block rows reversed), 6 (repacked), 3 (rows 0
    // and 2 swapped inside the block), 1 (left as it is).
    cImage image;
    ASSERT_TRUE(image.Allocate(ImageFormat::Rgb8, 12, 12, 1, 4));
    ImageLayout layout;
    ASSERT_TRUE(image.GetLayout(layout));
    for (int k = 0; k < 4; ++k)
        TwoColourSurface(image.LevelData(k), layout.Level(k).width, layout.Level(k).height, k);
    const std::vector<uint8_t> texels = test::Bytes(image);
    const std::vector<uint8_t> flippedTexels = ReversedRows(image);
    ASSERT_TRUE(image.Compress());
    ASSERT_EQ(image.m_Format, ImageFormat::Dxt1);
    ASSERT_EQ(DecodeAllLevels(image), texels);  // the colours survive encoding exactly

    cImage flipped;
    flipped.Copy(image);
    ASSERT_TRUE(flipped.FlipVertical());
    EXPECT_EQ(DecodeAllLevels(flipped), flippedTexels);

    // Level 2 (3 x 3): only the index bytes of rows 0 and 2 trade places.
    const uint8_t* before = image.LevelData(2);
    const uint8_t* after = flipped.LevelData(2);
    EXPECT_EQ(0, std::memcmp(before, after, 4));
    EXPECT_EQ(after[4], before[6]);
    EXPECT_EQ(after[5], before[5]);
    EXPECT_EQ(after[6], before[4]);
    EXPECT_EQ(after[7], before[7]);
    EXPECT_EQ(0, std::memcmp(image.LevelData(3), flipped.LevelData(3), 8));

    ASSERT_TRUE(flipped.FlipVertical());
    EXPECT_EQ(test::Bytes(flipped), test::Bytes(image));
}

TEST(ImageFlip, BlockFlipIsExactAndUndoesItself) {
    for (ImageFormat f : {ImageFormat::Dxt1, ImageFormat::Dxt3, ImageFormat::Dxt5}) {
        // Any width; heights that are multiples of 4 or at most 4.
        for (auto [w, h, d] : {std::tuple{6, 8, 1}, std::tuple{5, 3, 1}, std::tuple{8, 2, 1}, std::tuple{8, 8, 0},
                               std::tuple{4, 4, 3}}) {
            cImage image = test::RandomImage(f, w, h, d, 4, uint32_t(w * h));
            cImage texels = Decoded(image);
            const std::vector<uint8_t> expected = ReversedRows(texels);
            const std::vector<uint8_t> before = test::Bytes(image);
            ASSERT_TRUE(image.FlipVertical());
            EXPECT_EQ(test::Bytes(Decoded(image)), expected) << int(f) << " " << w << "x" << h << "x" << d;
            ASSERT_TRUE(image.FlipVertical());
            EXPECT_EQ(test::Bytes(image), before);
        }
    }
}

TEST(ImageFlip, RefusesWithoutChange) {
    test::LogCapture log;
    cImage tall = test::RandomImage(ImageFormat::Dxt5, 8, 6, 1, 1, 3);
    const std::vector<uint8_t> before = test::Bytes(tall);
    EXPECT_FALSE(tall.FlipVertical());
    EXPECT_EQ(test::Bytes(tall), before);
    EXPECT_EQ(log.Warnings(),
              std::vector<std::string>{"Compressed images must have dimensions that are multiples of 4"});
    EXPECT_EQ(log.Windows(), std::vector<LogWindowMode>{LogWindowMode::Warning});

    log.Clear();
    cImage pvr = test::RandomImage(ImageFormat::Pvr4Rgba, 8, 8, 1, 1, 4);
    const std::vector<uint8_t> pvrBefore = test::Bytes(pvr);
    EXPECT_FALSE(pvr.FlipVertical());
    EXPECT_EQ(test::Bytes(pvr), pvrBefore);
    cImage depth;
    depth.m_Format = ImageFormat::Depth16;
    depth.m_Width = depth.m_Height = depth.m_Depth = depth.m_Mips = 1;
    EXPECT_FALSE(depth.FlipVertical());  // refused without a word
    EXPECT_TRUE(log.Messages().empty());
}

TEST(ImageDxt, DecompressMatchesTexelByTexelDecoding) {
    for (ImageFormat f : {ImageFormat::Dxt1, ImageFormat::Dxt3, ImageFormat::Dxt5}) {
        for (auto [w, h, d] : {std::tuple{5, 7, 1}, std::tuple{16, 8, 0}, std::tuple{4, 2, 3}}) {
            cImage image = test::RandomImage(f, w, h, d, 3, uint32_t(w + 10 * h));
            cImage texels = Decoded(image);
            const bool pot = (w & (w - 1)) == 0 && (h & (h - 1)) == 0;
            EXPECT_EQ(texels.m_Format, f == ImageFormat::Dxt1 ? ImageFormat::Rgb8 : ImageFormat::Rgba8);
            EXPECT_EQ(texels.m_Mips, pot ? 3 : 1);
            ImageLayout blocks, out;
            ASSERT_TRUE(image.GetLayout(blocks));
            ASSERT_TRUE(texels.GetLayout(out));
            const int tb = GetImageFormatInfo(texels.m_Format)->texelBytes;
            for (int k = 0; k < out.Levels(); ++k) {
                const ImageLevel& bl = blocks.Level(k);
                const ImageLevel& tl = out.Level(k);
                for (int s = 0; s < out.Faces() * tl.slices; ++s) {
                    const uint8_t* src = image.m_Data.Data() + bl.offset + s * (bl.faceSize / bl.slices);
                    const uint8_t* dst = texels.m_Data.Data() + tl.offset + s * (tl.faceSize / tl.slices);
                    for (int y = 0; y < tl.height; ++y)
                        for (int x = 0; x < tl.width; ++x) {
                            uint8_t rgba[4];
                            reference::DxtTexel(int(f), src, tl.width, x, y, rgba);
                            ASSERT_EQ(0, std::memcmp(dst + (y * tl.width + x) * tb, rgba, size_t(tb)))
                                << int(f) << " level " << k << " surface " << s << " at " << x << "," << y;
                        }
                }
            }
        }
    }
}

TEST(ImageDxt, DecompressLeavesOtherFormatsAndRefusesPvr) {
    cImage rgb = test::RandomImage(ImageFormat::Rgb8, 3, 3, 1, 1, 5);
    const std::vector<uint8_t> before = test::Bytes(rgb);
    EXPECT_TRUE(rgb.Decompress());
    EXPECT_EQ(test::Bytes(rgb), before);
    cImage pvr = test::RandomImage(ImageFormat::Pvr4Rgb, 8, 8, 1, 1, 6);
    EXPECT_FALSE(pvr.Decompress());
    EXPECT_EQ(pvr.m_Format, ImageFormat::Pvr4Rgb);
}

TEST(ImageDxt, CompressEncodesEveryLevelFaceAndSlice) {
    struct Case {
        ImageFormat from, to;
        int w, h, d;
    };
    for (Case c :
         {Case{ImageFormat::R8, ImageFormat::Dxt1, 9, 6, 1}, Case{ImageFormat::Rgb8, ImageFormat::Dxt1, 8, 8, 0},
          Case{ImageFormat::Rgba8, ImageFormat::Dxt5, 6, 5, 3}}) {
        cImage image = test::RandomImage(c.from, c.w, c.h, c.d, 3, 7);
        cImage source;
        source.Copy(image);
        ASSERT_TRUE(image.Compress());
        EXPECT_EQ(image.m_Format, c.to);
        EXPECT_EQ(image.m_Mips, 3);
        ImageLayout from, to;
        ASSERT_TRUE(source.GetLayout(from));
        ASSERT_TRUE(image.GetLayout(to));
        for (int k = 0; k < 3; ++k) {
            for (int s = 0; s < to.Faces() * to.Level(k).slices; ++s) {
                const ImageLevel& a = from.Level(k);
                const ImageLevel& b = to.Level(k);
                std::vector<uint8_t> expected(size_t(b.faceSize / b.slices));
                dxt::EncodeSurface(c.to, c.from, source.m_Data.Data() + a.offset + s * (a.faceSize / a.slices), a.width,
                                   a.height, expected.data());
                EXPECT_EQ(0, std::memcmp(image.m_Data.Data() + b.offset + s * (b.faceSize / b.slices), expected.data(),
                                         expected.size()));
            }
        }
    }
    cImage shorts = test::RandomImage(ImageFormat::Rgba16, 4, 4, 1, 1, 8);
    EXPECT_TRUE(shorts.Compress());
    EXPECT_EQ(shorts.m_Format, ImageFormat::Rgba16);
}

TEST(ImageDxt, GreyImagesSurviveCompressionWithinOneStep) {
    cImage grey;
    ASSERT_TRUE(grey.Allocate(ImageFormat::R8, 8, 8, 1, 1));
    for (int i = 0; i < 64; ++i)
        grey.m_Data[i] = uint8_t(i < 32 ? 90 : 200);
    ASSERT_TRUE(grey.Compress());
    ASSERT_TRUE(grey.Decompress());
    ASSERT_EQ(grey.m_Format, ImageFormat::Rgb8);
    for (int i = 0; i < 64; ++i) {
        const int v = i < 32 ? 90 : 200;
        EXPECT_NEAR(grey.m_Data[3 * i], v, 8);
        EXPECT_EQ(grey.m_Data[3 * i], grey.m_Data[3 * i + 2]);
    }
}

}  // namespace
}  // namespace tovan

// Mip generation, power-of-two resize and height-to-normal maps, checked
// against values from the rules and against the texel-by-texel versions.
#include "io/image/image.h"
#include "tests/io/image_helpers.h"
#include "core/half.h"
#include "tests/io/image_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace tovan {
namespace {

TEST(ImageMips, TwoByTwoMeanTruncates) {
    cImage image;
    ASSERT_TRUE(image.Allocate(ImageFormat::Rgba8, 2, 2, 1, 1));
    const uint8_t texels[16] = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 4, 4, 4, 4};
    std::memcpy(image.m_Data.Data(), texels, 16);
    ASSERT_TRUE(image.GenerateMips());
    EXPECT_EQ(image.m_Mips, 2);
    ASSERT_EQ(image.m_Data.Count(), 20);
    EXPECT_EQ(test::Bytes(image.LevelData(1), 4), (std::vector<uint8_t>{1, 1, 1, 1}));
    EXPECT_EQ(test::Bytes(image.LevelData(0), 16), test::Bytes(texels, 16));
}

TEST(ImageMips, LevelCountsFollowTheLongerSide) {
    auto levels = [](int w, int h, int d) {
        cImage image = test::RandomImage(ImageFormat::R8, w, h, d, 1, 1);
        EXPECT_TRUE(image.GenerateMips());
        return image.m_Mips;
    };
    EXPECT_EQ(levels(256, 64, 1), 9);
    EXPECT_EQ(levels(3, 3, 1), 2);
    EXPECT_EQ(levels(1, 1, 1), 1);
    EXPECT_EQ(levels(4, 4, 16), 3);  // the depth does not count
    EXPECT_EQ(levels(1, 9, 1), 4);
}

TEST(ImageMips, BytesMatchTheDirectMeanForEveryShape) {
    struct Shape {
        int w, h, d;
    };
    for (Shape s :
         {Shape{37, 21, 1}, Shape{1, 16, 1}, Shape{16, 1, 1}, Shape{8, 8, 0}, Shape{6, 5, 7}, Shape{3, 3, 2}}) {
        for (ImageFormat f : {ImageFormat::R8, ImageFormat::Rg8, ImageFormat::Rgb8, ImageFormat::Rgba8}) {
            cImage image = test::RandomImage(f, s.w, s.h, s.d, 5, uint32_t(s.w * 100 + s.h));  // stored count differs
            ASSERT_TRUE(image.GenerateMips());
            ImageLayout layout;
            ASSERT_TRUE(image.GetLayout(layout));
            const int comps = GetImageFormatInfo(f)->components;
            for (int k = 1; k < layout.Levels(); ++k) {
                const ImageLevel& a = layout.Level(k - 1);
                const ImageLevel& b = layout.Level(k);
                for (int face = 0; face < layout.Faces(); ++face) {
                    std::vector<uint8_t> expected(size_t(b.faceSize));
                    reference::MipLevel(image.LevelData(k - 1, face), a.width, a.height, a.slices, comps,
                                        expected.data());
                    EXPECT_EQ(test::Bytes(image.LevelData(k, face), expected.size()), expected)
                        << s.w << "x" << s.h << "x" << s.d << " format " << int(f) << " level " << k;
                }
            }
        }
    }
}

TEST(ImageMips, ShortsFloatsAndHalves) {
    cImage shorts = test::ImageOf<uint16_t>(ImageFormat::R16, 2, 1, 2, {65535, 65535, 65535, 65534});  // a volume
    ASSERT_TRUE(shorts.GenerateMips());
    EXPECT_EQ(test::ValuesOf<uint16_t>(shorts).back(), 65534);  // (2 x 262139) >> 3

    cImage floats = test::ImageOf<float>(ImageFormat::R32f, 2, 2, 1, {1.0f, 2.0f, 3.0f, 10.0f});
    ASSERT_TRUE(floats.GenerateMips());
    EXPECT_EQ(test::ValuesOf<float>(floats).back(), 4.0f);

    cImage halves = test::ImageOf<uint16_t>(
        ImageFormat::Rg16f, 2, 1, 1, {FloatToHalf(0.5f), FloatToHalf(-1.0f), FloatToHalf(0.25f), FloatToHalf(3.0f)});
    ASSERT_TRUE(halves.GenerateMips());
    const std::vector<uint16_t> h = test::ValuesOf<uint16_t>(halves);
    EXPECT_EQ(HalfToFloat(h[4]), 0.375f);
    EXPECT_EQ(HalfToFloat(h[5]), 1.0f);
}

TEST(ImageMips, RefusesBlockFormatsAndDropMipsKeepsLevelZero) {
    cImage dxt = test::RandomImage(ImageFormat::Dxt1, 8, 8, 1, 1, 3);
    EXPECT_FALSE(dxt.GenerateMips());
    EXPECT_EQ(dxt.m_Mips, 1);

    cImage cube = test::RandomImage(ImageFormat::Rgb8, 4, 4, 0, 3, 4);
    const std::vector<uint8_t> level0 = test::Bytes(cube.m_Data.Data(), 6 * 48);
    ASSERT_TRUE(cube.DropMips());
    EXPECT_EQ(cube.m_Mips, 1);
    EXPECT_EQ(test::Bytes(cube.m_Data.Data(), size_t(cube.m_Data.Count())), level0);
    EXPECT_TRUE(cube.DropMips());
}

TEST(ImageResize, SidesGoToTheNearerPowerOfTwo) {
    cImage image = test::RandomImage(ImageFormat::Rgb8, 100, 90, 1, 3, 5);
    ASSERT_TRUE(image.ResizeToPowerOfTwo());
    EXPECT_EQ(image.m_Width, 128);
    EXPECT_EQ(image.m_Height, 64);
    EXPECT_EQ(image.m_Mips, 1);
    EXPECT_EQ(image.m_Data.Count(), 128 * 64 * 3);

    cImage wide = test::RandomImage(ImageFormat::R8, 96, 5, 1, 1, 6);
    ASSERT_TRUE(wide.ResizeToPowerOfTwo());
    EXPECT_EQ(wide.m_Width, 128);
    EXPECT_EQ(wide.m_Height, 4);

    cImage pot = test::RandomImage(ImageFormat::R8, 64, 1, 1, 2, 7);
    ASSERT_TRUE(pot.ResizeToPowerOfTwo());
    EXPECT_EQ(pot.m_Mips, 2);  // already powers of two: untouched
}

TEST(ImageResize, MatchesTheDirectSamplingAndKeepsCorners) {
    cImage image = test::RandomImage(ImageFormat::Rgba8, 45, 25, 1, 1, 8);
    cImage source;
    source.Copy(image);
    ASSERT_TRUE(image.ResizeToPowerOfTwo());
    ASSERT_EQ(image.m_Width, 32);
    ASSERT_EQ(image.m_Height, 32);
    std::vector<uint8_t> expected(32 * 32 * 4);
    reference::Resize(source.m_Data.Data(), 45, 25, 4, expected.data(), 32, 32);
    EXPECT_EQ(test::Bytes(image.m_Data.Data(), expected.size()), expected);
    const uint8_t* last = source.m_Data.Data() + (45 * 25 - 1) * 4;
    EXPECT_EQ(test::Bytes(image.m_Data.Data(), 4), test::Bytes(source.m_Data.Data(), 4));
    EXPECT_EQ(test::Bytes(image.m_Data.Data() + (32 * 32 - 1) * 4, 4), test::Bytes(last, 4));
}

TEST(ImageResize, VolumesShortsFloatsAndHalves) {
    cImage volume = test::RandomImage(ImageFormat::R8, 3, 3, 3, 1, 9);
    cImage source;
    source.Copy(volume);
    ASSERT_TRUE(volume.ResizeToPowerOfTwo());
    ASSERT_EQ(volume.m_Depth, 3);
    for (int z = 0; z < 3; ++z) {
        std::vector<uint8_t> expected(16);
        reference::Resize(source.m_Data.Data() + 9 * z, 3, 3, 1, expected.data(), 4, 4);
        EXPECT_EQ(test::Bytes(volume.m_Data.Data() + 16 * z, 16), expected) << z;
    }

    // x' = 0, 1, 2, 3 sample at 0, 2/3, 4/3, 2.
    cImage shorts = test::ImageOf<uint16_t>(ImageFormat::R16, 3, 1, 1, {0, 1001, 3});
    ASSERT_TRUE(shorts.ResizeToPowerOfTwo());
    EXPECT_EQ(test::ValuesOf<uint16_t>(shorts), (std::vector<uint16_t>{0, 667, 668, 3}));  // 1001 - 998 / 3 = 668.3

    cImage floats = test::ImageOf<float>(ImageFormat::R32f, 3, 1, 1, {0.0f, 3.0f, -3.0f});
    ASSERT_TRUE(floats.ResizeToPowerOfTwo());
    const std::vector<float> f = test::ValuesOf<float>(floats);
    EXPECT_FLOAT_EQ(f[1], 2.0f);
    EXPECT_FLOAT_EQ(f[2], 1.0f);

    // Halves take the nearest lower texel: x = floor(k (W - 1) / W') = 0, 0, 1, 1.
    cImage halves = test::ImageOf<uint16_t>(ImageFormat::R16f, 3, 1, 1, {10, 20, 30});
    ASSERT_TRUE(halves.ResizeToPowerOfTwo());
    EXPECT_EQ(test::ValuesOf<uint16_t>(halves), (std::vector<uint16_t>{10, 10, 20, 20}));
}

TEST(ImageResize, DecompressesBlocksAndRefusesCubesAndPvr) {
    cImage dxt = test::RandomImage(ImageFormat::Dxt5, 12, 12, 1, 2, 10);
    ASSERT_TRUE(dxt.ResizeToPowerOfTwo());
    EXPECT_EQ(dxt.m_Format, ImageFormat::Rgba8);
    EXPECT_EQ(dxt.m_Width, 16);

    for (auto [format, depth] :
         {std::pair{ImageFormat::Rgba8, 0}, std::pair{ImageFormat::Pvr4Rgb, 1}, std::pair{ImageFormat::Dxt1, 0}}) {
        cImage image = test::RandomImage(format, 12, 12, depth, 2, 11);
        const std::vector<uint8_t> before(image.m_Data.begin(), image.m_Data.end());
        EXPECT_FALSE(image.ResizeToPowerOfTwo());
        EXPECT_EQ(image.m_Format, format);
        EXPECT_EQ(image.m_Mips, 2);
        EXPECT_EQ(std::vector<uint8_t>(image.m_Data.begin(), image.m_Data.end()), before);
    }
}

TEST(ImageNormalMap, ConstantHeightPointsStraightUp) {
    cImage image;
    ASSERT_TRUE(image.Allocate(ImageFormat::R8, 8, 4, 1, 4));
    for (uint8_t& b : image.m_Data)
        b = 77;
    ASSERT_TRUE(image.HeightToNormalMap(2.0f));
    EXPECT_EQ(image.m_Format, ImageFormat::Rgba8);
    EXPECT_EQ(image.m_Mips, 1);
    ASSERT_EQ(image.m_Data.Count(), 8 * 4 * 4);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(test::Bytes(image.m_Data.Data() + 4 * i, 4), (std::vector<uint8_t>{127, 127, 255, 77}));

    // Strength 0 on a flat surface: a zero-length normal becomes (0, 0, 1).
    cImage flat;
    ASSERT_TRUE(flat.Allocate(ImageFormat::R8, 4, 4, 1, 1));
    ASSERT_TRUE(flat.HeightToNormalMap(0.0f));
    EXPECT_EQ(test::Bytes(flat.m_Data.Data(), 4), (std::vector<uint8_t>{127, 127, 255, 0}));

    // Tiny strengths: s * s is a denormal with few bits and the length falls
    // short of s; the normal still ends at (0, 0, -1).
    cImage tiny;
    ASSERT_TRUE(tiny.Allocate(ImageFormat::R8, 1, 8, 1, 1));
    ASSERT_TRUE(tiny.HeightToNormalMap(-5.3e-24f));
    EXPECT_EQ(test::Bytes(tiny.m_Data.Data(), 4), (std::vector<uint8_t>{127, 127, 0, 0}));

    // Absurd strengths give the limit instead of a NaN.
    for (float strength : {INFINITY, 1e38f, 1e17f, 1e15f}) {
        cImage steep;
        ASSERT_TRUE(steep.Allocate(ImageFormat::R8, 4, 4, 1, 1));
        steep.m_Data[5] = 200;
        ASSERT_TRUE(steep.HeightToNormalMap(strength));
        EXPECT_EQ(test::Bytes(steep.m_Data.Data() + 20, 4), (std::vector<uint8_t>{127, 127, 255, 200}));
    }
}

TEST(ImageNormalMap, MatchesTheDirectFiltersOnTilingSurfaces) {
    for (auto [w, h] : {std::pair{16, 8}, std::pair{2, 4}, std::pair{1, 1}, std::pair{32, 32}}) {
        cImage image = test::RandomImage(ImageFormat::R8, w, h, 1, 1, uint32_t(w * h));
        std::vector<uint8_t> expected(size_t(w * h * 4));
        reference::NormalMap(image.m_Data.Data(), w, h, 3.5f, expected.data());
        ASSERT_TRUE(image.HeightToNormalMap(3.5f));
        EXPECT_EQ(test::Bytes(image.m_Data.Data(), expected.size()), expected) << w << "x" << h;
    }
}

TEST(ImageNormalMap, ColourAndVolumeInputs) {
    // Rgb8 becomes luminance first: (77 R + 151 G + 28 B + 128) >> 8.
    cImage rgb;
    ASSERT_TRUE(rgb.Allocate(ImageFormat::Rgb8, 1, 1, 1, 1));
    rgb.m_Data[0] = 255, rgb.m_Data[1] = 100, rgb.m_Data[2] = 0;
    ASSERT_TRUE(rgb.HeightToNormalMap(1.0f));
    EXPECT_EQ(rgb.m_Data[3], (77 * 255 + 151 * 100 + 128) >> 8);

    // Every slice of a volume uses the caller's strength.
    cImage volume = test::RandomImage(ImageFormat::R8, 8, 8, 3, 1, 12);
    std::vector<uint8_t> expected(8 * 8 * 4 * 3);
    for (int z = 0; z < 3; ++z)
        reference::NormalMap(volume.m_Data.Data() + 64 * z, 8, 8, 5.0f, expected.data() + 256 * z);
    ASSERT_TRUE(volume.HeightToNormalMap(5.0f));
    EXPECT_EQ(volume.m_Depth, 3);
    EXPECT_EQ(test::Bytes(volume.m_Data.Data(), expected.size()), expected);

    // A non-power-of-two height map is resized first.
    cImage odd = test::RandomImage(ImageFormat::Rgba8, 10, 7, 1, 1, 13);
    ASSERT_TRUE(odd.HeightToNormalMap(1.0f));
    EXPECT_EQ(odd.m_Width, 8);
    EXPECT_EQ(odd.m_Height, 8);
}

TEST(ImageNormalMap, RefusesWithoutChange) {
    struct Case {
        ImageFormat format;
        int depth;
        float strength;
    };
    for (Case c :
         {Case{ImageFormat::R16, 1, 1.0f}, Case{ImageFormat::R8, 0, 1.0f}, Case{ImageFormat::Pvr4Rgba, 1, 1.0f},
          Case{ImageFormat::Rgba32f, 1, 1.0f}, Case{ImageFormat::Dxt1, 1, NAN}}) {
        cImage image = test::RandomImage(c.format, 12, 12, c.depth, 2, 14);
        const std::vector<uint8_t> before(image.m_Data.begin(), image.m_Data.end());
        EXPECT_FALSE(image.HeightToNormalMap(c.strength)) << int(c.format);
        EXPECT_EQ(image.m_Format, c.format);
        EXPECT_EQ(image.m_Width, 12);
        EXPECT_EQ(image.m_Mips, 2);
        EXPECT_EQ(std::vector<uint8_t>(image.m_Data.begin(), image.m_Data.end()), before);
    }
}

}  // namespace
}  // namespace tovan

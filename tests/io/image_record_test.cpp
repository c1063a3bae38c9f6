// The image record: allocation, sizes, copies, level access and refusals.
#include "io/image/image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>
#include <vector>

namespace tovan {
namespace {

TEST(ImageRecord, DataSize) {
    EXPECT_EQ(cImage::DataSize(ImageFormat::Rgba8, 4, 4, 1, 10), 84);
    EXPECT_EQ(cImage::DataSize(ImageFormat::Dxt1, 1, 1, 1, 1), 8);
    EXPECT_EQ(cImage::DataSize(ImageFormat::Pvr4Rgb, 4, 4, 1, 1), 32);
    EXPECT_EQ(cImage::DataSize(ImageFormat::Rgba8, 4, 4, 0, 3), 504);
    EXPECT_EQ(cImage::DataSize(ImageFormat::Rgba8, 4, 4, 1, 0), 0);
    EXPECT_EQ(cImage::DataSize(ImageFormat::Rgba8, 4, 4, 1, -3), 0);
    EXPECT_EQ(cImage::DataSize(ImageFormat::None, 4, 4, 1, 1), -1);
    EXPECT_EQ(cImage::DataSize(ImageFormat::Depth24, 4, 4, 1, 1), -1);
    EXPECT_EQ(cImage::DataSize(ImageFormat(25), 4, 4, 1, 0), -1);
    EXPECT_EQ(cImage::DataSize(ImageFormat::Rgba16, 32768, 32768, 1, 1), -1);
    EXPECT_EQ(cImage::DataSize(ImageFormat::Dxt1, INT32_MAX, INT32_MAX, 1, 1), -1);
    EXPECT_EQ(cImage::DataSize(ImageFormat::Pvr4Rgba, INT32_MAX, 4, 1, 1), -1);
}

TEST(ImageRecord, AllocateStoresTheFieldsAndSizesTheData) {
    cImage image;
    ASSERT_TRUE(image.Allocate(ImageFormat::Rgb8, 5, 3, 1, 2));
    EXPECT_EQ(image.m_Width, 5);
    EXPECT_EQ(image.m_Height, 3);
    EXPECT_EQ(image.m_Depth, 1);
    EXPECT_EQ(image.m_Format, ImageFormat::Rgb8);
    EXPECT_EQ(image.m_Mips, 2);
    EXPECT_EQ(image.m_Data.Count(), 45 + 6);

    // Sides below 1 are stored as given but sized as 1; operations refuse them.
    ASSERT_TRUE(image.Allocate(ImageFormat::R8, 0, 4, -2, 1));
    EXPECT_EQ(image.m_Width, 0);
    EXPECT_EQ(image.m_Data.Count(), 4);
    EXPECT_FALSE(image.FlipVertical());
    EXPECT_EQ(image.LevelCount(), 0);

    // A stored count of 0 means one level, as every walk over levels reads it.
    ASSERT_TRUE(image.Allocate(ImageFormat::R8, 4, 4, 1, 0));
    EXPECT_EQ(image.m_Mips, 0);
    EXPECT_EQ(image.m_Data.Count(), 16);
    EXPECT_EQ(image.LevelCount(), 1);
    EXPECT_TRUE(image.FlipVertical());
}

TEST(ImageRecord, AllocateRefusesAndClears) {
    cImage image;
    ASSERT_TRUE(image.Allocate(ImageFormat::Rgba8, 2, 2, 1, 1));
    for (auto format : {ImageFormat::None, ImageFormat::Depth16, ImageFormat(-4), ImageFormat(25)}) {
        EXPECT_FALSE(image.Allocate(format, 2, 2, 1, 1));
        EXPECT_EQ(image.m_Format, ImageFormat::None);
        EXPECT_EQ(image.m_Data.Count(), 0);
    }
    EXPECT_FALSE(image.Allocate(ImageFormat::Rgba8, 2, 2, 1, -1));
    EXPECT_FALSE(image.Allocate(ImageFormat::Rgba32f, 65536, 65536, 1, 1));
    EXPECT_FALSE(image.Allocate(ImageFormat::Dxt1, INT32_MAX, 4, 1, 1));
    EXPECT_FALSE(image.Allocate(ImageFormat::Dxt5, 4, INT32_MAX, 0, 1));
    EXPECT_EQ(image.m_Width, 0);
    EXPECT_EQ(image.m_Data.Data(), nullptr);
}

TEST(ImageRecord, CopyClearAndMove) {
    cImage a;
    ASSERT_TRUE(a.Allocate(ImageFormat::Rg16, 3, 2, 1, 1));
    for (int i = 0; i < a.m_Data.Count(); ++i)
        a.m_Data[i] = uint8_t(i * 7);
    cImage b;
    b.Copy(a);
    EXPECT_EQ(b.m_Format, ImageFormat::Rg16);
    EXPECT_EQ(b.m_Width, 3);
    ASSERT_EQ(b.m_Data.Count(), 24);
    EXPECT_NE(b.m_Data.Data(), a.m_Data.Data());
    EXPECT_EQ(0, std::memcmp(a.m_Data.Data(), b.m_Data.Data(), 24));
    b.Copy(b);
    EXPECT_EQ(b.m_Data.Count(), 24);

    cImage c(std::move(b));
    EXPECT_EQ(c.m_Data.Count(), 24);
    EXPECT_EQ(b.m_Format, ImageFormat::None);
    EXPECT_EQ(b.m_Data.Data(), nullptr);

    c.Clear();
    EXPECT_EQ(c.m_Width, 0);
    EXPECT_EQ(c.m_Height, 0);
    EXPECT_EQ(c.m_Depth, 0);
    EXPECT_EQ(c.m_Mips, 0);
    EXPECT_EQ(c.m_Format, ImageFormat::None);
    EXPECT_EQ(c.m_Data.Data(), nullptr);
}

TEST(ImageRecord, TextureTypeAndPixelCount) {
    cImage image;
    auto type = [&](int h, int d) {
        image.m_Height = h;
        image.m_Depth = d;
        return image.GetTextureType();
    };
    EXPECT_EQ(type(4, 0), TextureType::Cube);
    EXPECT_EQ(type(4, 3), TextureType::Texture3D);
    EXPECT_EQ(type(1, 1), TextureType::Texture1D);
    EXPECT_EQ(type(2, 1), TextureType::Texture2D);
    EXPECT_EQ(type(0, 1), TextureType::None);
    EXPECT_EQ(type(4, -1), TextureType::None);

    ASSERT_TRUE(image.Allocate(ImageFormat::Rgba8, 4, 4, 1, 3));
    EXPECT_EQ(image.PixelCount(3), 21);
    EXPECT_EQ(image.PixelCount(9), 21);
    EXPECT_EQ(image.PixelCount(0), 0);
    ASSERT_TRUE(image.Allocate(ImageFormat::Dxt1, 4, 4, 0, 2));
    EXPECT_EQ(image.PixelCount(2), 6 * 20);
    image.m_Width = image.m_Height = 65536;
    EXPECT_EQ(image.PixelCount(1), -1);
}

TEST(ImageRecord, LevelDataWalksLevelsAndFaces) {
    cImage cube;
    ASSERT_TRUE(cube.Allocate(ImageFormat::R8, 4, 4, 0, 3));
    const uint8_t* base = cube.m_Data.Data();
    EXPECT_EQ(cube.LevelData(0, 5), base + 5 * 16);
    EXPECT_EQ(cube.LevelData(1, 0), base + 6 * 16);
    EXPECT_EQ(cube.LevelData(2, 1), base + 6 * 16 + 6 * 4 + 1);
    EXPECT_EQ(cube.LevelData(3, 0), nullptr);
    EXPECT_EQ(cube.LevelData(0, 6), nullptr);
    EXPECT_EQ(cube.LevelData(-1, 0), nullptr);
}

auto Fields(const cImage& i) { return std::make_tuple(i.m_Width, i.m_Height, i.m_Depth, i.m_Format, i.m_Mips); }

// Every operation refuses a record whose fields no longer match its bytes, and
// leaves it exactly as it was.
TEST(ImageRecord, OperationsRefuseRecordsThatDoNotMatchTheirData) {
    const std::vector<std::function<bool(cImage&)>> ops = {
        [](cImage& i) { return i.DropAlpha(); },
        [](cImage& i) { return i.InvertGreen(); },
        [](cImage& i) { return i.HeightToNormalMap(1.0f); },
        [](cImage& i) { return i.GenerateMips(); },
        [](cImage& i) { return i.DropMips(); },
        [](cImage& i) { return i.Decompress(); },
        [](cImage& i) { return i.Compress(); },
        [](cImage& i) { return i.FlipVertical(); },
        [](cImage& i) { return i.ConvertFormat(ImageFormat::Rgba16); },
        [](cImage& i) { return i.ResizeToPowerOfTwo(); },
    };
    auto breakers = std::vector<std::function<void(cImage&)>>{
        [](cImage& i) { i.m_Width = 64; },
        [](cImage& i) { i.m_Height = -1; },
        [](cImage& i) { i.m_Depth = -1; },
        [](cImage& i) { i.m_Mips = 3; },
        [](cImage& i) { i.m_Mips = -1; },
        [](cImage& i) { i.m_Format = ImageFormat::Depth16; },
        [](cImage& i) { i.m_Format = ImageFormat(31); },
        [](cImage& i) { i.m_Data.Resize(5); },
    };
    for (size_t b = 0; b < breakers.size(); ++b) {
        for (size_t o = 0; o < ops.size(); ++o) {
            cImage image;
            ASSERT_TRUE(image.Allocate(ImageFormat::Rgba8, 6, 5, 1, 1));
            for (int i = 0; i < image.m_Data.Count(); ++i)
                image.m_Data[i] = uint8_t(i);
            breakers[b](image);
            const auto before = Fields(image);
            const std::vector<uint8_t> bytes(image.m_Data.begin(), image.m_Data.end());
            EXPECT_FALSE(ops[o](image)) << "breaker " << b << " op " << o;
            EXPECT_TRUE(before == Fields(image)) << "breaker " << b << " op " << o;
            EXPECT_EQ(bytes, std::vector<uint8_t>(image.m_Data.begin(), image.m_Data.end()));
        }
    }
}

}  // namespace
}  // namespace tovan

// Format tables, level counts and the level walk.
#include "io/image/format.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tovan {
namespace {

int32_t LayoutSize(ImageFormat f, int w, int h, int d, int mips) {
    ImageLayout layout;
    return layout.Init(f, w, h, d, mips) ? layout.Size() : -1;
}

TEST(ImageFormat, TablesAndNames) {
    EXPECT_EQ(GetImageFormatInfo(ImageFormat::None), nullptr);
    EXPECT_EQ(GetImageFormatInfo(ImageFormat(-1)), nullptr);
    EXPECT_EQ(GetImageFormatInfo(ImageFormat(25)), nullptr);
    EXPECT_EQ(GetImageFormatInfo(ImageFormat::Rgb16f)->texelBytes, 6);
    EXPECT_EQ(GetImageFormatInfo(ImageFormat::Rg32f)->components, 2);
    EXPECT_EQ(GetImageFormatInfo(ImageFormat::Dxt3)->blockBytes, 16);
    EXPECT_EQ(GetImageFormatInfo(ImageFormat::Pvr4Rgba)->blockBytes, 8);

    EXPECT_STREQ(ImageFormatName(ImageFormat::None), "None");
    EXPECT_STREQ(ImageFormatName(ImageFormat::Depth24Stencil8), "Depth24Stencil8");
    EXPECT_STREQ(ImageFormatName(ImageFormat::Dxt5), "Dxt5");
    EXPECT_EQ(ImageFormatName(ImageFormat::Pvr4Rgb), nullptr);
    EXPECT_EQ(ImageFormatName(ImageFormat(99)), nullptr);

    ImageFormat f = ImageFormat::None;
    EXPECT_TRUE(FindImageFormat("Rgba16f", f));
    EXPECT_EQ(f, ImageFormat::Rgba16f);
    EXPECT_FALSE(FindImageFormat("Pvr4Rgb", f));
    EXPECT_FALSE(FindImageFormat("rgba8", f));
    EXPECT_FALSE(FindImageFormat(nullptr, f));

    EXPECT_STREQ(TextureTypeName(TextureType::Texture3D), "3D");
    EXPECT_STREQ(TextureTypeName(TextureType::Cube), "Cube");
    EXPECT_EQ(TextureTypeName(TextureType(5)), nullptr);
}

TEST(ImageFormat, LevelCountClampsToTheChain) {
    EXPECT_EQ(MipChainLength(3, 3, 1), 2);
    EXPECT_EQ(MipChainLength(256, 64, 1), 9);
    EXPECT_EQ(MipChainLength(1, 1, 33), 6);  // the walk counts volume depth
    EXPECT_EQ(MipChainLength(0, -5, 0), 1);
    EXPECT_EQ(MipChainLength(INT32_MAX, 1, 1), 31);
    EXPECT_EQ(LevelCount(4, 4, 1, 10), 3);
    EXPECT_EQ(LevelCount(4, 4, 1, 0), 1);
    EXPECT_EQ(LevelCount(4, 4, 1, 2), 2);
    EXPECT_EQ(LevelCount(4, 4, 1, -1), -1);
}

TEST(ImageFormat, SizeWalk) {
    EXPECT_EQ(LayoutSize(ImageFormat::Rgba8, 4, 4, 1, 10), 84);
    EXPECT_EQ(LayoutSize(ImageFormat::Dxt1, 1, 1, 1, 1), 8);
    EXPECT_EQ(LayoutSize(ImageFormat::Pvr4Rgb, 4, 4, 1, 1), 32);
    EXPECT_EQ(LayoutSize(ImageFormat::Pvr4Rgba, 8, 8, 1, 2), 64);  // 32 each, the second raised
    EXPECT_EQ(LayoutSize(ImageFormat::Rgba8, 4, 4, 0, 3), 6 * (64 + 16 + 4));
    EXPECT_EQ(LayoutSize(ImageFormat::Dxt5, 6, 5, 1, 1), 4 * 16);
    EXPECT_EQ(LayoutSize(ImageFormat::Rgb16f, 2, 2, 4, 9), 6 * (16 + 2 + 1));  // 2x2x4, 1x1x2, 1x1x1
    EXPECT_EQ(LayoutSize(ImageFormat::R8, 0, -3, -2, 1), 1);                   // sides raised to 1

    ImageLayout cube;
    ASSERT_TRUE(cube.Init(ImageFormat::Dxt1, 8, 8, 0, 4));
    EXPECT_EQ(cube.Levels(), 4);
    EXPECT_EQ(cube.Faces(), 6);
    EXPECT_EQ(cube.Level(1).offset, 6 * 32);
    EXPECT_EQ(cube.Level(1).faceSize, 8);
    EXPECT_EQ(cube.Level(3).width, 1);
    EXPECT_EQ(cube.Size(), 6 * (32 + 8 + 8 + 8));

    ImageLayout volume;
    ASSERT_TRUE(volume.Init(ImageFormat::R8, 8, 2, 4, 3));
    EXPECT_EQ(volume.Level(1).slices, 2);
    EXPECT_EQ(volume.Level(2).height, 1);
    EXPECT_EQ(volume.Level(2).offset, 64 + 8);
}

TEST(ImageFormat, SizeWalkRefusesWhatHasNoSizeOrDoesNotFit) {
    for (int f : {0, -1, 17, 18, 19, 25, 1000})
        EXPECT_EQ(LayoutSize(ImageFormat(f), 4, 4, 1, 1), -1) << f;
    EXPECT_EQ(LayoutSize(ImageFormat::Rgba8, 4, 4, 1, -1), -1);
    EXPECT_EQ(LayoutSize(ImageFormat::Rgba32f, 65536, 65536, 1, 1), -1);
    EXPECT_EQ(LayoutSize(ImageFormat::R8, INT32_MAX, INT32_MAX, INT32_MAX, 1), -1);
    EXPECT_EQ(LayoutSize(ImageFormat::Rgba8, 16384, 16384, 0, 1), -1);  // 1 GiB a face
    EXPECT_EQ(LayoutSize(ImageFormat::R8, INT32_MAX, 1, 1, 1), INT32_MAX);
    // The mip chain pushes it over: 2^31 - 1 plus the next level.
    EXPECT_EQ(LayoutSize(ImageFormat::R8, INT32_MAX, 1, 1, 2), -1);

    // Block formats round sides up to whole blocks, which must not overflow.
    for (ImageFormat f : {ImageFormat::Dxt1, ImageFormat::Dxt5, ImageFormat::Pvr4Rgb}) {
        EXPECT_EQ(LayoutSize(f, INT32_MAX, 1, 1, 1), -1) << int(f);
        EXPECT_EQ(LayoutSize(f, 1, INT32_MAX, 1, 1), -1) << int(f);
        EXPECT_EQ(LayoutSize(f, INT32_MAX, INT32_MAX, 0, 32), -1) << int(f);
    }
    EXPECT_EQ(LayoutSize(ImageFormat::Dxt1, INT32_MAX - 3, 4, 1, 1), -1);
    EXPECT_EQ(LayoutSize(ImageFormat::Dxt1, (1 << 30) - 4, 1, 1, 1), INT32_MAX - 7);  // the widest that fits
    EXPECT_EQ(LayoutSize(ImageFormat::Dxt1, 4, (1 << 30) - 4, 1, 1), INT32_MAX - 7);
    EXPECT_EQ(LayoutSize(ImageFormat::Dxt1, 1 << 30, 1, 1, 1), -1);
    EXPECT_EQ(LayoutSize(ImageFormat::Dxt3, 4, 4, INT32_MAX, 1), -1);

    ImageLayout layout;
    layout.Init(ImageFormat::Rgba8, 4, 4, 1, 1);
    EXPECT_FALSE(layout.Init(ImageFormat::Depth16, 4, 4, 1, 1));
    EXPECT_EQ(layout.Levels(), 0);
    EXPECT_EQ(layout.Size(), 0);
}

}  // namespace
}  // namespace tovan

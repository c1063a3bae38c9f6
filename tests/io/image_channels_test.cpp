// Format conversion, dropping alpha and inverting green.
#include "io/image/image.h"
#include "tests/io/image_helpers.h"
#include "core/half.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace tovan {
namespace {

cImage Make(ImageFormat format, int w, int h, int depth, int mips, std::vector<uint8_t> bytes = {}) {
    cImage image;
    EXPECT_TRUE(image.Allocate(format, w, h, depth, mips));
    if (!bytes.empty()) {
        EXPECT_EQ(int(bytes.size()), image.m_Data.Count());
        std::memcpy(image.m_Data.Data(), bytes.data(), bytes.size());
    }
    return image;
}

TEST(ImageConvert, ExpansionRulesOfThePart) {
    cImage rg = Make(ImageFormat::Rg8, 2, 1, 1, 1, {10, 200, 255, 0});
    ASSERT_TRUE(rg.ConvertFormat(ImageFormat::Rgba8));
    EXPECT_EQ(test::Bytes(rg), (std::vector<uint8_t>{10, 10, 10, 200, 255, 255, 255, 0}));

    cImage rgb = Make(ImageFormat::Rgb8, 1, 1, 1, 1, {1, 2, 3});
    ASSERT_TRUE(rgb.ConvertFormat(ImageFormat::Rgba8));
    EXPECT_EQ(test::Bytes(rgb), (std::vector<uint8_t>{1, 2, 3, 255}));

    cImage r = Make(ImageFormat::R8, 1, 1, 1, 1, {51});
    ASSERT_TRUE(r.ConvertFormat(ImageFormat::Rgba16));
    EXPECT_EQ(test::ValuesOf<uint16_t>(r), (std::vector<uint16_t>{13107, 13107, 13107, 65535}));

    // Luminance 0.2125 R + 0.7154 G + 0.0721 B, then rounded to the byte.
    cImage colour = Make(ImageFormat::Rgb8, 3, 1, 1, 1, {255, 0, 0, 0, 255, 0, 0, 0, 255});
    ASSERT_TRUE(colour.ConvertFormat(ImageFormat::R8));
    EXPECT_EQ(test::Bytes(colour), (std::vector<uint8_t>{54, 182, 18}));

    cImage f = test::ImageOf<float>(ImageFormat::Rg32f, 1, 1, 1, {0.25f, -3.0f});
    ASSERT_TRUE(f.ConvertFormat(ImageFormat::Rgba32f));
    EXPECT_EQ(test::ValuesOf<float>(f), (std::vector<float>{0.25f, 0.25f, 0.25f, -3.0f}));
}

TEST(ImageConvert, TwoComponentTargetsKeepTheSecondComponent) {
    // Two components read as luminance and alpha, so they are written back the same way.
    cImage rg = Make(ImageFormat::Rg8, 2, 1, 1, 1, {10, 200, 255, 0});
    ASSERT_TRUE(rg.ConvertFormat(ImageFormat::Rg16));
    EXPECT_EQ(test::ValuesOf<uint16_t>(rg), (std::vector<uint16_t>{2570, 51400, 65535, 0}));
    cImage rgba = Make(ImageFormat::Rgba8, 1, 1, 1, 1, {10, 20, 30, 40});
    ASSERT_TRUE(rgba.ConvertFormat(ImageFormat::Rg8));
    EXPECT_EQ(test::Bytes(rgba), (std::vector<uint8_t>{10, 40}));
}

TEST(ImageConvert, ClampsAndTurnsNaNToZeroInIntegerTargets) {
    const float nan = std::nanf("");
    cImage f = test::ImageOf<float>(ImageFormat::Rgba32f, 2, 1, 1, {nan, 2.0f, -1.0f, 0.5f, 1.0f, 0.0f, nan, nan});
    cImage copy;
    copy.Copy(f);
    ASSERT_TRUE(f.ConvertFormat(ImageFormat::Rgba8));
    EXPECT_EQ(test::Bytes(f), (std::vector<uint8_t>{0, 255, 0, 128, 255, 0, 0, 0}));
    ASSERT_TRUE(copy.ConvertFormat(ImageFormat::Rgba16f));
    const std::vector<uint16_t> halves = test::ValuesOf<uint16_t>(copy);
    EXPECT_TRUE(std::isnan(HalfToFloat(halves[0])));
    EXPECT_EQ(HalfToFloat(halves[1]), 2.0f);
    ASSERT_TRUE(copy.ConvertFormat(ImageFormat::R16));
    EXPECT_EQ(test::ValuesOf<uint16_t>(copy)[0], 0);  // luminance of a NaN texel
}

TEST(ImageConvert, RefusesWithoutChange) {
    cImage dxt = Make(ImageFormat::Dxt1, 4, 4, 1, 1);
    EXPECT_FALSE(dxt.ConvertFormat(ImageFormat::Rgb8));
    EXPECT_EQ(dxt.m_Format, ImageFormat::Dxt1);
    cImage rgb = Make(ImageFormat::Rgb8, 1, 1, 1, 1, {1, 2, 3});
    for (auto target : {ImageFormat::None, ImageFormat::Depth16, ImageFormat::Dxt5, ImageFormat(-1), ImageFormat(40)})
        EXPECT_FALSE(rgb.ConvertFormat(target));
    EXPECT_TRUE(rgb.ConvertFormat(ImageFormat::Rgb8));
    EXPECT_EQ(rgb.m_Format, ImageFormat::Rgb8);
    EXPECT_EQ(test::Bytes(rgb), (std::vector<uint8_t>{1, 2, 3}));
}

// Worst error of a component stored in the format, in units of 0..1.
float Quantum(ImageFormat f) {
    const ComponentType t = GetImageFormatInfo(f)->type;
    return t == ComponentType::Byte    ? 0.5f / 255
           : t == ComponentType::Short ? 0.5f / 65535
           : t == ComponentType::Half  ? 1.0f / 2048
                                       : 0.0f;
}

float Component(const cImage& image, int texel, int c) {
    const ImageFormatInfo& info = *GetImageFormatInfo(image.m_Format);
    const uint8_t* p = image.m_Data.Data() + texel * info.texelBytes;
    switch (info.type) {
    case ComponentType::Byte: return p[c] / 255.0f;
    case ComponentType::Short: {
        uint16_t v;
        std::memcpy(&v, p + 2 * c, 2);
        return v / 65535.0f;
    }
    case ComponentType::Half: {
        uint16_t v;
        std::memcpy(&v, p + 2 * c, 2);
        return HalfToFloat(v);
    }
    default: {
        float v;
        std::memcpy(&v, p + 4 * c, 4);
        return v;
    }
    }
}

// Grey texels (every component the same value) go from each format to every
// other and back: the value survives within the coarser format's precision;
// alpha survives when the middle format has alpha (two or four components).
TEST(ImageConvert, RoundTripsAcrossEveryPair) {
    const float values[] = {0.0f, 1.0f, 0.2f, 0.5f, 0.75f, 0.93f};
    for (int a = 1; a <= 16; ++a) {
        for (int b = 1; b <= 16; ++b) {
            const ImageFormat from = ImageFormat(a), to = ImageFormat(b);
            const ImageFormatInfo& info = *GetImageFormatInfo(from);
            cImage image = Make(from, 6, 1, 1, 1);
            cImage source = Make(ImageFormat::R32f, 6, 1, 1, 1);
            std::memcpy(source.m_Data.Data(), values, sizeof values);
            ASSERT_TRUE(source.ConvertFormat(from));
            if (info.components % 2 == 0) {
                // Alpha differs from the grey value so that losing it shows.
                ASSERT_TRUE(source.ConvertFormat(ImageFormat::Rgba32f));
                for (int t = 0; t < 6; ++t)
                    std::memcpy(source.m_Data.Data() + 16 * t + 12, &values[5 - t], 4);
                ASSERT_TRUE(source.ConvertFormat(from));
            }
            image.Copy(source);
            ASSERT_TRUE(image.ConvertFormat(to)) << a << " -> " << b;
            ASSERT_TRUE(image.ConvertFormat(from)) << b << " -> " << a;
            const int middle = GetImageFormatInfo(to)->components;
            const float tolerance = 1.01f * (Quantum(from) + Quantum(to)) + 1e-6f;
            for (int t = 0; t < 6; ++t) {
                for (int c = 0; c < info.components; ++c) {
                    float expected = Component(source, t, c);
                    if (info.components == 4 && c == 3 && middle != 2 && middle != 4)
                        expected = 1.0f;
                    if (info.components == 2 && c == 1 && middle != 2 && middle != 4)
                        expected = 1.0f;
                    EXPECT_NEAR(Component(image, t, c), expected, tolerance)
                        << ImageFormatName(from) << " via " << ImageFormatName(to) << " texel " << t << " c " << c;
                }
            }
        }
    }
}

TEST(ImageChannels, DropAlpha) {
    cImage image = Make(ImageFormat::Rgba8, 2, 2, 1, 2, {});
    for (int i = 0; i < image.m_Data.Count(); ++i)
        image.m_Data[i] = uint8_t(i);
    ASSERT_TRUE(image.DropAlpha());
    EXPECT_EQ(image.m_Format, ImageFormat::Rgb8);
    EXPECT_EQ(image.m_Mips, 2);
    EXPECT_EQ(test::Bytes(image), (std::vector<uint8_t>{0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 16, 17, 18}));

    cImage halves = test::ImageOf<uint16_t>(ImageFormat::Rgba16f, 1, 1, 1, {1, 2, 3, 4});
    ASSERT_TRUE(halves.DropAlpha());
    EXPECT_EQ(halves.m_Format, ImageFormat::Rgb16f);
    EXPECT_EQ(test::ValuesOf<uint16_t>(halves), (std::vector<uint16_t>{1, 2, 3}));

    cImage rg = Make(ImageFormat::Rg8, 1, 1, 1, 1, {7, 9});
    EXPECT_TRUE(rg.DropAlpha());
    EXPECT_EQ(test::Bytes(rg), (std::vector<uint8_t>{7, 9}));
    cImage dxt = Make(ImageFormat::Dxt5, 4, 4, 1, 1);
    EXPECT_FALSE(dxt.DropAlpha());
    EXPECT_EQ(dxt.m_Format, ImageFormat::Dxt5);
}

TEST(ImageChannels, InvertGreen) {
    cImage bytes = Make(ImageFormat::Rgb8, 2, 1, 0, 1, {});  // a cube: all six faces
    for (int i = 0; i < bytes.m_Data.Count(); ++i)
        bytes.m_Data[i] = uint8_t(i);
    ASSERT_TRUE(bytes.InvertGreen());
    for (int i = 0; i < bytes.m_Data.Count(); ++i)
        EXPECT_EQ(bytes.m_Data[i], i % 3 == 1 ? 255 - i : i);

    cImage shorts = test::ImageOf<uint16_t>(ImageFormat::Rg16, 1, 1, 1, {5, 1000});
    ASSERT_TRUE(shorts.InvertGreen());
    EXPECT_EQ(test::ValuesOf<uint16_t>(shorts), (std::vector<uint16_t>{5, 64535}));

    cImage halves =
        test::ImageOf<uint16_t>(ImageFormat::Rgba16f, 1, 1, 1, {0, FloatToHalf(0.25f), 0, FloatToHalf(2.0f)});
    ASSERT_TRUE(halves.InvertGreen());
    EXPECT_EQ(HalfToFloat(test::ValuesOf<uint16_t>(halves)[1]), 0.75f);

    cImage floats = test::ImageOf<float>(ImageFormat::Rgb32f, 1, 1, 1, {0.0f, 3.0f, 0.0f});
    ASSERT_TRUE(floats.InvertGreen());
    EXPECT_EQ(test::ValuesOf<float>(floats)[1], -2.0f);

    cImage r = Make(ImageFormat::R8, 1, 1, 1, 1, {9});
    EXPECT_FALSE(r.InvertGreen());
    EXPECT_EQ(r.m_Data[0], 9);
    cImage dxt = Make(ImageFormat::Dxt1, 4, 4, 1, 1);
    EXPECT_FALSE(dxt.InvertGreen());
}

}  // namespace
}  // namespace tovan

// Files written by other tools decode to the pixels those tools read back;
// files of kinds the codecs do not take, and hostile files, fail cleanly.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "io/codecs/image_codec.h"
#include "tests/io/codec_files.h"

namespace tovan {
namespace {

struct CorpusFile {
    const char* path;  // under tests/data; the tool's pixels are beside it as .rgba
    ImageFormat format;
    int width, height, mips;
};

const CorpusFile kBmpFiles[] = {
    {"bmp/im_1bit.bmp", ImageFormat::Rgb8, 13, 7, 1},
    {"bmp/im_4bit.bmp", ImageFormat::Rgb8, 13, 7, 1},
    {"bmp/im_8bit.bmp", ImageFormat::Rgb8, 13, 7, 1},
    {"bmp/im_24bit.bmp", ImageFormat::Rgb8, 13, 7, 1},
    {"bmp/im_32bit.bmp", ImageFormat::Rgba8, 13, 7, 1},
    {"bmp/pil_1bit.bmp", ImageFormat::Rgb8, 13, 7, 1},
    {"bmp/pil_8bit_palette.bmp", ImageFormat::Rgb8, 13, 7, 1},
    {"bmp/pil_8bit_grey.bmp", ImageFormat::Rgb8, 13, 7, 1},
    {"bmp/pil_24bit.bmp", ImageFormat::Rgb8, 13, 7, 1},
    {"bmp/pil_32bit.bmp", ImageFormat::Rgba8, 13, 7, 1},
    {"bmp/top_down_24bit.bmp", ImageFormat::Rgb8, 13, 7, 1},
    {"bmp/bitfields_32bit.bmp", ImageFormat::Rgba8, 13, 7, 1},
    {"bmp/gap_8bit.bmp", ImageFormat::Rgb8, 13, 7, 1},
};

const CorpusFile kTgaFiles[] = {
    {"tga/im_24bit.tga", ImageFormat::Rgb8, 13, 7, 1},
    {"tga/im_24bit_rle.tga", ImageFormat::Rgb8, 13, 7, 1},
    {"tga/im_32bit_rle.tga", ImageFormat::Rgba8, 13, 7, 1},
    {"tga/im_24bit_top.tga", ImageFormat::Rgb8, 13, 7, 1},
    {"tga/im_32bit_rle_top.tga", ImageFormat::Rgba8, 13, 7, 1},
    {"tga/im_8bit_mapped.tga", ImageFormat::Rgb8, 13, 7, 1},
    {"tga/im_8bit_grey.tga", ImageFormat::R8, 13, 7, 1},
    {"tga/pil_24bit.tga", ImageFormat::Rgb8, 13, 7, 1},
    {"tga/pil_24bit_rle.tga", ImageFormat::Rgb8, 13, 7, 1},
    {"tga/pil_32bit_top.tga", ImageFormat::Rgba8, 13, 7, 1},
    {"tga/pil_32bit_rle_top.tga", ImageFormat::Rgba8, 13, 7, 1},
    {"tga/pil_8bit_mapped_rle.tga", ImageFormat::Rgb8, 13, 7, 1},
    {"tga/pil_8bit_grey_rle.tga", ImageFormat::R8, 13, 7, 1},
};

const CorpusFile kDdsFiles[] = {
    {"dds/im_rgb.dds", ImageFormat::Rgb8, 32, 16, 1},       {"dds/im_rgba_mips.dds", ImageFormat::Rgba8, 32, 16, 4},
    {"dds/pil_rgb.dds", ImageFormat::Rgb8, 32, 16, 1},      {"dds/pil_rgba.dds", ImageFormat::Rgba8, 32, 16, 1},
    {"dds/im_dxt1_mips.dds", ImageFormat::Dxt1, 32, 16, 4}, {"dds/im_dxt5_mips.dds", ImageFormat::Dxt5, 32, 16, 4},
    {"dds/nv_dxt1_mips.dds", ImageFormat::Dxt1, 32, 16, 6}, {"dds/nv_dxt3_mips.dds", ImageFormat::Dxt3, 32, 16, 6},
    {"dds/nv_dxt5_mips.dds", ImageFormat::Dxt5, 32, 16, 6},
};

std::string PixelsPath(const std::string& path) { return path.substr(0, path.rfind('.')) + ".rgba"; }

// Compares level 0 with the tool's RGBA dump (top row first). Block formats are
// compared after decompression within `tolerance`: decoders may round the
// colours between the end points differently; end points widened another way
// (5:6:5 white as 248) or a misplaced or flipped block is outside it.
void ExpectToolPixels(const CorpusFile& file, cImage& image, int tolerance) {
    const std::string expected = test::ReadDataFile(PixelsPath(file.path));
    ASSERT_EQ(expected.size(), size_t(file.width) * file.height * 4) << file.path;
    if (IsDxtFormat(image.m_Format)) {
        image.DropMips();
        ASSERT_TRUE(image.Decompress());
    }
    const int bytes = GetImageFormatInfo(image.m_Format)->texelBytes;
    const uint8_t* level = image.LevelData(0);
    ASSERT_NE(level, nullptr);
    int worst = 0;
    for (int y = 0; y < file.height; ++y) {
        for (int x = 0; x < file.width; ++x) {
            const uint8_t* got = level + (size_t(y) * file.width + x) * bytes;
            const char* want = &expected[(size_t(file.height - 1 - y) * file.width + x) * 4];
            for (int c = 0; c < bytes; ++c) {
                const int diff = std::abs(got[c] - uint8_t(want[c]));
                worst = diff > worst ? diff : worst;
                if (diff > tolerance) {
                    ADD_FAILURE() << file.path << " texel " << x << "," << y << " component " << c << ": "
                                  << int(got[c]) << " != " << int(uint8_t(want[c]));
                    return;
                }
            }
        }
    }
    if (tolerance == 0) {
        EXPECT_EQ(worst, 0);
    }
}

void ExpectCorpus(const cIO::ImageCodec& codec, const CorpusFile* files, int count, int blockTolerance) {
    for (int i = 0; i < count; ++i) {
        const CorpusFile& file = files[i];
        SCOPED_TRACE(file.path);
        cStream in;
        test::SetBytes(in, test::ReadDataFile(file.path));
        cImage image;
        ASSERT_TRUE(codec.Decode(in, image));
        EXPECT_EQ(image.m_Format, file.format);
        EXPECT_EQ(image.m_Width, file.width);
        EXPECT_EQ(image.m_Height, file.height);
        EXPECT_EQ(image.m_Depth, 1);
        EXPECT_EQ(image.m_Mips, file.mips);
        ExpectToolPixels(file, image, IsDxtFormat(file.format) ? blockTolerance : 0);
    }
}

TEST(CodecCorpus, BmpFilesDecodeToTheToolsPixels) {
    ExpectCorpus(cCodecBmp(), kBmpFiles, int(std::size(kBmpFiles)), 0);
}

TEST(CodecCorpus, TgaFilesDecodeToTheToolsPixels) {
    ExpectCorpus(cCodecTga(), kTgaFiles, int(std::size(kTgaFiles)), 0);
}

TEST(CodecCorpus, DdsFilesDecodeToTheToolsPixels) {
    ExpectCorpus(cCodecDds(), kDdsFiles, int(std::size(kDdsFiles)), 1);
}

TEST(CodecCorpus, DdsFilesAreReadToTheirLastByte) {
    for (const CorpusFile& file : kDdsFiles) {
        cStream in;
        test::SetBytes(in, test::ReadDataFile(file.path));
        cImage image;
        ASSERT_TRUE(cCodecDds().Decode(in, image)) << file.path;
        EXPECT_EQ(in.m_Position, in.Count()) << file.path;
        EXPECT_EQ(in.Count(), 128 + image.m_Data.Count()) << file.path;
    }
}

struct BadFile {
    const char* path;
    const cIO::ImageCodec& codec;
};

// Refused: valid files of kinds the codecs do not read. Hostile: files that
// lie about their size or contents.
TEST(CodecCorpus, RefusedAndHostileFilesFailAndLeaveTheImageCleared) {
    const cCodecBmp bmp;
    const cCodecTga tga;
    const cCodecDds dds;
    const cCodecPvr pvr;
    const BadFile files[] = {
        {"bmp/refused_v4.bmp", bmp},      {"bmp/refused_v5.bmp", bmp},           {"tga/refused_id.tga", tga},
        {"dds/refused_dx10.dds", dds},    {"bmp/hostile_height.bmp", bmp},       {"bmp/hostile_huge.bmp", bmp},
        {"bmp/hostile_palette.bmp", bmp}, {"tga/hostile_rle_map.tga", tga},      {"tga/hostile_rle_overrun.tga", tga},
        {"tga/hostile_index.tga", tga},   {"dds/hostile_huge_rgba32f.dds", dds}, {"dds/hostile_mips.dds", dds},
        {"pvr/hostile_huge.pvr", pvr},    {"pvr/hostile_mips.pvr", pvr},         {"dds/refused_v8u8.dds", dds},
        {"dds/refused_l6v5u5.dds", dds},  {"dds/refused_p8.dds", dds},           {"dds/refused_a4l4.dds", dds},
    };
    for (const BadFile& file : files) {
        cStream in;
        test::SetBytes(in, test::ReadDataFile(file.path));
        cImage image;
        image.Allocate(ImageFormat::Rgba8, 2, 2, 1, 1);  // held before: must not survive
        EXPECT_FALSE(file.codec.Decode(in, image)) << file.path;
        EXPECT_EQ(image.m_Format, ImageFormat::None) << file.path;
        EXPECT_EQ(image.m_Width, 0) << file.path;
        EXPECT_EQ(image.m_Data.Count(), 0) << file.path;
    }
}

// Every prefix of every corpus file is a truncated file: each fails cleanly.
TEST(CodecCorpus, EveryTruncationOfAFileFails) {
    const cCodecBmp bmp;
    const cCodecTga tga;
    const cCodecDds dds;
    const BadFile files[] = {
        {"bmp/im_4bit.bmp", bmp},      {"bmp/im_24bit.bmp", bmp},         {"bmp/pil_32bit.bmp", bmp},
        {"tga/im_24bit_rle.tga", tga}, {"tga/im_32bit_rle_top.tga", tga}, {"tga/im_8bit_mapped.tga", tga},
        {"dds/nv_dxt3_mips.dds", dds}, {"dds/im_rgba_mips.dds", dds},
    };
    for (const BadFile& file : files) {
        const std::string bytes = test::ReadDataFile(file.path);
        for (size_t n = 0; n < bytes.size(); ++n) {
            cStream in;
            test::SetBytes(in, bytes.substr(0, n));
            cImage image;
            if (file.codec.Decode(in, image)) {
                ADD_FAILURE() << file.path << " decoded from its first " << n << " bytes";
                break;
            }
        }
    }
}

}  // namespace
}  // namespace tovan

// The decode limit and the registration table every image codec shares.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/codecs/image_codec.h"
#include "tests/io/codec_files.h"

namespace tovan {
namespace {

class DecodeLimit : public ::testing::Test {
protected:
    ~DecodeLimit() override { SetImageDecodeLimit(m_Saved); }
    int64_t m_Saved = GetImageDecodeLimit();
};

TEST_F(DecodeLimit, DefaultsTo512MiBAndRefusesLargerImagesOfEveryCodec) {
    EXPECT_EQ(GetImageDecodeLimit(), int64_t(512) << 20);
    struct Case {
        const char* path;
        const cIO::ImageCodec& codec;
    };
    const cCodecBmp bmp;
    const cCodecTga tga;
    const cCodecDds dds;
    const cCodecPvr pvr;
    const Case cases[] = {{"bmp/im_24bit.bmp", bmp},
                          {"tga/im_24bit_rle.tga", tga},
                          {"dds/im_rgba_mips.dds", dds},
                          {"pvr/rgb_32x16_mips.pvr", pvr}};
    for (const Case& c : cases) {
        const std::string bytes = test::ReadDataFile(c.path);
        cStream in;
        cImage image;
        test::SetBytes(in, bytes);
        ASSERT_TRUE(c.codec.Decode(in, image)) << c.path;
        const int64_t size = image.m_Data.Count();
        SetImageDecodeLimit(size - 1);
        test::SetBytes(in, bytes);
        EXPECT_FALSE(c.codec.Decode(in, image)) << c.path;
        EXPECT_EQ(image.m_Data.Count(), 0);
        SetImageDecodeLimit(size);
        test::SetBytes(in, bytes);
        EXPECT_TRUE(c.codec.Decode(in, image)) << c.path;
        SetImageDecodeLimit(m_Saved);
    }
}

std::vector<std::string> s_Added;

bool TakeEveryOtherCodec(const char* name, cIO::ImageCodec* codec) {
    s_Added.push_back(name);
    if (s_Added.size() % 2 == 0)
        return false;  // refused: the registration deletes it
    delete codec;      // this test owns the ones it takes
    return true;
}

TEST(ImageCodecRegistration, HandsOverTheFourCodecsInOrder) {
    s_Added.clear();
    RegisterImageCodecs(TakeEveryOtherCodec);
    EXPECT_EQ(s_Added, (std::vector<std::string>{"Dds", "Bmp", "cPvr", "Tga"}));
    // Each entry creates the codec of its name.
    const uint32_t magics[] = {0x20534444, 0x00004D42, 0x20525650, 0x00020000};
    for (int i = 0; i < 4; ++i) {
        cIO::ImageCodec* codec = kImageCodecs[i].create();
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(codec->Identify(magics[j], nullptr) == 1, i == j) << kImageCodecs[i].name << " " << j;
        delete codec;
    }
}

}  // namespace
}  // namespace tovan

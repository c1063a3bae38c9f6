// The decode limit and the registration table every image codec shares.
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/codecs/image_codec.h"
#include "tests/io/codec_files.h"
#include "tests/io/registration_lines.h"

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

TEST(ImageCodecRegistration, HandsOverEveryCodecOfTheTableInOrder) {
    s_Added.clear();
    RegisterImageCodecs(TakeEveryOtherCodec);
    const std::vector<std::string> names = test::ImageCodecNames();
    EXPECT_EQ(s_Added, names);
    // The framework's own codecs stay, in this order among the rest, and each
    // entry creates the codec of its name: it knows its own first bytes only.
    const std::map<std::string, uint32_t> magics = {
        {"Dds", 0x20534444}, {"Bmp", 0x00004D42}, {"cPvr", 0x20525650}, {"Tga", 0x00020000}};
    std::vector<std::string> framework;
    for (int i = 0; i < kImageCodecCount; ++i) {
        if (!magics.count(kImageCodecs[i].name))
            continue;
        framework.push_back(kImageCodecs[i].name);
        cIO::ImageCodec* codec = kImageCodecs[i].create();
        for (const auto& [name, magic] : magics)
            EXPECT_EQ(codec->Identify(magic, nullptr) == 1, name == kImageCodecs[i].name)
                << kImageCodecs[i].name << " " << name;
        delete codec;
    }
    EXPECT_EQ(framework, (std::vector<std::string>{"Dds", "Bmp", "cPvr", "Tga"}));
}

}  // namespace
}  // namespace tovan

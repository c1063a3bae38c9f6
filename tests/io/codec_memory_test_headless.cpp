// Hostile files must be refused before anything is allocated for what they
// claim, even when they hold enough bytes to make the claim possible. The
// sanitizer's allocation hooks count every byte allocated while a decode runs.
#include <atomic>
#include <cstddef>
#include <iterator>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "io/codecs/image_codec.h"
#include "tests/io/codec_files.h"
#include "tests/support/allocation_meter.h"

namespace tovan {
namespace {

// A colour-mapped run-length TGA of side x side texels with a one-entry map,
// each packet repeating 128 texels (the most two bytes can claim); index 1,
// outside the map, stands in the first packet (badPacket 0), the last (1) or
// none (-1).
std::string MappedRunLengthTga(int side, int badPacket) {
    std::string s;
    test::PutU16(s, 0x0100);  // no identification field; a colour map
    test::PutU8(s, 9);
    test::PutU16(s, 0);
    test::PutU16(s, 1);  // one 24-bit entry
    test::PutU8(s, 24);
    test::PutU32(s, 0);
    test::PutU16(s, unsigned(side));
    test::PutU16(s, unsigned(side));
    test::PutU16(s, 8);
    s += std::string(3, '\x40');
    const int64_t texels = int64_t(side) * side;
    const int64_t packets = (texels + 127) / 128;
    s.reserve(s.size() + size_t(2 * packets));
    for (int64_t i = 0; i < packets; ++i) {
        const int64_t n = i + 1 < packets ? 128 : texels - 128 * i;
        test::PutU8(s, unsigned(0x80 | (n - 1)));
        test::PutU8(s, (badPacket == 0 && i == 0) || (badPacket == 1 && i + 1 == packets) ? 1 : 0);
    }
    return s;
}

// A plain colour-mapped TGA of side x side with a two-entry map; the texel at
// `bad` (unless -1) selects entry 2.
std::string MappedTga(int side, int64_t bad) {
    std::string s;
    test::PutU16(s, 0x0100);
    test::PutU8(s, 1);
    test::PutU16(s, 0);
    test::PutU16(s, 2);
    test::PutU8(s, 24);
    test::PutU32(s, 0);
    test::PutU16(s, unsigned(side));
    test::PutU16(s, unsigned(side));
    test::PutU16(s, 8);
    s += std::string(6, '\x40');
    const size_t at = s.size();
    s.resize(at + size_t(side) * size_t(side), '\x01');
    if (bad >= 0)
        s[at + size_t(bad)] = 2;
    return s;
}

// A 1-bit BMP of side x side whose palette has one entry; the first texel of
// stored row `badRow` (unless -1) selects entry 1.
std::string OneBitBmp(int side, int badRow) {
    const size_t rowBytes = size_t(side + 31) / 32 * 4;
    std::string s;
    test::PutU16(s, 0x4D42);
    test::PutU32(s, 0);
    test::PutU32(s, 0);
    test::PutU32(s, 54 + 4);
    test::PutU32(s, 40);
    test::PutU32(s, uint32_t(side));
    test::PutU32(s, uint32_t(side));
    test::PutU16(s, 1);
    test::PutU16(s, 1);
    test::PutU32(s, 0);
    test::PutU32(s, 0);
    test::PutU32(s, 0);
    test::PutU32(s, 0);
    test::PutU32(s, 1);  // one palette entry used
    test::PutU32(s, 0);
    test::PutU32(s, 0x00FFFFFF);
    const size_t at = s.size();
    s.resize(at + rowBytes * size_t(side), '\0');
    if (badRow >= 0)
        s[at + rowBytes * size_t(badRow)] = '\x80';
    return s;
}

struct Hostile {
    const char* path;
    const cIO::ImageCodec& codec;
};

// The crafted files are refused for their one bad texel and nothing else.
TEST(CodecMemory, CraftedFilesDecodeWithoutTheirBadTexel) {
    cImage image;
    ASSERT_TRUE(test::DecodeBytes(cCodecTga(), MappedRunLengthTga(300, -1), image));
    EXPECT_EQ(image.m_Data.Count(), 300 * 300 * 3);
    EXPECT_EQ(test::GetBytes(image), std::string(300 * 300 * 3, '\x40'));
    EXPECT_FALSE(test::DecodeBytes(cCodecTga(), MappedRunLengthTga(300, 1), image));
    ASSERT_TRUE(test::DecodeBytes(cCodecTga(), MappedTga(64, -1), image));
    EXPECT_EQ(test::GetBytes(image), std::string(64 * 64 * 3, '\x40'));
    EXPECT_FALSE(test::DecodeBytes(cCodecTga(), MappedTga(64, 64 * 64 - 1), image));
    ASSERT_TRUE(test::DecodeBytes(cCodecBmp(), OneBitBmp(100, -1), image));
    EXPECT_EQ(test::GetBytes(image), std::string(100 * 100 * 3, '\xFF'));
    EXPECT_FALSE(test::DecodeBytes(cCodecBmp(), OneBitBmp(100, 99), image));
}

TEST(CodecMemory, HostileFilesAllocateAlmostNothing) {
    if (!test::AllocationMeterAvailable())
        GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
    const cCodecBmp bmp;
    const cCodecTga tga;
    const cCodecDds dds;
    const cCodecPvr pvr;
    const Hostile files[] = {
        {"dds/hostile_huge_rgba32f.dds", dds}, {"dds/hostile_mips.dds", dds},    {"bmp/hostile_height.bmp", bmp},
        {"bmp/hostile_huge.bmp", bmp},         {"bmp/hostile_palette.bmp", bmp}, {"tga/hostile_rle_map.tga", tga},
        {"tga/hostile_rle_overrun.tga", tga},  {"pvr/hostile_huge.pvr", pvr},
    };
    // Files of 19 to 128 bytes that claim 8192 x 8192 images: under the decode
    // limit, so only the check against the bytes present refuses them.
    std::string tgaClaim = test::ReadDataFile("tga/hostile_rle_overrun.tga").substr(0, 18) + "\xFF";
    tgaClaim[13] = tgaClaim[15] = '\x20';
    std::string bmpClaim = test::ReadDataFile("bmp/im_24bit.bmp").substr(0, 54);
    bmpClaim[19] = bmpClaim[23] = '\x20';
    bmpClaim[18] = bmpClaim[22] = '\0';
    std::string ddsClaim = test::ReadDataFile("dds/pil_rgba.dds").substr(0, 128);
    ddsClaim[13] = ddsClaim[17] = '\x20';
    ddsClaim[12] = ddsClaim[16] = '\0';
    // Files that hold enough bytes for what they claim (511.9 MiB for the
    // 13377 x 13377 ones) but are refused at their first or last texels: the
    // refusal comes before the image is allocated.
    const std::pair<std::string, const cIO::ImageCodec*> claims[] = {
        {tgaClaim, &tga},
        {bmpClaim, &bmp},
        {ddsClaim, &dds},
        {MappedRunLengthTga(13377, 0), &tga},
        {MappedRunLengthTga(13377, 1), &tga},
        {MappedTga(2048, 2048 * 2048 - 1), &tga},
        {OneBitBmp(13377, 0), &bmp},
        {OneBitBmp(13377, 13376), &bmp},
    };
    auto measure = [](const cIO::ImageCodec& codec, const std::string& bytes, const std::string& what) {
        cStream in;
        test::SetBytes(in, bytes);
        cImage image;
        test::StartAllocationMeter();
        const bool decoded = codec.Decode(in, image);
        test::StopAllocationMeter();
        EXPECT_FALSE(decoded) << what;
        EXPECT_LT(test::MeteredBytes(), 64 * 1024) << what;
        EXPECT_LT(test::LargestMeteredAllocation(), 64 * 1024) << what;
    };
    for (const Hostile& file : files)
        measure(file.codec, test::ReadDataFile(file.path), file.path);
    for (size_t i = 0; i < std::size(claims); ++i)
        measure(*claims[i].second, claims[i].first,
                "claim " + std::to_string(i) + " of " + std::to_string(claims[i].first.size()) + " bytes");
}

}  // namespace
}  // namespace tovan

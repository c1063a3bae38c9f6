// Hostile files must be refused before anything is allocated for what they
// claim. The sanitizer's allocation hooks count every byte allocated while a
// decode runs.
#include <atomic>
#include <cstddef>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "io/codecs/image_codec.h"
#include "tests/io/codec_files.h"

#if defined(__SANITIZE_ADDRESS__)
#define TOVAN_ALLOC_HOOKS 1
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
#endif

namespace tovan {
namespace {

std::atomic<bool> s_Counting{false};
std::atomic<int64_t> s_Allocated{0};
std::atomic<int64_t> s_Largest{0};

[[maybe_unused]] void OnMalloc(const volatile void*, size_t size) {
    if (!s_Counting)
        return;
    s_Allocated += int64_t(size);
    int64_t largest = s_Largest;
    while (int64_t(size) > largest && !s_Largest.compare_exchange_weak(largest, int64_t(size))) {
    }
}

[[maybe_unused]] void OnFree(const volatile void*) {}

struct Hostile {
    const char* path;
    const cIO::ImageCodec& codec;
};

TEST(CodecMemory, HostileFilesAllocateAlmostNothing) {
#ifndef TOVAN_ALLOC_HOOKS
    GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
#else
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    ASSERT_TRUE(installed);
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
    const std::pair<std::string, const cIO::ImageCodec*> claims[] = {
        {tgaClaim, &tga}, {bmpClaim, &bmp}, {ddsClaim, &dds}};
    auto measure = [](const cIO::ImageCodec& codec, const std::string& bytes, const std::string& what) {
        cStream in;
        test::SetBytes(in, bytes);
        cImage image;
        s_Allocated = 0;
        s_Largest = 0;
        s_Counting = true;
        const bool decoded = codec.Decode(in, image);
        s_Counting = false;
        EXPECT_FALSE(decoded) << what;
        EXPECT_LT(s_Allocated.load(), 64 * 1024) << what;
        EXPECT_LT(s_Largest.load(), 64 * 1024) << what;
    };
    for (const Hostile& file : files)
        measure(file.codec, test::ReadDataFile(file.path), file.path);
    for (const auto& claim : claims)
        measure(*claim.second, claim.first, "claim of " + std::to_string(claim.first.size()) + " bytes");
#endif
}

}  // namespace
}  // namespace tovan

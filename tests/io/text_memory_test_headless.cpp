// md5 files whose counts claim far more than their bytes could hold, and an
// md5anim whose frames and joints multiply past any animation, must be
// refused before anything is allocated for the claim. The sanitizer's
// allocation hooks count every byte allocated while a decode runs.
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "io/codecs/model_codecs.h"
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

[[maybe_unused]] void OnMalloc(const volatile void*, size_t size) {
    if (s_Counting)
        s_Allocated += int64_t(size);
}

[[maybe_unused]] void OnFree(const volatile void*) {}

template <class Codec, class Record>
bool DecodeWith(const std::string& text) {
    cStream in;
    test::SetBytes(in, text);
    Record record;
    return Codec().Decode(in, record);
}

TEST(TextMemory, LyingCountsAllocateLittleMoreThanTheFile) {
#ifndef TOVAN_ALLOC_HOOKS
    GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
#else
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    ASSERT_TRUE(installed);
    const auto mesh = DecodeWith<cCodecMd5Model, cModel>;
    const auto anim = DecodeWith<cCodecMd5Anim, cAnim>;
    // Half a megabyte of a line nobody reads, so that the counts below fit the bytes left.
    const std::string padding = "commandline \"" + std::string(500000, 'x') + "\"\n";
    const struct {
        const char* what;
        std::string text;
        std::function<bool(const std::string&)> decode;
        int64_t limit;
    } cases[] = {
        {"md5mesh joints", "numJoints 2000000000\n", mesh, 4096},
        {"md5mesh meshes", "numMeshes 2000000000\n", mesh, 4096},
        {"md5mesh vertices", "numMeshes 1\nmesh {\nnumverts 2000000000\n}\n", mesh, 4096},
        {"md5mesh triangles", "numMeshes 1\nmesh {\nnumtris 715827882\n}\n", mesh, 4096},
        {"md5mesh weights", "numMeshes 1\nmesh {\nnumweights 2000000000\n}\n", mesh, 4096},
        {"md5anim frames", "numFrames 2000000000\n", anim, 4096},
        {"md5anim joints", "numJoints 2000000000\n", anim, 4096},
        // 20,000 frames of 10,000 joints would be 8 GB of keys.
        {"md5anim frames x joints", "numFrames 20000\nnumJoints 10000\n" + padding, anim, 4 << 20},
    };
    for (const auto& c : cases) {
        s_Allocated = 0;
        s_Counting = true;
        const bool decoded = c.decode(c.text);
        s_Counting = false;
        EXPECT_FALSE(decoded) << c.what;
        EXPECT_LT(s_Allocated.load(), c.limit) << c.what;
    }
#endif
}

}  // namespace
}  // namespace tovan

// Model, animation and camera files whose counts claim far more than they
// hold must be refused before anything is allocated for the claim. The
// sanitizer's allocation hooks count every byte allocated while a decode runs.
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "io/codecs/model_codecs.h"
#include "tests/io/codec_files.h"
#include "tests/support/allocation_meter.h"

namespace tovan {
namespace {

// The file with the little-endian value written over the bytes at `at`.
[[maybe_unused]] std::string Patched(const char* path, size_t at, uint32_t value, int bytes) {
    std::string file = test::ReadDataFile(path);
    for (int i = 0; i < bytes; ++i)
        file[at + size_t(i)] = char(value >> (8 * i));
    return file;
}

template <class Codec, class Record>
bool DecodeWith(const std::string& bytes) {
    cStream in;
    test::SetBytes(in, bytes);
    Record record;
    return Codec().Decode(in, record);
}

TEST(NativeMemory, LyingCountsAllocateAlmostNothing) {
    if (!test::AllocationMeterAvailable())
        GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
    const auto model = DecodeWith<cCodecModel, cModel>;
    const auto anim = DecodeWith<cCodecAnim, cAnim>;
    const auto camera = DecodeWith<cCodecCamera, cCamera>;
    const struct {
        const char* what;
        std::string bytes;
        std::function<bool(const std::string&)> decode;
    } cases[] = {
        {"index count 0x7FFFFFFF", Patched("model/static_tri.cm", 51, 0x7FFFFFFF, 4), model},
        {"vertex count 0x7FFFFFFF", Patched("model/static_tri.cm", 61, 0x7FFFFFFF, 4), model},
        {"joint count 32767", Patched("model/static_tri.cm", 3, 0x7FFF, 2), model},
        {"mesh count 32767", Patched("model/static_tri.cm", 31, 0x7FFF, 2), model},
        {"frame count 0x7FFFFFFF", Patched("anim/walk.ca", 22, 0x7FFFFFFF, 4), anim},
        {"animation joint count 32767", Patched("anim/walk.ca", 5, 0x7FFF, 2), anim},
        {"track count 0x7FFFFFFF", Patched("camera/path.cc", 7, 0x7FFFFFFF, 4), camera},
        {"key count 0x7FFFFFFF", Patched("camera/path.cc", 30, 0x7FFFFFFF, 4), camera},
    };
    for (const auto& c : cases) {
        test::StartAllocationMeter();
        const bool decoded = c.decode(c.bytes);
        test::StopAllocationMeter();
        EXPECT_FALSE(decoded) << c.what;
        EXPECT_LT(test::MeteredBytes(), 16 * 1024) << c.what;
    }
}

// md5 counts claiming more than their bytes could hold, and an md5anim whose
// frames and joints multiply past any animation (20,000 x 10,000 keys would be
// 8 GB), are refused with little more than the file allocated.
TEST(NativeMemory, TextCountsAllocateLittleMoreThanTheFile) {
    if (!test::AllocationMeterAvailable())
        GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
    const auto mesh = DecodeWith<cCodecMd5Model, cModel>;
    const auto anim = DecodeWith<cCodecMd5Anim, cAnim>;
    // A whole file of 20,000 empty frames over 10,000 joints.
    std::string keys = "numFrames 20000\nnumJoints 10000\nnumAnimatedComponents 0\nhierarchy {\n";
    for (int j = 0; j < 10000; ++j)
        keys += "j -1 0 0\n";
    keys += "}\nbaseframe {\n";
    for (int j = 0; j < 10000; ++j)
        keys += "0 0 0 0 0 0\n";
    keys += "}\n";
    for (int f = 0; f < 20000; ++f)
        keys += "frame " + std::to_string(f) + " {\n}\n";
    const struct {
        std::string text;
        std::function<bool(const std::string&)> decode;
    } cases[] = {
        {"numJoints 2000000000\n", mesh},
        {"numMeshes 2000000000\n", mesh},
        {"numMeshes 1\nmesh {\nnumverts 2000000000\n}\n", mesh},
        {"numMeshes 1\nmesh {\nnumtris 715827882\n}\n", mesh},
        {"numMeshes 1\nmesh {\nnumweights 2000000000\n}\n", mesh},
        {"numFrames 2000000000\n", anim},
        {"numJoints 2000000000\n", anim},
        {keys, anim},
    };
    for (const auto& c : cases) {
        test::StartAllocationMeter();
        const bool decoded = c.decode(c.text);
        test::StopAllocationMeter();
        EXPECT_FALSE(decoded) << c.text.substr(0, 40);
        EXPECT_LT(test::MeteredBytes(), int64_t(c.text.size()) * 8 + 4096) << c.text.substr(0, 40);
    }
}

}  // namespace
}  // namespace tovan

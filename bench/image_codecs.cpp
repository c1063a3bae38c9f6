// Image decoders on 2048 x 2048 pictures, each run side by side with a peer on
// the same file: stb_image for BMP and TGA, and for DDS a plain copy of the
// file's texel bytes (the floor for a decode that only moves bytes). Every
// file is made once; both sides decode into memory that earlier runs used.
// Throughput counts decoded image bytes; "ratio" is our rate over the peer's.
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#include <stb_image.h>

#include "bench/peer.h"
#include "io/codecs/image_codec.h"

namespace {

using namespace tovan;

constexpr int kSide = 2048;

// At least 9 alternating rounds, more for runs under a few milliseconds so
// that each side is sampled for about 50 ms.
template <class Fn>
int Rounds(Fn& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return std::clamp(int(0.05 / std::max(seconds, 1e-6)), 9, 201);
}

// A picture with flat runs and ramps, so that run-length data has both packet kinds.
void Paint(cImage& image, ImageFormat format) {
    image.Allocate(format, kSide, kSide, 1, 1);
    const int bytes = GetImageFormatInfo(format)->texelBytes;
    uint8_t* p = image.m_Data.Data();
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x, p += bytes)
            for (int c = 0; c < bytes; ++c)
                p[c] = uint8_t(((x / 16) & 1) ? 40 * c + y : x * (c + 1) + y);
}

std::vector<uint8_t> Bytes(const cStream& file) { return {file.Data(), file.Data() + file.Count()}; }

std::vector<uint8_t> Encoded(const cIO::ImageCodec& codec, ImageFormat format) {
    cImage image;
    Paint(image, format);
    cStream file;
    codec.Encode(image, file);
    return Bytes(file);
}

// A run-length TGA of the painted picture: runs where texels repeat, else literal packets.
std::vector<uint8_t> RunLengthTga() {
    const std::vector<uint8_t> file = Encoded(cCodecTga(), ImageFormat::Rgba8);
    const uint8_t* plain = file.data() + 18;
    std::vector<uint8_t> packed(file.begin(), file.begin() + 18);
    packed[2] = 10;
    const size_t texels = (file.size() - 18) / 4;
    for (size_t i = 0; i < texels;) {
        size_t n = 1;
        while (i + n < texels && n < 128 && std::memcmp(&plain[4 * i], &plain[4 * (i + n)], 4) == 0)
            ++n;
        if (n > 1) {
            packed.push_back(uint8_t(0x80 | (n - 1)));
            packed.insert(packed.end(), &plain[4 * i], &plain[4 * i] + 4);
        } else {
            while (i + n < texels && n < 128 && std::memcmp(&plain[4 * (i + n - 1)], &plain[4 * (i + n)], 4) != 0)
                ++n;
            packed.push_back(uint8_t(n - 1));
            packed.insert(packed.end(), &plain[4 * i], &plain[4 * (i + n)]);
        }
        i += n;
    }
    return packed;
}

std::vector<uint8_t> DxtFile(ImageFormat format) {
    cImage image;
    Paint(image, format == ImageFormat::Dxt1 ? ImageFormat::Rgb8 : ImageFormat::Rgba8);
    image.GenerateMips();
    image.Compress();
    if (format == ImageFormat::Dxt3)
        image.m_Format = format;  // Dxt5 blocks read as Dxt3: the same bytes to move
    cStream file;
    cCodecDds().Encode(image, file);
    return Bytes(file);
}

bool Decode(const cIO::ImageCodec& codec, cStream& file, cImage& image) {
    file.m_Position = 0;
    return codec.Decode(file, image);
}

// stb_image holds the top row first, the record the bottom row first.
bool SameAsPeer(const cImage& ours, const uint8_t* peer, int w, int h, int comps) {
    const int texelBytes = GetImageFormatInfo(ours.m_Format)->texelBytes;
    if (!peer || w != ours.m_Width || h != ours.m_Height || comps != texelBytes)
        return false;
    const size_t pitch = size_t(w) * comps;
    for (int y = 0; y < h; ++y)
        if (std::memcmp(ours.m_Data.Data() + size_t(h - 1 - y) * pitch, peer + size_t(y) * pitch, pitch) != 0)
            return false;
    return true;
}

void VersusStb(benchmark::State& state, const cIO::ImageCodec& codec, const std::vector<uint8_t>& bytes) {
    cStream file;
    file.WriteBlock(bytes.data(), int(bytes.size()));
    cImage image;
    int w = 0, h = 0, comps = 0;
    uint8_t* peer = stbi_load_from_memory(bytes.data(), int(bytes.size()), &w, &h, &comps, 0);
    const bool same = Decode(codec, file, image) && SameAsPeer(image, peer, w, h, comps);
    stbi_image_free(peer);
    if (!same) {
        state.SkipWithError("decoded texels differ from stb_image's");
        return;
    }
    bool ok = true;
    auto ours = [&] {
        ok &= Decode(codec, file, image);
        benchmark::DoNotOptimize(image.m_Data.Data());
    };
    const int rounds = Rounds(ours);
    state.counters["rounds"] = rounds;
    bench::RunPeerBenchmark(state, rounds, double(image.m_Data.Count()), ours, [&] {
        uint8_t* texels = stbi_load_from_memory(bytes.data(), int(bytes.size()), &w, &h, &comps, 0);
        ok &= texels != nullptr;
        benchmark::DoNotOptimize(texels);
        stbi_image_free(texels);
    });
    if (!ok)
        state.SkipWithError("a decode failed");
}

// The peer copies the bytes after the 128-byte header into a block it reuses.
void VersusCopy(benchmark::State& state, const std::vector<uint8_t>& bytes) {
    cStream file;
    file.WriteBlock(bytes.data(), int(bytes.size()));
    cImage image;
    std::vector<uint8_t> copy(bytes.size() - 128);
    bool ok = Decode(cCodecDds(), file, image) && size_t(image.m_Data.Count()) == copy.size();
    auto ours = [&] {
        ok &= Decode(cCodecDds(), file, image);
        benchmark::DoNotOptimize(image.m_Data.Data());
    };
    const int rounds = Rounds(ours);
    state.counters["rounds"] = rounds;
    bench::RunPeerBenchmark(state, rounds, double(copy.size()), ours, [&] {
        std::memcpy(copy.data(), bytes.data() + 128, copy.size());
        benchmark::DoNotOptimize(copy.data());
    });
    if (!ok)
        state.SkipWithError("a decode failed");
}

void BM_BmpDecode24(benchmark::State& state) { VersusStb(state, cCodecBmp(), Encoded(cCodecBmp(), ImageFormat::Rgb8)); }
void BM_BmpDecode32(benchmark::State& state) {
    VersusStb(state, cCodecBmp(), Encoded(cCodecBmp(), ImageFormat::Rgba8));
}
void BM_BmpDecode8Palette(benchmark::State& state) {
    VersusStb(state, cCodecBmp(), Encoded(cCodecBmp(), ImageFormat::R8));
}
void BM_TgaDecode24(benchmark::State& state) { VersusStb(state, cCodecTga(), Encoded(cCodecTga(), ImageFormat::Rgb8)); }
void BM_TgaDecode32(benchmark::State& state) {
    VersusStb(state, cCodecTga(), Encoded(cCodecTga(), ImageFormat::Rgba8));
}
void BM_TgaDecode32RunLength(benchmark::State& state) { VersusStb(state, cCodecTga(), RunLengthTga()); }
void BM_TgaDecode8Mapped(benchmark::State& state) {
    VersusStb(state, cCodecTga(), Encoded(cCodecTga(), ImageFormat::R8));
}

// DXT levels are flipped block row by block row while copied; the mip chain
// is included (a third more bytes, and the small levels' special cases).
void BM_DdsDecodeDxt1(benchmark::State& state) { VersusCopy(state, DxtFile(ImageFormat::Dxt1)); }
void BM_DdsDecodeDxt3(benchmark::State& state) { VersusCopy(state, DxtFile(ImageFormat::Dxt3)); }
void BM_DdsDecodeDxt5(benchmark::State& state) { VersusCopy(state, DxtFile(ImageFormat::Dxt5)); }
void BM_DdsDecodeRgba(benchmark::State& state) { VersusCopy(state, Encoded(cCodecDds(), ImageFormat::Rgba8)); }
void BM_DdsDecodeRgb(benchmark::State& state) { VersusCopy(state, Encoded(cCodecDds(), ImageFormat::Rgb8)); }

// Cube faces keep the file's row order: the decode is a copy.
void BM_DdsDecodeDxt5Cube(benchmark::State& state) {
    cImage cube;
    cube.Allocate(ImageFormat::Dxt5, kSide / 2, kSide / 2, 0, 1);
    cStream file;
    cCodecDds().Encode(cube, file);
    VersusCopy(state, Bytes(file));
}

void Register(const char* name, void (*fn)(benchmark::State&)) {
    benchmark::RegisterBenchmark(name, fn)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    // Freed blocks stay with the heap, so each side's next run writes into
    // pages already mapped (a first touch costs microseconds per page here,
    // which would swamp a decode that runs at memory speed).
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    Register("BmpDecode24/vs_stb", BM_BmpDecode24);
    Register("BmpDecode32/vs_stb", BM_BmpDecode32);
    Register("BmpDecode8Palette/vs_stb", BM_BmpDecode8Palette);
    Register("TgaDecode24/vs_stb", BM_TgaDecode24);
    Register("TgaDecode32/vs_stb", BM_TgaDecode32);
    Register("TgaDecode32RunLength/vs_stb", BM_TgaDecode32RunLength);
    Register("TgaDecode8Mapped/vs_stb", BM_TgaDecode8Mapped);
    Register("DdsDecodeDxt1Mips/vs_copy", BM_DdsDecodeDxt1);
    Register("DdsDecodeDxt3Mips/vs_copy", BM_DdsDecodeDxt3);
    Register("DdsDecodeDxt5Mips/vs_copy", BM_DdsDecodeDxt5);
    Register("DdsDecodeRgba/vs_copy", BM_DdsDecodeRgba);
    Register("DdsDecodeRgb/vs_copy", BM_DdsDecodeRgb);
    Register("DdsDecodeDxt5Cube/vs_copy", BM_DdsDecodeDxt5Cube);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

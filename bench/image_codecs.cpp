// Image decoders on 1024 x 1024 pictures; throughput is decoded image bytes.
// The DXT file is set against a plain copy of the same bytes.
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "io/codecs/image_codec.h"

namespace {

using namespace tovan;

constexpr int kSide = 1024;

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

void Encoded(const cIO::ImageCodec& codec, ImageFormat format, cStream& file) {
    cImage image;
    Paint(image, format);
    codec.Encode(image, file);
}

// A run-length TGA of the painted picture: runs where texels repeat, else literal packets.
void RunLengthTga(cStream& file) {
    Encoded(cCodecTga(), ImageFormat::Rgba8, file);
    std::vector<uint8_t> plain(file.Data() + 18, file.Data() + file.Count());
    std::vector<uint8_t> packed(file.Data(), file.Data() + 18);
    packed[2] = 10;
    const size_t texels = plain.size() / 4;
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
    file.Clear();
    file.WriteBlock(packed.data(), int(packed.size()));
}

void Decode(benchmark::State& state, const cIO::ImageCodec& codec, cStream& file) {
    cImage image;
    for (auto _ : state) {
        file.m_Position = 0;
        if (!codec.Decode(file, image))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.m_Data.Data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * image.m_Data.Count());
}

void BM_BmpDecode24(benchmark::State& state) {
    cStream file;
    Encoded(cCodecBmp(), ImageFormat::Rgb8, file);
    Decode(state, cCodecBmp(), file);
}

void BM_BmpDecode32(benchmark::State& state) {
    cStream file;
    Encoded(cCodecBmp(), ImageFormat::Rgba8, file);
    Decode(state, cCodecBmp(), file);
}

void BM_BmpDecode8Palette(benchmark::State& state) {
    cStream file;
    Encoded(cCodecBmp(), ImageFormat::R8, file);
    Decode(state, cCodecBmp(), file);
}

void BM_TgaDecode24(benchmark::State& state) {
    cStream file;
    Encoded(cCodecTga(), ImageFormat::Rgb8, file);
    Decode(state, cCodecTga(), file);
}

void BM_TgaDecode32RunLength(benchmark::State& state) {
    cStream file;
    RunLengthTga(file);
    Decode(state, cCodecTga(), file);
}

void BM_TgaDecode8Mapped(benchmark::State& state) {
    cStream file;
    Encoded(cCodecTga(), ImageFormat::R8, file);
    Decode(state, cCodecTga(), file);
}

void Dxt5File(cStream& file) {
    cImage image;
    Paint(image, ImageFormat::Rgba8);
    image.GenerateMips();
    image.Compress();
    cCodecDds().Encode(image, file);
}

void BM_DdsDecodeDxt5Mips(benchmark::State& state) {
    cStream file;
    Dxt5File(file);
    Decode(state, cCodecDds(), file);
}

// The floor for the DXT decode: copying the file's bytes into a fresh block.
void BM_CopyOfDxt5File(benchmark::State& state) {
    cStream file;
    Dxt5File(file);
    const size_t bytes = size_t(file.Count() - 128);
    for (auto _ : state) {
        std::vector<uint8_t> copy(file.Data() + 128, file.Data() + 128 + bytes);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

// Cube faces keep the file's row order: the decode is a copy.
void BM_DdsDecodeDxt5Cube(benchmark::State& state) {
    cImage cube;
    cube.Allocate(ImageFormat::Dxt5, 512, 512, 0, 1);
    cStream file;
    cCodecDds().Encode(cube, file);
    Decode(state, cCodecDds(), file);
}

void BM_DdsDecodeRgba(benchmark::State& state) {
    cStream file;
    Encoded(cCodecDds(), ImageFormat::Rgba8, file);
    Decode(state, cCodecDds(), file);
}

}  // namespace

BENCHMARK(BM_BmpDecode24);
BENCHMARK(BM_BmpDecode32);
BENCHMARK(BM_BmpDecode8Palette);
BENCHMARK(BM_TgaDecode24);
BENCHMARK(BM_TgaDecode32RunLength);
BENCHMARK(BM_TgaDecode8Mapped);
BENCHMARK(BM_DdsDecodeDxt5Mips);
BENCHMARK(BM_CopyOfDxt5File);
BENCHMARK(BM_DdsDecodeDxt5Cube);
BENCHMARK(BM_DdsDecodeRgba);
BENCHMARK_MAIN();

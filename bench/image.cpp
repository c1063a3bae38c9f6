// Image operations on 1024 x 1024 images, single thread. Each benchmark first
// checks its output against the texel-by-texel version and stops on a difference.
// The DXT encoder also runs side by side with stb_dxt on the same picture, and
// both report how far their blocks decode from it under a reference decoder.
#include "bench/block_reference.h"
#include "bench/peer.h"
#include "io/image/dxt.h"
#include "io/image/image.h"
#include "tests/io/image_reference.h"

#include <benchmark/benchmark.h>

#define STB_DXT_IMPLEMENTATION
#include <stb_dxt.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace tovan;

constexpr int kSide = 1024;

// Smooth colour ramps with a little noise, like a photograph or a painted texture.
void Fill(cImage& image, uint32_t seed) {
    std::mt19937 rng(seed);
    const int comps = GetImageFormatInfo(image.m_Format)->components;
    for (int y = 0; y < image.m_Height; ++y)
        for (int x = 0; x < image.m_Width; ++x)
            for (int c = 0; c < comps; ++c) {
                const float wave = std::sin(float(x) * 0.02f * float(c + 1)) * std::cos(float(y) * 0.015f);
                image.m_Data[(y * image.m_Width + x) * comps + c] = uint8_t(127.0f + 100.0f * wave + float(rng() % 16));
            }
}

cImage Make(ImageFormat format, int w, int h) {
    cImage image;
    image.Allocate(format, w, h, 1, 1);
    Fill(image, 1);
    return image;
}

void Texels(benchmark::State& state, int64_t perIteration) {
    state.SetItemsProcessed(state.iterations() * perIteration);
    state.counters["Mtexel/s"] =
        benchmark::Counter(double(state.iterations() * perIteration) / 1e6, benchmark::Counter::kIsRate);
}

void BM_DxtDecode(benchmark::State& state) {
    const ImageFormat format = ImageFormat(state.range(0));
    cImage image = Make(format == ImageFormat::Dxt1 ? ImageFormat::Rgb8 : ImageFormat::Rgba8, kSide, kSide);
    image.Compress();
    const int tb = format == ImageFormat::Dxt1 ? 3 : 4;
    std::vector<uint8_t> out(size_t(kSide) * kSide * tb);
    dxt::DecodeSurface(format, image.m_Data.Data(), kSide, kSide, out.data());
    for (int y = 0; y < kSide; y += 7)
        for (int x = 0; x < kSide; x += 5) {
            uint8_t rgba[4];
            reference::DxtTexel(int(format), image.m_Data.Data(), kSide, x, y, rgba);
            if (std::memcmp(rgba, &out[(size_t(y) * kSide + x) * tb], size_t(tb)) != 0) {
                state.SkipWithError("decoded texels differ from the texel-by-texel decoder");
                return;
            }
        }
    for (auto _ : state) {
        dxt::DecodeSurface(format, image.m_Data.Data(), kSide, kSide, out.data());
        benchmark::DoNotOptimize(out.data());
    }
    Texels(state, int64_t(kSide) * kSide);
}

void BM_DxtEncode(benchmark::State& state) {
    const ImageFormat source = ImageFormat(state.range(0));
    const ImageFormat target = source == ImageFormat::Rgba8 ? ImageFormat::Dxt5 : ImageFormat::Dxt1;
    cImage image = Make(source, kSide, kSide);
    std::vector<uint8_t> out(size_t(cImage::DataSize(target, kSide, kSide, 1, 1)));
    for (auto _ : state) {
        dxt::EncodeSurface(target, source, image.m_Data.Data(), kSide, kSide, out.data());
        benchmark::DoNotOptimize(out.data());
    }
    Texels(state, int64_t(kSide) * kSide);
}

// stb_dxt's blocks of a surface, gathered into the 4 x 4 RGBA blocks it takes.
void StbEncodeSurface(bool alpha, const uint8_t* texels, int texelBytes, int w, int h, uint8_t* blocks) {
    uint8_t block[64];
    for (int by = 0; by < h; by += 4)
        for (int bx = 0; bx < w; bx += 4, blocks += alpha ? 16 : 8) {
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) {
                    const uint8_t* t = texels + (size_t(by + y) * w + size_t(bx + x)) * texelBytes;
                    uint8_t* b = block + 4 * (4 * y + x);
                    b[0] = t[0];
                    b[1] = t[1];
                    b[2] = t[2];
                    b[3] = texelBytes == 4 ? t[3] : 255;
                }
            stb_compress_dxt_block(blocks, block, alpha ? 1 : 0, STB_DXT_NORMAL);
        }
}

// Root mean square difference, over every component, between the source and
// its blocks as the reference decoder reads them.
double Rmse(ImageFormat format, const cImage& source, const std::vector<uint8_t>& blocks) {
    const int comps = GetImageFormatInfo(source.m_Format)->texelBytes;
    double sum = 0;
    for (int y = 0; y < source.m_Height; ++y)
        for (int x = 0; x < source.m_Width; ++x) {
            uint8_t rgba[4];
            bench::ReferenceTexel(format, blocks.data(), source.m_Width, x, y, rgba);
            const uint8_t* want = source.m_Data.Data() + (size_t(y) * source.m_Width + x) * comps;
            for (int c = 0; c < comps; ++c) {
                const double d = double(rgba[c]) - double(want[c]);
                sum += d * d;
            }
        }
    return std::sqrt(sum / (double(source.m_Width) * source.m_Height * comps));
}

void BM_DxtEncodeVsStb(benchmark::State& state) {
    const ImageFormat source = ImageFormat(state.range(0));
    const bool alpha = source == ImageFormat::Rgba8;
    const ImageFormat target = alpha ? ImageFormat::Dxt5 : ImageFormat::Dxt1;
    const cImage image = Make(source, kSide, kSide);
    const int texelBytes = GetImageFormatInfo(source)->texelBytes;
    std::vector<uint8_t> ours(size_t(cImage::DataSize(target, kSide, kSide, 1, 1))), peer(ours.size());
    bench::RunPeerBenchmark(
        state, 9, double(image.m_Data.Count()),
        [&] {
            dxt::EncodeSurface(target, source, image.m_Data.Data(), kSide, kSide, ours.data());
            benchmark::DoNotOptimize(ours.data());
        },
        [&] {
            StbEncodeSurface(alpha, image.m_Data.Data(), texelBytes, kSide, kSide, peer.data());
            benchmark::DoNotOptimize(peer.data());
        });
    state.counters["rmse"] = Rmse(target, image, ours);
    state.counters["peer_rmse"] = Rmse(target, image, peer);
}

void BM_GenerateMips(benchmark::State& state) {
    cImage image = Make(ImageFormat::Rgba8, kSide, kSide);
    image.GenerateMips();  // the chain exists from now on and is rebuilt in place
    ImageLayout layout;
    image.GetLayout(layout);
    for (int k = 1; k < layout.Levels(); ++k) {
        const ImageLevel& a = layout.Level(k - 1);
        std::vector<uint8_t> expected(size_t(layout.Level(k).size));
        reference::MipLevel(image.LevelData(k - 1), a.width, a.height, 1, 4, expected.data());
        if (std::memcmp(expected.data(), image.LevelData(k), expected.size()) != 0) {
            state.SkipWithError("mip level differs from the direct mean");
            return;
        }
    }
    for (auto _ : state) {
        image.GenerateMips();
        benchmark::DoNotOptimize(image.m_Data.Data());
    }
    Texels(state, int64_t(kSide) * kSide);
}

void BM_ResizeToPowerOfTwo(benchmark::State& state) {
    // 1000 x 1000 Rgba8 grows to 1024 x 1024; throughput counts the texels written.
    const cImage source = Make(ImageFormat::Rgba8, 1000, 1000);
    cImage image;
    image.Copy(source);
    image.ResizeToPowerOfTwo();
    std::vector<uint8_t> expected(size_t(kSide) * kSide * 4);
    reference::Resize(source.m_Data.Data(), 1000, 1000, 4, expected.data(), kSide, kSide);
    if (image.m_Width != kSide || std::memcmp(expected.data(), image.m_Data.Data(), expected.size()) != 0) {
        state.SkipWithError("resized texels differ from direct sampling");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        image.Copy(source);
        state.ResumeTiming();
        image.ResizeToPowerOfTwo();
        benchmark::DoNotOptimize(image.m_Data.Data());
    }
    Texels(state, int64_t(kSide) * kSide);
}

void BM_HeightToNormalMap(benchmark::State& state) {
    const cImage source = Make(ImageFormat::R8, kSide, kSide);
    cImage image;
    image.Copy(source);
    image.HeightToNormalMap(4.0f);
    std::vector<uint8_t> expected(size_t(kSide) * kSide * 4);
    reference::NormalMap(source.m_Data.Data(), kSide, kSide, 4.0f, expected.data());
    if (std::memcmp(expected.data(), image.m_Data.Data(), expected.size()) != 0) {
        state.SkipWithError("normals differ from the direct 5x5 filters");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        image.Copy(source);
        state.ResumeTiming();
        image.HeightToNormalMap(4.0f);
        benchmark::DoNotOptimize(image.m_Data.Data());
    }
    Texels(state, int64_t(kSide) * kSide);
}

}  // namespace

BENCHMARK(BM_DxtDecode)->Arg(int(ImageFormat::Dxt1))->Arg(int(ImageFormat::Dxt5))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxtEncode)
    ->Arg(int(ImageFormat::Rgb8))
    ->Arg(int(ImageFormat::Rgba8))
    ->Arg(int(ImageFormat::R8))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxtEncodeVsStb)
    ->Arg(int(ImageFormat::Rgb8))
    ->Arg(int(ImageFormat::Rgba8))
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateMips)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeToPowerOfTwo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeightToNormalMap)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

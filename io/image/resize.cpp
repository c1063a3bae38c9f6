// Resampling to power-of-two sides: corners map to corners, linear between
// neighbours (clamped at the last row and column); half floats take the
// nearest lower texel.
#include "io/image/image.h"
#include "io/image/ops.h"
#include "io/image/texel.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tovan {

namespace {

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

// Source neighbours and weight of one target column or row.
struct Tap {
    int i0, i1;
    float t;
};

void BuildTaps(int from, int to, std::vector<Tap>& taps) {
    taps.resize(size_t(to));
    const float span = float(std::max(to - 1, 1));
    for (int k = 0; k < to; ++k) {
        const float f = float(int64_t(k) * (from - 1)) / span;
        const int i0 = std::min(int(f), from - 1);
        taps[size_t(k)] = {i0, std::min(i0 + 1, from - 1), f - float(i0)};
    }
}

// One resample: source and target texels, sides and the taps of both axes.
struct Job {
    const uint8_t* src;
    uint8_t* dst;
    int w, h, d;  // source sides; the depth is kept
    int tw, th;   // target sides
    int texelBytes;
    std::vector<Tap> xs, ys;
};

// Rows are interpolated across first and kept while the next target row
// reads the same source rows; each value is the same expression as texel by texel.
template <class T, int C>
void Resample(const Job& job) {
    const int w = job.w, h = job.h, d = job.d;
    const std::vector<Tap>& xs = job.xs;
    const std::vector<Tap>& ys = job.ys;
    const T* in = reinterpret_cast<const T*>(job.src);
    T* out = reinterpret_cast<T*>(job.dst);
    const size_t pitch = size_t(w) * C, slice = pitch * size_t(h), across = xs.size() * C;
    std::vector<float> cache(2 * across + pitch);
    float* source = cache.data() + 2 * across;  // one source row as floats
    for (int z = 0; z < d; ++z) {
        const T* plane = in + size_t(z) * slice;
        int held[2] = {-1, -1};
        auto row = [&](int index, int keep) -> const float* {
            for (int slot = 0; slot < 2; ++slot) {
                if (held[slot] == index)
                    return cache.data() + slot * across;
            }
            const int slot = held[0] == keep ? 1 : 0;
            held[slot] = index;
            float* f = cache.data() + slot * across;
            const T* r = plane + size_t(index) * pitch;
            for (size_t i = 0; i < pitch; ++i)
                source[i] = float(r[i]);
            for (const Tap& tx : xs) {
                const float* a = source + size_t(tx.i0) * C;
                const float* b = source + size_t(tx.i1) * C;
                for (int c = 0; c < C; ++c)
                    *f++ = Lerp(a[c], b[c], tx.t);
            }
            return f - across;
        };
        for (const Tap& ty : ys) {
            const float* top = row(ty.i0, ty.i1);
            const float* bottom = row(ty.i1, ty.i0);
            const float t = ty.t;
            for (size_t i = 0; i < across; ++i)
                out[i] = T(Lerp(top[i], bottom[i], t));
            out += across;
        }
    }
}

// Half floats: the nearest lower texel, x = floor(k (W - 1) / W').
void ResampleNearest(const Job& job) {
    const int texel = job.texelBytes;
    uint8_t* dst = job.dst;
    for (int z = 0; z < job.d; ++z) {
        for (int y = 0; y < job.th; ++y) {
            const int sy = int(int64_t(y) * (job.h - 1) / job.th);
            const uint8_t* row = job.src + (size_t(z) * job.h + sy) * size_t(job.w) * texel;
            for (int x = 0; x < job.tw; ++x, dst += texel)
                std::memcpy(dst, row + size_t(int64_t(x) * (job.w - 1) / job.tw) * texel, size_t(texel));
        }
    }
}

// By format, R8 to Rgba32f.
constexpr void (*kResamplers[])(const Job&) = {
    Resample<uint8_t, 1>,  Resample<uint8_t, 2>,  Resample<uint8_t, 3>,  Resample<uint8_t, 4>,
    Resample<uint16_t, 1>, Resample<uint16_t, 2>, Resample<uint16_t, 3>, Resample<uint16_t, 4>,
    ResampleNearest,       ResampleNearest,       ResampleNearest,       ResampleNearest,
    Resample<float, 1>,    Resample<float, 2>,    Resample<float, 3>,    Resample<float, 4>,
};

}  // namespace

int PowerOfTwoSide(int side) {
    int64_t p = 1;
    while (p < side)
        p <<= 1;
    if (4 * int64_t(side) < 3 * p)
        p >>= 1;
    return p > INT32_MAX ? -1 : int(p);
}

bool cImage::ResizeToPowerOfTwo() {
    ImageLayout layout;
    if (!GetLayout(layout))
        return false;
    if (IsPowerOfTwo(m_Width) && IsPowerOfTwo(m_Height))
        return true;
    if (m_Depth == 0 || !(IsUncompressedFormat(m_Format) || IsDxtFormat(m_Format)))
        return false;
    const ImageFormat format = DecodedFormat(m_Format);
    const int tw = PowerOfTwoSide(m_Width), th = PowerOfTwoSide(m_Height);
    ImageLayout plain, target;
    if (tw < 0 || th < 0 || !plain.Init(format, m_Width, m_Height, m_Depth, 1) ||
        !target.Init(format, tw, th, m_Depth, 1))
        return false;
    // Nothing below can fail.
    Decompress();
    DropMips();

    cList<uint8_t> data;
    data.Resize(target.Size());
    Job job = {m_Data.Data(),
               data.Data(),
               m_Width,
               m_Height,
               layout.Level(0).slices,
               tw,
               th,
               GetImageFormatInfo(format)->texelBytes,
               {},
               {}};
    BuildTaps(m_Width, tw, job.xs);
    BuildTaps(m_Height, th, job.ys);
    kResamplers[int(format) - 1](job);
    Replace(data, format, tw, th, m_Depth, 1);
    return true;
}

}  // namespace tovan

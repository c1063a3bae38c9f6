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

// Rows are interpolated across first and kept while the next target row
// reads the same source rows; each value is the same expression as texel by texel.
template <class T, int C>
void Resample(const uint8_t* src, int w, int h, int d, uint8_t* dst, const std::vector<Tap>& xs,
              const std::vector<Tap>& ys) {
    const T* in = reinterpret_cast<const T*>(src);
    T* out = reinterpret_cast<T*>(dst);
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

template <class T>
void ResampleT(int components, const uint8_t* src, int w, int h, int d, uint8_t* dst, const std::vector<Tap>& xs,
               const std::vector<Tap>& ys) {
    switch (components) {
    case 1: Resample<T, 1>(src, w, h, d, dst, xs, ys); break;
    case 2: Resample<T, 2>(src, w, h, d, dst, xs, ys); break;
    case 3: Resample<T, 3>(src, w, h, d, dst, xs, ys); break;
    default: Resample<T, 4>(src, w, h, d, dst, xs, ys); break;
    }
}

void ResampleNearest(int texel, const uint8_t* src, int w, int h, int d, uint8_t* dst, int tw, int th) {
    for (int z = 0; z < d; ++z) {
        for (int y = 0; y < th; ++y) {
            const int sy = int(int64_t(y) * (h - 1) / th);
            const uint8_t* row = src + (size_t(z) * h + sy) * size_t(w) * texel;
            for (int x = 0; x < tw; ++x, dst += texel)
                std::memcpy(dst, row + size_t(int64_t(x) * (w - 1) / tw) * texel, size_t(texel));
        }
    }
}

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

    const ImageFormatInfo& info = *GetImageFormatInfo(format);
    cList<uint8_t> data;
    data.Resize(target.Size());
    if (info.type == ComponentType::Half) {
        ResampleNearest(info.texelBytes, m_Data.Data(), m_Width, m_Height, m_Depth, data.Data(), tw, th);
    } else {
        std::vector<Tap> xs, ys;
        BuildTaps(m_Width, tw, xs);
        BuildTaps(m_Height, th, ys);
        const int d = layout.Level(0).slices;
        if (info.type == ComponentType::Byte)
            ResampleT<uint8_t>(info.components, m_Data.Data(), m_Width, m_Height, d, data.Data(), xs, ys);
        else if (info.type == ComponentType::Short)
            ResampleT<uint16_t>(info.components, m_Data.Data(), m_Width, m_Height, d, data.Data(), xs, ys);
        else
            ResampleT<float>(info.components, m_Data.Data(), m_Width, m_Height, d, data.Data(), xs, ys);
    }
    Replace(data, format, tw, th, m_Depth, 1);
    return true;
}

}  // namespace tovan

// Mip chain generation: every texel of level k is the mean of the 2 x 2 x 2
// texels below it in level k - 1 (an axis of extent 1 takes its one texel twice).
#include "io/image/image.h"
#include "io/image/texel.h"

#include <algorithm>
#include <cstring>

namespace tovan {

namespace {

struct Box {
    const uint8_t* src;  // source face or volume
    uint8_t* dst;
    int sw, sh, sd;  // source extents
    int tw, th, td;  // target extents
};

// Bytes and shorts: the sum of the eight, shifted right by 3. When the source
// is one slice deep the two z choices coincide and the sum is twice the
// four-texel sum, so the mean is that sum shifted by 2 (the same integer).
template <class T, int C>
void DownsampleInteger(const Box& b, const ImageFormatInfo&) {
    const size_t pitch = size_t(b.sw) * C, slice = pitch * size_t(b.sh);
    const T* src = reinterpret_cast<const T*>(b.src);
    T* dst = reinterpret_cast<T*>(b.dst);
    for (int z = 0; z < b.td; ++z) {
        const size_t z0 = size_t(2 * z) * slice, z1 = b.sd == 1 ? z0 : z0 + slice;
        for (int y = 0; y < b.th; ++y) {
            const size_t y0 = size_t(2 * y) * pitch, y1 = b.sh == 1 ? y0 : y0 + pitch;
            const T* r00 = src + z0 + y0;
            const T* r01 = src + z0 + y1;
            const T* r10 = src + z1 + y0;
            const T* r11 = src + z1 + y1;
            const int dx = b.sw == 1 ? 0 : C;
            if (b.sd == 1) {
                for (int x = 0; x < b.tw; ++x, dst += C) {
                    const int i = 2 * x * C;
                    for (int c = 0; c < C; ++c)
                        dst[c] = T((unsigned(r00[i + c]) + r00[i + dx + c] + r01[i + c] + r01[i + dx + c]) >> 2);
                }
            } else {
                for (int x = 0; x < b.tw; ++x, dst += C) {
                    const int i = 2 * x * C;
                    for (int c = 0; c < C; ++c) {
                        const unsigned sum = unsigned(r00[i + c]) + r00[i + dx + c] + r01[i + c] + r01[i + dx + c] +
                                             r10[i + c] + r10[i + dx + c] + r11[i + c] + r11[i + dx + c];
                        dst[c] = T(sum >> 3);
                    }
                }
            }
        }
    }
}

// Floats and halves: the eight summed in order (z, then y, then x) as floats, times 0.125.
void DownsampleFloat(const Box& b, const ImageFormatInfo& info) {
    const bool half = info.type == ComponentType::Half;
    const int step = half ? 2 : 4, texel = info.texelBytes;
    for (int z = 0; z < b.td; ++z) {
        const int zs[2] = {2 * z, b.sd == 1 ? 2 * z : 2 * z + 1};
        for (int y = 0; y < b.th; ++y) {
            const int ys[2] = {2 * y, b.sh == 1 ? 2 * y : 2 * y + 1};
            for (int x = 0; x < b.tw; ++x) {
                const int xs[2] = {2 * x, b.sw == 1 ? 2 * x : 2 * x + 1};
                uint8_t* out = b.dst + ((size_t(z) * b.th + y) * b.tw + x) * texel;
                for (int c = 0; c < info.components; ++c) {
                    float sum = 0.0f;
                    for (int zi : zs) {
                        for (int yi : ys) {
                            for (int xi : xs) {
                                const size_t at = ((size_t(zi) * b.sh + yi) * b.sw + xi) * texel + c * step;
                                sum += texel::LoadFloat(info.type, b.src + at);
                            }
                        }
                    }
                    const float mean = sum * 0.125f;
                    if (half)
                        StoreU16(out + c * step, FloatToHalf(mean));
                    else
                        StoreF32(out + c * step, mean);
                }
            }
        }
    }
}

using Downsampler = void (*)(const Box&, const ImageFormatInfo&);

// By format, R8 to Rgba32f.
constexpr Downsampler kDownsamplers[] = {
    DownsampleInteger<uint8_t, 1>,
    DownsampleInteger<uint8_t, 2>,
    DownsampleInteger<uint8_t, 3>,
    DownsampleInteger<uint8_t, 4>,
    DownsampleInteger<uint16_t, 1>,
    DownsampleInteger<uint16_t, 2>,
    DownsampleInteger<uint16_t, 3>,
    DownsampleInteger<uint16_t, 4>,
    DownsampleFloat,
    DownsampleFloat,
    DownsampleFloat,
    DownsampleFloat,
    DownsampleFloat,
    DownsampleFloat,
    DownsampleFloat,
    DownsampleFloat,
};

int BitCount(int v) {
    int n = 0;
    for (; v > 0; v >>= 1)
        ++n;
    return n;
}

}  // namespace

bool cImage::GenerateMips() {
    ImageLayout current, layout;
    if (!IsUncompressedFormat(m_Format) || !GetLayout(current))
        return false;
    const int levels = BitCount(std::max(m_Width, m_Height));
    if (!layout.Init(m_Format, m_Width, m_Height, m_Depth, levels))
        return false;
    if (levels != m_Mips) {
        cList<uint8_t> data;
        data.Resize(layout.Size());
        std::memcpy(data.Data(), m_Data.Data(), size_t(layout.Level(0).size));
        Replace(data, m_Format, m_Width, m_Height, m_Depth, levels);
    }
    const ImageFormatInfo& info = *GetImageFormatInfo(m_Format);
    uint8_t* base = m_Data.Data();
    for (int k = 1; k < layout.Levels(); ++k) {
        const ImageLevel& from = layout.Level(k - 1);
        const ImageLevel& to = layout.Level(k);
        for (int face = 0; face < layout.Faces(); ++face) {
            const Box box = {base + from.offset + int64_t(face) * from.faceSize,
                             base + to.offset + int64_t(face) * to.faceSize,
                             from.width,
                             from.height,
                             from.slices,
                             to.width,
                             to.height,
                             to.slices};
            kDownsamplers[int(m_Format) - 1](box, info);
        }
    }
    return true;
}

}  // namespace tovan

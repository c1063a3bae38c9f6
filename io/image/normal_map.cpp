// Height map to tangent-space normal map: 5x5 derivative filters over a
// tiling surface, the height kept in alpha.
#include "io/image/image.h"
#include "io/image/ops.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tovan {

namespace {

constexpr float kGradientScale = 1.0f / 12240.0f;  // 1 / (255 x 48)

uint8_t NormalByte(float n) { return uint8_t((n + 1.0f) * 127.5f); }

// Both 5x5 filters are separable: gx = (1 4 6 4 1) down x (1 2 0 -2 -1)
// across, gy = (1 2 0 -2 -1) down x (1 4 6 4 1) across; integer sums make
// the two-pass result identical to the direct 5x5 one.
void HorizontalPass(const uint8_t* row, int w, int32_t* dx, int32_t* smooth) {
    for (int x = 0; x < w; ++x) {
        int v[5];
        for (int i = 0; i < 5; ++i)
            v[i] = row[((x - 2 + i) % w + w) % w];
        dx[x] = v[0] + 2 * v[1] - 2 * v[3] - v[4];
        smooth[x] = v[0] + 4 * v[1] + 6 * v[2] + 4 * v[3] + v[4];
    }
}

void NormalSurface(const uint8_t* heights, int w, int h, float strength, uint8_t* out) {
    const float s = strength * 128.0f / float(std::max(w, h));
    // Past 1e18 the slopes vanish against s (and s * s would overflow): the limit.
    const bool flat = !(std::fabs(s) < 1e18f);
    // Five filtered rows, slot (row + 10) % 5 for rows y - 2 .. y + 2 (unwrapped).
    std::vector<int32_t> ring(size_t(10) * size_t(w));
    auto dxRow = [&](int r) { return ring.data() + size_t((r + 10) % 5) * size_t(w); };
    auto smoothRow = [&](int r) { return ring.data() + size_t(5 + (r + 10) % 5) * size_t(w); };
    auto filter = [&](int r) {
        const int wrapped = (r % h + h) % h;
        HorizontalPass(heights + size_t(wrapped) * size_t(w), w, dxRow(r), smoothRow(r));
    };
    for (int r = -2; r < 2; ++r)
        filter(r);
    for (int y = 0; y < h; ++y) {
        filter(y + 2);
        const int32_t* d[5] = {dxRow(y - 2), dxRow(y - 1), dxRow(y), dxRow(y + 1), dxRow(y + 2)};
        const int32_t* m[5] = {smoothRow(y - 2), smoothRow(y - 1), smoothRow(y), smoothRow(y + 1), smoothRow(y + 2)};
        const uint8_t* height = heights + size_t(y) * size_t(w);
        uint8_t* texel = out + size_t(y) * size_t(w) * 4;
        for (int x = 0; x < w; ++x, texel += 4) {
            const int sx = d[0][x] + 4 * d[1][x] + 6 * d[2][x] + 4 * d[3][x] + d[4][x];
            const int sy = m[0][x] + 2 * m[1][x] - 2 * m[3][x] - m[4][x];
            float nx = 0.0f, ny = 0.0f, nz = s < 0.0f ? -1.0f : 1.0f;
            if (!flat) {
                const float gx = float(sx) * kGradientScale, gy = float(sy) * kGradientScale;
                const float length = std::sqrt(gx * gx + gy * gy + s * s);
                if (length > 0.0f) {
                    nx = gx / length;
                    ny = gy / length;
                    nz = s / length;
                } else {
                    nz = 1.0f;
                }
            }
            texel[0] = NormalByte(nx);
            texel[1] = NormalByte(ny);
            texel[2] = NormalByte(nz);
            texel[3] = height[x];
        }
    }
}

}  // namespace

bool cImage::HeightToNormalMap(float strength) {
    ImageLayout layout, plain, target;
    if (std::isnan(strength) || !GetLayout(layout) || m_Depth == 0)
        return false;
    const ImageFormat decoded = DecodedFormat(m_Format);
    if (decoded != ImageFormat::R8 && decoded != ImageFormat::Rgb8 && decoded != ImageFormat::Rgba8)
        return false;
    const int tw = PowerOfTwoSide(m_Width), th = PowerOfTwoSide(m_Height);
    if (tw < 0 || th < 0 || !plain.Init(ImageFormat::Rgba8, m_Width, m_Height, m_Depth, 1) ||
        !target.Init(ImageFormat::Rgba8, tw, th, m_Depth, 1))
        return false;
    // Nothing below can fail.
    Decompress();
    DropMips();
    ResizeToPowerOfTwo();

    const int w = m_Width, h = m_Height, slices = m_Depth;
    const size_t area = size_t(w) * size_t(h);
    const ImageFormatInfo& info = *GetImageFormatInfo(m_Format);
    std::vector<uint8_t> grey;
    const uint8_t* heights = m_Data.Data();
    if (m_Format != ImageFormat::R8) {
        grey.resize(area * size_t(slices));
        const uint8_t* p = m_Data.Data();
        for (uint8_t& g : grey) {
            g = uint8_t((77 * p[0] + 151 * p[1] + 28 * p[2] + 128) >> 8);
            p += info.texelBytes;
        }
        heights = grey.data();
    }
    cList<uint8_t> data;
    data.Resize(target.Size());
    for (int z = 0; z < slices; ++z)
        NormalSurface(heights + area * size_t(z), w, h, strength, data.Data() + area * 4 * size_t(z));
    Replace(data, ImageFormat::Rgba8, w, h, m_Depth, 1);
    return true;
}

}  // namespace tovan

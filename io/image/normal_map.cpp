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

// Clamped: with strengths near the bottom of the float range s * s loses its
// precision and a component can pass 1 (inside the range nothing changes).
uint8_t NormalByte(float n) { return uint8_t((std::clamp(n, -1.0f, 1.0f) + 1.0f) * 127.5f); }

// Both 5x5 filters are separable: gx = (1 4 6 4 1) down x (1 2 0 -2 -1)
// across, gy = (1 2 0 -2 -1) down x (1 4 6 4 1) across; integer sums make
// the two-pass result identical to the direct 5x5 one.
void HorizontalPass(const uint8_t* row, int w, int32_t* padded, int32_t* dx, int32_t* smooth) {
    // The row with two wrapped texels on each side.
    for (int i = 0; i < 2; ++i) {
        padded[i] = row[((i - 2) % w + w) % w];
        padded[w + 2 + i] = row[i % w];
    }
    for (int x = 0; x < w; ++x)
        padded[x + 2] = row[x];
    for (int x = 0; x < w; ++x) {
        const int32_t* v = padded + x;
        dx[x] = v[0] + 2 * v[1] - 2 * v[3] - v[4];
        smooth[x] = v[0] + 4 * v[1] + 6 * v[2] + 4 * v[3] + v[4];
    }
}

void NormalSurface(const uint8_t* heights, int w, int h, float strength, uint8_t* out) {
    const float s = strength * 128.0f / float(std::max(w, h));
    // Past 1e18 the slopes vanish against s (and s * s would overflow): the limit.
    const bool vertical = !(std::fabs(s) < 1e18f);
    const float limit = s < 0.0f ? -1.0f : 1.0f;
    // Ten filtered rows (five of each filter, slot (row + 10) % 5 for rows
    // y - 2 .. y + 2, unwrapped), one padded source row, one row of normals.
    const size_t ws = size_t(w);
    std::vector<int32_t> ints(11 * ws + 4);
    std::vector<float> normals(3 * ws);
    int32_t* padded = ints.data() + 10 * ws;
    float* nx = normals.data();
    float* ny = nx + ws;
    float* nz = ny + ws;
    auto dxRow = [&](int r) { return ints.data() + size_t((r + 10) % 5) * ws; };
    auto smoothRow = [&](int r) { return ints.data() + size_t(5 + (r + 10) % 5) * ws; };
    auto filter = [&](int r) {
        const int wrapped = (r % h + h) % h;
        HorizontalPass(heights + size_t(wrapped) * ws, w, padded, dxRow(r), smoothRow(r));
    };
    for (int r = -2; r < 2; ++r)
        filter(r);
    for (int y = 0; y < h; ++y) {
        filter(y + 2);
        const int32_t *d0 = dxRow(y - 2), *d1 = dxRow(y - 1), *d2 = dxRow(y), *d3 = dxRow(y + 1), *d4 = dxRow(y + 2);
        const int32_t *m0 = smoothRow(y - 2), *m1 = smoothRow(y - 1), *m3 = smoothRow(y + 1), *m4 = smoothRow(y + 2);
        // Three passes, so that the slopes and the divisions run four at a time
        // (the square root is a library call that keeps its loop scalar).
        for (int x = 0; x < w; ++x) {
            const int sx = d0[x] + 4 * d1[x] + 6 * d2[x] + 4 * d3[x] + d4[x];
            const int sy = m0[x] + 2 * m1[x] - 2 * m3[x] - m4[x];
            const float gx = float(sx) * kGradientScale, gy = float(sy) * kGradientScale;
            nx[x] = gx;
            ny[x] = gy;
            nz[x] = gx * gx + gy * gy + s * s;
        }
        for (int x = 0; x < w; ++x)
            nz[x] = std::sqrt(nz[x]);
        for (int x = 0; x < w; ++x) {
            const float length = nz[x];
            // A zero-length normal (a level surface at strength 0) points up.
            const bool up = vertical || !(length > 0.0f);
            const float safe = up ? 1.0f : length;
            nx[x] = up ? 0.0f : nx[x] / safe;
            ny[x] = up ? 0.0f : ny[x] / safe;
            nz[x] = up ? (vertical ? limit : 1.0f) : s / safe;
        }
        const uint8_t* height = heights + size_t(y) * ws;
        uint8_t* texel = out + size_t(y) * ws * 4;
        for (int x = 0; x < w; ++x, texel += 4) {
            texel[0] = NormalByte(nx[x]);
            texel[1] = NormalByte(ny[x]);
            texel[2] = NormalByte(nz[x]);
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

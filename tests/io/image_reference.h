// Straightforward texel-by-texel versions of the pixel rules, written directly
// from their definitions. Tests and benchmarks check the operations against them.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tovan::reference {

// One mip level of byte texels from the level above: mean of the 2x2x2 texels,
// an axis of extent 1 taking its one texel twice; sum shifted right by 3.
inline void MipLevel(const uint8_t* src, int sw, int sh, int sd, int comps, uint8_t* dst) {
    const int tw = std::max(1, sw / 2), th = std::max(1, sh / 2), td = std::max(1, sd / 2);
    for (int z = 0; z < td; ++z)
        for (int y = 0; y < th; ++y)
            for (int x = 0; x < tw; ++x)
                for (int c = 0; c < comps; ++c) {
                    unsigned sum = 0;
                    for (int dz = 0; dz < 2; ++dz)
                        for (int dy = 0; dy < 2; ++dy)
                            for (int dx = 0; dx < 2; ++dx) {
                                const int sx = sw == 1 ? 0 : 2 * x + dx;
                                const int sy = sh == 1 ? 0 : 2 * y + dy;
                                const int sz = sd == 1 ? 0 : 2 * z + dz;
                                sum += src[((size_t(sz) * sh + sy) * sw + sx) * comps + c];
                            }
                    dst[((size_t(z) * th + y) * tw + x) * comps + c] = uint8_t(sum >> 3);
                }
}

// Power-of-two resample of one slice of byte texels: corners to corners,
// linear along x then y, truncated.
inline void Resize(const uint8_t* src, int w, int h, int comps, uint8_t* dst, int tw, int th) {
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    for (int y = 0; y < th; ++y) {
        const float fy = float(int64_t(y) * (h - 1)) / float(std::max(th - 1, 1));
        const int y0 = std::min(int(fy), h - 1), y1 = std::min(y0 + 1, h - 1);
        for (int x = 0; x < tw; ++x) {
            const float fx = float(int64_t(x) * (w - 1)) / float(std::max(tw - 1, 1));
            const int x0 = std::min(int(fx), w - 1), x1 = std::min(x0 + 1, w - 1);
            for (int c = 0; c < comps; ++c) {
                auto at = [&](int xi, int yi) { return float(src[(size_t(yi) * w + xi) * comps + c]); };
                const float top = lerp(at(x0, y0), at(x1, y0), fx - float(x0));
                const float bottom = lerp(at(x0, y1), at(x1, y1), fx - float(x0));
                dst[(size_t(y) * tw + x) * comps + c] = uint8_t(lerp(top, bottom, fy - float(y0)));
            }
        }
    }
}

// Normal map of one R8 height surface with the 5x5 filters, tiling; Rgba8 out.
inline void NormalMap(const uint8_t* heights, int w, int h, float strength, uint8_t* out) {
    static const int kGx[5][5] = {
        {1, 2, 0, -2, -1}, {4, 8, 0, -8, -4}, {6, 12, 0, -12, -6}, {4, 8, 0, -8, -4}, {1, 2, 0, -2, -1}};
    static const int kGy[5][5] = {
        {1, 4, 6, 4, 1}, {2, 8, 12, 8, 2}, {0, 0, 0, 0, 0}, {-2, -8, -12, -8, -2}, {-1, -4, -6, -4, -1}};
    const float s = strength * 128.0f / float(std::max(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sx = 0, sy = 0;
            for (int r = 0; r < 5; ++r)
                for (int c = 0; c < 5; ++c) {
                    const int row = ((y - 2 + r) % h + h) % h, col = ((x - 2 + c) % w + w) % w;
                    const int v = heights[size_t(row) * w + col];
                    sx += kGx[r][c] * v;
                    sy += kGy[r][c] * v;
                }
            const float gx = float(sx) * (1.0f / 12240.0f), gy = float(sy) * (1.0f / 12240.0f);
            const float length = std::sqrt(gx * gx + gy * gy + s * s);
            float n[3] = {0.0f, 0.0f, 1.0f};
            if (length > 0.0f) {
                n[0] = gx / length;
                n[1] = gy / length;
                n[2] = s / length;
            }
            uint8_t* t = out + (size_t(y) * w + x) * 4;
            for (int i = 0; i < 3; ++i)
                t[i] = uint8_t((std::clamp(n[i], -1.0f, 1.0f) + 1.0f) * 127.5f);
            t[3] = heights[size_t(y) * w + x];
        }
}

// Decodes texel (x, y) of a DXT surface straight from its block.
inline void DxtTexel(int format, const uint8_t* blocks, int w, int x, int y, uint8_t rgba[4]) {
    const int blockBytes = format == 20 ? 8 : 16;
    const uint8_t* b = blocks + (size_t(y / 4) * ((w + 3) / 4) + x / 4) * blockBytes;
    const int i = x % 4, j = y % 4;
    const uint8_t* colour = format == 20 ? b : b + 8;
    const int c0 = colour[0] | colour[1] << 8, c1 = colour[2] | colour[3] << 8;
    auto five = [](int v) { return v << 3 | v >> 2; };  // high bits repeated in the low ones
    auto six = [](int v) { return v << 2 | v >> 4; };
    const int e[2][3] = {{five(c0 >> 11), six((c0 >> 5) & 63), five(c0 & 31)},
                         {five(c1 >> 11), six((c1 >> 5) & 63), five(c1 & 31)}};
    const int index = (colour[4 + j] >> (2 * i)) & 3;
    for (int ch = 0; ch < 3; ++ch) {
        if (index < 2)
            rgba[ch] = uint8_t(e[index][ch]);
        else if (format != 20 || c0 > c1)
            rgba[ch] = uint8_t(index == 2 ? (2 * e[0][ch] + e[1][ch] + 1) / 3 : (e[0][ch] + 2 * e[1][ch] + 1) / 3);
        else
            rgba[ch] = uint8_t(index == 2 ? (e[0][ch] + e[1][ch] + 1) >> 1 : 0);
    }
    rgba[3] = 255;
    if (format == 21) {
        rgba[3] = uint8_t(((b[2 * j + i / 2] >> (4 * (i & 1))) & 15) * 17);
    } else if (format == 22) {
        uint64_t bits = 0;
        for (int k = 5; k >= 0; --k)
            bits = bits << 8 | b[2 + k];
        const int a0 = b[0], a1 = b[1], code = int(bits >> (12 * j + 3 * i)) & 7;
        if (code == 0)
            rgba[3] = uint8_t(a0);
        else if (code == 1)
            rgba[3] = uint8_t(a1);
        else if (a0 > a1)
            rgba[3] = uint8_t(((8 - code) * a0 + (code - 1) * a1) / 7);
        else
            rgba[3] = uint8_t(code == 6 ? 0 : code == 7 ? 255 : ((6 - code) * a0 + (code - 1) * a1) / 5);
    }
}

}  // namespace tovan::reference

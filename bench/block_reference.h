// A texel-by-texel DXT1/3/5 decoder written from the blocks' usual public
// definition, apart from the framework's own decoder, so that the encoder
// benchmark scores blocks by what other readers show: 5:6:5 end points widened
// by repeating their high bits; colours 2 and 3 at 2/3 and 1/3 between them
// (DXT1 blocks with c0 <= c1: halfway, and black); 4-bit alpha times 17; the
// 8-step or 6-step (with 0 and 255) interpolated alpha. Fractions round to nearest.
#pragma once
#include <cstdint>
#include <cstring>

#include "io/image/format.h"

namespace tovan::bench {

inline int Widen(int v, int bits) { return v << (8 - bits) | v >> (2 * bits - 8); }

// Texel (x, y) of a surface `w` texels across as RGBA (alpha 255 for Dxt1).
inline void ReferenceTexel(ImageFormat format, const uint8_t* blocks, int w, int x, int y, uint8_t rgba[4]) {
    const int blockBytes = format == ImageFormat::Dxt1 ? 8 : 16;
    const uint8_t* b = blocks + (size_t(y / 4) * size_t((w + 3) / 4) + size_t(x / 4)) * blockBytes;
    const int i = x % 4, j = y % 4;
    const uint8_t* colour = format == ImageFormat::Dxt1 ? b : b + 8;
    const int c[2] = {colour[0] | colour[1] << 8, colour[2] | colour[3] << 8};
    int e[2][3];
    for (int k = 0; k < 2; ++k) {
        e[k][0] = Widen(c[k] >> 11, 5);
        e[k][1] = Widen((c[k] >> 5) & 63, 6);
        e[k][2] = Widen(c[k] & 31, 5);
    }
    const int index = (colour[4 + j] >> (2 * i)) & 3;
    const bool four = format != ImageFormat::Dxt1 || c[0] > c[1];
    for (int ch = 0; ch < 3; ++ch) {
        const int a = e[0][ch], z = e[1][ch];
        int v = index == 0 ? a : z;
        if (index >= 2 && four)
            v = index == 2 ? (2 * a + z + 1) / 3 : (a + 2 * z + 1) / 3;
        else if (index >= 2)
            v = index == 2 ? (a + z + 1) / 2 : 0;
        rgba[ch] = uint8_t(v);
    }
    rgba[3] = 255;
    if (format == ImageFormat::Dxt3) {
        rgba[3] = uint8_t(((b[2 * j + i / 2] >> (4 * (i & 1))) & 15) * 17);
    } else if (format == ImageFormat::Dxt5) {
        uint64_t bits = 0;
        for (int k = 5; k >= 0; --k)
            bits = bits << 8 | b[2 + k];
        const int a0 = b[0], a1 = b[1], code = int(bits >> (12 * j + 3 * i)) & 7;
        int a = code == 0 ? a0 : a1;
        if (code >= 2 && a0 > a1)
            a = ((8 - code) * a0 + (code - 1) * a1 + 3) / 7;
        else if (code >= 2)
            a = code == 6 ? 0 : code == 7 ? 255 : ((6 - code) * a0 + (code - 1) * a1 + 2) / 5;
        rgba[3] = uint8_t(a);
    }
}

}  // namespace tovan::bench

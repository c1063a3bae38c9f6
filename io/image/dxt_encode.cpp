#include "io/image/dxt.h"

#include "core/little_endian.h"
#include "io/image/image.h"
#include "io/image/texel.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tovan::dxt {

namespace {

unsigned Pack565(int r, int g, int b) { return unsigned(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)); }

// n / d for 0 <= n < 2048 and 1 <= d <= 255 by multiplying (checked for
// every such pair): the quantisers divide sixteen texels by one range.
class Divider {
public:
    explicit Divider(int d) : m_Factor((1u << 20) / unsigned(d) + 1) {}
    int operator()(int n) const { return int((unsigned(n) * m_Factor) >> 20); }

private:
    unsigned m_Factor;
};

// The texels of a block that lie inside the level, packed channel by channel
// (one channel of a block fills one vector register), with the bit position of
// each texel's colour index (8 r + 2 c; its alpha code sits at 1.5 times that).
struct Texels {
    int n = 0;
    uint8_t ch[4][16];
    int shift[16];
};

// Texels of Channels bytes each (1, 3 or 4), rows `pitch` bytes apart.
template <int Channels>
void Gather(const uint8_t* src, size_t pitch, int w, int h, Texels& t) {
    t.n = 0;
    for (int r = 0; r < h; ++r, src += pitch) {
        for (int c = 0; c < w; ++c, ++t.n) {
            for (int k = 0; k < Channels; ++k)
                t.ch[k][t.n] = src[c * Channels + k];
            t.shift[t.n] = 8 * r + 2 * c;
        }
    }
}

void Gather(const BlockTexels& in, int w, int h, Texels& t) {
    t.n = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c, ++t.n) {
            for (int k = 0; k < 4; ++k)
                t.ch[k][t.n] = in[r * 4 + c][k];
            t.shift[t.n] = 8 * r + 2 * c;
        }
    }
}

// Lowest and highest value of one channel.
void Range(const uint8_t* v, int n, int& lo, int& hi) {
    uint8_t l = 255, h = 0;
    for (int i = 0; i < n; ++i) {
        l = v[i] < l ? v[i] : l;
        h = v[i] > h ? v[i] : h;
    }
    lo = l;
    hi = h;
}

// Fixed is set for whole blocks, whose texel i has its index at bit 2i. The
// loops run to the stored count all the same: loops of a known length of 16
// are unrolled into scalar code instead of running 16 texels at a time.
template <bool Fixed>
void EncodeColor(const Texels& t, uint8_t* block) {
    const int n = t.n;
    int lo[3], hi[3];
    for (int k = 0; k < 3; ++k)
        Range(t.ch[k], n, lo[k], hi[k]);
    int p = 0;  // principal channel: widest range, ties to the earlier channel
    for (int k = 1; k < 3; ++k) {
        if (hi[k] - lo[k] > hi[p] - lo[p])
            p = k;
    }

    // Least-squares line of every other channel against the principal one,
    // evaluated at the principal maximum and minimum. The sums are 64-bit, as
    // their products pass 2^32; a block's own texels (at most 16 x 255^2) are
    // added up in 32 bits first.
    int64_t sx, sxx, sy[3], sxy[3];
    const uint8_t* x = t.ch[p];
    {
        int32_t a = 0, b = 0;
        for (int i = 0; i < n; ++i) {
            a += x[i];
            b += x[i] * x[i];
        }
        sx = a;
        sxx = b;
    }
    for (int k = 0; k < 3; ++k) {
        int32_t a = 0, b = 0;
        for (int i = 0; i < n; ++i) {
            a += t.ch[k][i];
            b += x[i] * t.ch[k][i];
        }
        sy[k] = a;
        sxy[k] = b;
    }
    const int64_t d = int64_t(n) * sxx - sx * sx;
    int e0[3], e1[3];
    for (int k = 0; k < 3; ++k) {
        if (k == p) {
            e0[k] = hi[k];
            e1[k] = lo[k];
        } else if (lo[k] == hi[k]) {
            e0[k] = e1[k] = lo[k];
        } else {  // d > 0: the principal range is at least this channel's, which is not 0
            const int64_t base = sy[k] * sxx - sxy[k] * sx, slope = int64_t(n) * sxy[k] - sy[k] * sx;
            e0[k] = int(std::clamp<int64_t>((base + hi[p] * slope) / d, 0, 255));
            e1[k] = int(std::clamp<int64_t>((base + lo[p] * slope) / d, 0, 255));
        }
    }

    // End points as stored: a pair that packs equal differs in its lowest
    // green bit, and the larger word goes first (four-colour mode).
    unsigned c0 = Pack565(e0[0], e0[1], e0[2]), c1 = Pack565(e1[0], e1[1], e1[2]);
    if (c1 == c0) {
        c0 |= 0x20;
        c1 &= ~0x20u;
    } else if (c1 > c0) {
        std::swap(c0, c1);
    }

    // Indices are chosen against the colours a reader decodes from the stored
    // end points. Squared distances are integers below 2^24, exact in floats,
    // which lets the search run four texels at a time.
    uint32_t words[4];
    ColorPalette(c0, c1, true, words);
    float palette[3][4];
    for (int k = 0; k < 3; ++k)
        for (int e = 0; e < 4; ++e)
            palette[k][e] = float((words[e] >> (8 * k)) & 0xFF);
    float f[3][16];
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < n; ++i)
            f[k][i] = float(t.ch[k][i]);
    }
    int best[16];
    for (int i = 0; i < n; ++i) {
        float bestDistance = 0.0f;
        int index = 0;
        for (int e = 0; e < 4; ++e) {
            const float dr = f[0][i] - palette[0][e], dg = f[1][i] - palette[1][e], db = f[2][i] - palette[2][e];
            const float distance = dr * dr + dg * dg + db * db;
            const bool closer = e == 0 || distance < bestDistance;  // the first of equal distances stays
            index = closer ? e : index;
            bestDistance = closer ? distance : bestDistance;
        }
        best[i] = index;
    }
    uint32_t indices = 0;  // texels outside the level keep index 0
    for (int i = 0; i < n; ++i)
        indices |= uint32_t(best[i]) << (Fixed ? 2 * i : t.shift[i]);  // whole blocks: texel i at bit 2i
    StoreU16(block, uint16_t(c0));
    StoreU16(block + 2, uint16_t(c1));
    StoreU32(block + 4, indices);
}

// Green of a grey end point: the 6-bit value whose widened byte is nearest
// the widened 5-bit red and blue (ties to the lower), so that grey decodes
// grey. Doubling the 5-bit value lands up to four levels low.
struct GreyGreen {
    uint8_t of[32] = {};
    constexpr GreyGreen() {
        for (unsigned v = 0; v < 32; ++v) {
            const int grey = texel::Widen5(v);
            unsigned best = 0;
            for (unsigned g = 1; g < 64; ++g) {
                const int d = texel::Widen6(g) - grey, e = texel::Widen6(best) - grey;
                if (d * d < e * e)
                    best = g;
            }
            of[v] = uint8_t(best);
        }
    }
};
constexpr GreyGreen kGreyGreen;

unsigned Grey565(int v) { return unsigned(v << 11 | kGreyGreen.of[v] << 5 | v); }

void EncodeGrey(const Texels& t, uint8_t* block) {
    int lo, hi;
    Range(t.ch[0], t.n, lo, hi);
    // floor((v + 0.5) * 31 / 255), exactly.
    int a = (2 * hi + 1) * 31 / 510, b = (2 * lo + 1) * 31 / 510;
    if (a == b) {
        if (hi == 255) {
            --b;
            --lo;
        } else {
            ++a;
            ++hi;
        }
    }
    StoreU16(block, uint16_t(Grey565(a)));
    StoreU16(block + 2, uint16_t(Grey565(b)));
    static constexpr uint8_t kIndex[4] = {1, 3, 2, 0};
    const int range = hi - lo;
    const Divider divide(range);
    uint32_t indices = 0;
    for (int i = 0; i < t.n; ++i)
        indices |= uint32_t(kIndex[divide((t.ch[0][i] - lo) * 3 + range / 2)]) << t.shift[i];
    StoreU32(block + 4, indices);
}

// Fixed: a whole block, whose texel i has its code at bit 3i.
template <bool Fixed>
void EncodeAlpha5(const Texels& t, uint8_t* block) {
    int lo, hi;
    Range(t.ch[3], t.n, lo, hi);
    if (hi == lo) {
        if (hi == 255)
            --lo;
        else
            ++hi;
    }
    block[0] = uint8_t(hi);
    block[1] = uint8_t(lo);
    static constexpr uint8_t kIndex[8] = {1, 7, 6, 5, 4, 3, 2, 0};
    const int range = hi - lo;
    const Divider divide(range);
    uint64_t bits = 0;
    for (int i = 0; i < t.n; ++i)
        bits |= uint64_t(kIndex[divide((t.ch[3][i] - lo) * 7 + range / 2)]) << (Fixed ? 3 * i : t.shift[i] * 3 / 2);
    for (int i = 0; i < 6; ++i)
        block[2 + i] = uint8_t(bits >> (8 * i));
}

// Explicit alpha: the nearest of the 16 steps of 17.
void EncodeAlpha3(const Texels& t, uint8_t* block) {
    uint64_t bits = 0;
    for (int i = 0; i < t.n; ++i)
        bits |= uint64_t((t.ch[3][i] * 15 + 127) / 255) << (t.shift[i] * 2);
    for (int i = 0; i < 8; ++i)
        block[i] = uint8_t(bits >> (8 * i));
}

void EncodeColor(const Texels& t, uint8_t* block) {
    if (t.n == 16)
        EncodeColor<true>(t, block);
    else
        EncodeColor<false>(t, block);
}

template <int TexelBytes>
void EncodeSurfaceT(ImageFormat target, const uint8_t* texels, int w, int h, uint8_t* blocks) {
    const size_t pitch = size_t(w) * TexelBytes;
    Texels t = {};  // channels a source lacks stay 0
    for (int by = 0; by < h; by += 4) {
        const int rows = std::min(4, h - by);
        for (int bx = 0; bx < w; bx += 4) {
            Gather<TexelBytes>(texels + size_t(by) * pitch + size_t(bx) * TexelBytes, pitch, std::min(4, w - bx), rows,
                               t);
            if (target == ImageFormat::Dxt1) {
                if (TexelBytes == 1)
                    EncodeGrey(t, blocks);
                else
                    EncodeColor(t, blocks);
                blocks += 8;
            } else {
                if (target == ImageFormat::Dxt3)
                    EncodeAlpha3(t, blocks);
                else if (t.n == 16)
                    EncodeAlpha5<true>(t, blocks);
                else
                    EncodeAlpha5<false>(t, blocks);
                EncodeColor(t, blocks + 8);
                blocks += 16;
            }
        }
    }
}

}  // namespace

void EncodeGreyBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    Texels t;
    Gather(in, w, h, t);
    EncodeGrey(t, block);
}

void EncodeColorBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    Texels t;
    Gather(in, w, h, t);
    EncodeColor(t, block);
}

void EncodeDxt5AlphaBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    Texels t;
    Gather(in, w, h, t);
    EncodeAlpha5<false>(t, block);
}

void EncodeDxt3AlphaBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    Texels t;
    Gather(in, w, h, t);
    EncodeAlpha3(t, block);
}

void EncodeSurface(ImageFormat target, ImageFormat source, const uint8_t* texels, int w, int h, uint8_t* blocks) {
    if (source == ImageFormat::R8)
        EncodeSurfaceT<1>(target, texels, w, h, blocks);
    else if (source == ImageFormat::Rgb8)
        EncodeSurfaceT<3>(target, texels, w, h, blocks);
    else
        EncodeSurfaceT<4>(target, texels, w, h, blocks);
}

}  // namespace tovan::dxt

namespace tovan {

bool cImage::Compress() {
    ImageLayout layout;
    if (!GetLayout(layout))
        return false;
    ImageFormat format;
    if (m_Format == ImageFormat::R8 || m_Format == ImageFormat::Rgb8)
        format = ImageFormat::Dxt1;
    else if (m_Format == ImageFormat::Rgba8)
        format = ImageFormat::Dxt5;
    else
        return true;
    return Recode(format, m_Mips, [](ImageFormat from, ImageFormat to, const uint8_t* src, int w, int h, uint8_t* dst) {
        dxt::EncodeSurface(to, from, src, w, h, dst);
    });
}

}  // namespace tovan

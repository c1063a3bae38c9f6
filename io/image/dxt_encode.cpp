#include "io/image/dxt.h"
#include "io/image/image.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tovan::dxt {

namespace {

void WriteU16(uint8_t* p, unsigned v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

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

// The valid texels of a block, packed channel by channel, with the bit
// position of each texel's index.
struct Texels {
    int n = 0;
    int16_t ch[3][16];  // 16 bits: the sums below run eight texels at a time
    int shift[16];
};

void Gather(const BlockTexels& in, int w, int h, Texels& t) {
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c, ++t.n) {
            for (int k = 0; k < 3; ++k)
                t.ch[k][t.n] = in[r * 4 + c][k];
            t.shift[t.n] = 8 * r + 2 * c;
        }
    }
}

// Fixed is 16 for whole blocks (loops of known length) and 0 for edge blocks.
template <int Fixed>
void EncodeColor(const Texels& t, uint8_t* block) {
    const int n = Fixed ? Fixed : t.n;
    int lo[3], hi[3];
    for (int k = 0; k < 3; ++k) {
        int16_t l = 255, h = 0;
        for (int i = 0; i < n; ++i) {
            l = std::min(l, t.ch[k][i]);
            h = std::max(h, t.ch[k][i]);
        }
        lo[k] = l;
        hi[k] = h;
    }
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
    const int16_t* x = t.ch[p];
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

    // Squared distances are integers below 2^24, exact in floats, which lets
    // the search run four texels at a time.
    float palette[3][4];
    for (int k = 0; k < 3; ++k) {
        palette[k][0] = float(e0[k]);
        palette[k][1] = float(e1[k]);
        palette[k][2] = float((2 * e0[k] + e1[k]) / 3);
        palette[k][3] = float((e0[k] + 2 * e1[k]) / 3);
    }
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
    uint32_t indices = 0, used = 0;
    for (int i = 0; i < n; ++i) {
        indices |= uint32_t(best[i]) << t.shift[i];
        used |= 3u << t.shift[i];
    }

    unsigned c0 = Pack565(e0[0], e0[1], e0[2]), c1 = Pack565(e1[0], e1[1], e1[2]);
    if (c1 == c0) {
        c0 |= 0x20;
        c1 &= ~0x20u;
    } else if (c1 > c0) {
        std::swap(c0, c1);
        indices ^= 0x55555555u & used;  // texels outside the level keep index 0
    }
    WriteU16(block, c0);
    WriteU16(block + 2, c1);
    for (int r = 0; r < 4; ++r)
        block[4 + r] = uint8_t(indices >> (8 * r));
}

}  // namespace

void EncodeGreyBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    int lo = 255, hi = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            lo = std::min<int>(lo, in[r * 4 + c][0]);
            hi = std::max<int>(hi, in[r * 4 + c][0]);
        }
    }
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
    WriteU16(block, unsigned((a << 11) | (2 * a << 5) | a));
    WriteU16(block + 2, unsigned((b << 11) | (2 * b << 5) | b));
    static constexpr uint8_t kIndex[4] = {1, 3, 2, 0};
    const int range = hi - lo;
    const Divider divide(range);
    for (int r = 0; r < 4; ++r) {
        unsigned row = 0;
        for (int c = 0; r < h && c < w; ++c) {
            const int q = divide((in[r * 4 + c][0] - lo) * 3 + range / 2);
            row |= unsigned(kIndex[q]) << (2 * c);
        }
        block[4 + r] = uint8_t(row);
    }
}

void EncodeColorBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    Texels t;
    Gather(in, w, h, t);
    if (t.n == 16)
        EncodeColor<16>(t, block);
    else
        EncodeColor<0>(t, block);
}

namespace {

// Full is set for whole blocks, whose loops then have known lengths.
template <bool Full>
void EncodeAlpha(const BlockTexels& in, int w, int h, uint8_t* block) {
    const int cols = Full ? 4 : w, rows = Full ? 4 : h;
    int lo = 255, hi = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            lo = std::min<int>(lo, in[r * 4 + c][3]);
            hi = std::max<int>(hi, in[r * 4 + c][3]);
        }
    }
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
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int q = divide((in[r * 4 + c][3] - lo) * 7 + range / 2);
            bits |= uint64_t(kIndex[q]) << (12 * r + 3 * c);
        }
    }
    for (int i = 0; i < 6; ++i)
        block[2 + i] = uint8_t(bits >> (8 * i));
}

}  // namespace

void EncodeDxt5AlphaBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    if (w == 4 && h == 4)
        EncodeAlpha<true>(in, w, h, block);
    else
        EncodeAlpha<false>(in, w, h, block);
}

void EncodeDxt3AlphaBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    std::memset(block, 0, 8);
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            const int nibble = (in[r * 4 + c][3] * 15 + 127) / 255;
            block[2 * r + c / 2] |= uint8_t(nibble << (4 * (c & 1)));
        }
    }
}

namespace {

template <int TexelBytes>
void EncodeSurfaceT(ImageFormat target, const uint8_t* texels, int w, int h, uint8_t* blocks) {
    const size_t pitch = size_t(w) * TexelBytes;
    BlockTexels tmp = {};
    for (int by = 0; by < h; by += 4) {
        const int rows = std::min(4, h - by);
        for (int bx = 0; bx < w; bx += 4) {
            const int cols = std::min(4, w - bx);
            const uint8_t* src = texels + size_t(by) * pitch + size_t(bx) * TexelBytes;
            for (int r = 0; r < rows; ++r, src += pitch) {
                for (int c = 0; c < cols; ++c)
                    std::memcpy(tmp[r * 4 + c], src + c * TexelBytes, TexelBytes);
            }
            if (target == ImageFormat::Dxt1) {
                if (TexelBytes == 1)
                    EncodeGreyBlock(tmp, cols, rows, blocks);
                else
                    EncodeColorBlock(tmp, cols, rows, blocks);
                blocks += 8;
            } else {
                if (target == ImageFormat::Dxt3)
                    EncodeDxt3AlphaBlock(tmp, cols, rows, blocks);
                else
                    EncodeDxt5AlphaBlock(tmp, cols, rows, blocks);
                EncodeColorBlock(tmp, cols, rows, blocks + 8);
                blocks += 16;
            }
        }
    }
}

}  // namespace

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

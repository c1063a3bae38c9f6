#include "io/image/dxt.h"
#include "io/image/image.h"
#include "io/image/ops.h"

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

// Least-squares line of channel y against the principal channel x over the
// block's texels, evaluated at x. The sums reach 2^32, hence 64 bits.
int FitChannel(const BlockTexels& in, int w, int h, int px, int cy, int x) {
    int64_t n = 0, sx = 0, sxx = 0, sy = 0, sxy = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            const int64_t xv = in[r * 4 + c][px], yv = in[r * 4 + c][cy];
            ++n;
            sx += xv;
            sxx += xv * xv;
            sy += yv;
            sxy += xv * yv;
        }
    }
    const int64_t d = n * sxx - sx * sx;  // > 0: the principal channel has the widest non-zero range
    const int64_t v = (sy * sxx - sxy * sx + x * (n * sxy - sy * sx)) / d;
    return int(std::clamp<int64_t>(v, 0, 255));
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
    for (int r = 0; r < 4; ++r) {
        unsigned row = 0;
        for (int c = 0; r < h && c < w; ++c) {
            const int q = ((in[r * 4 + c][0] - lo) * 3 + range / 2) / range;
            row |= unsigned(kIndex[q]) << (2 * c);
        }
        block[4 + r] = uint8_t(row);
    }
}

void EncodeColorBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            for (int ch = 0; ch < 3; ++ch) {
                lo[ch] = std::min<int>(lo[ch], in[r * 4 + c][ch]);
                hi[ch] = std::max<int>(hi[ch], in[r * 4 + c][ch]);
            }
        }
    }
    int principal = 0;
    for (int ch = 1; ch < 3; ++ch) {
        if (hi[ch] - lo[ch] > hi[principal] - lo[principal])
            principal = ch;
    }

    int e0[3], e1[3];
    for (int ch = 0; ch < 3; ++ch) {
        if (ch == principal || lo[ch] == hi[ch]) {
            e0[ch] = ch == principal ? hi[ch] : lo[ch];
            e1[ch] = lo[ch];
        } else {
            e0[ch] = FitChannel(in, w, h, principal, ch, hi[principal]);
            e1[ch] = FitChannel(in, w, h, principal, ch, lo[principal]);
        }
    }

    int palette[4][3];
    for (int ch = 0; ch < 3; ++ch) {
        palette[0][ch] = e0[ch];
        palette[1][ch] = e1[ch];
        palette[2][ch] = (2 * e0[ch] + e1[ch]) / 3;
        palette[3][ch] = (e0[ch] + 2 * e1[ch]) / 3;
    }
    uint32_t indices = 0, used = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            const uint8_t* t = in[r * 4 + c];
            int best = 0, bestDistance = 0;
            for (int i = 0; i < 4; ++i) {
                int distance = 0;
                for (int ch = 0; ch < 3; ++ch) {
                    const int d = t[ch] - palette[i][ch];
                    distance += d * d;
                }
                if (i == 0 || distance < bestDistance) {
                    best = i;
                    bestDistance = distance;
                }
            }
            indices |= uint32_t(best) << (8 * r + 2 * c);
            used |= 3u << (8 * r + 2 * c);
        }
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

void EncodeDxt5AlphaBlock(const BlockTexels& in, int w, int h, uint8_t* block) {
    int lo = 255, hi = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
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
    uint64_t bits = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            const int q = ((in[r * 4 + c][3] - lo) * 7 + range / 2) / range;
            bits |= uint64_t(kIndex[q]) << (12 * r + 3 * c);
        }
    }
    for (int i = 0; i < 6; ++i)
        block[2 + i] = uint8_t(bits >> (8 * i));
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

void EncodeSurface(ImageFormat target, ImageFormat source, const uint8_t* texels, int w, int h, uint8_t* blocks) {
    const int texelBytes = source == ImageFormat::R8 ? 1 : source == ImageFormat::Rgb8 ? 3 : 4;
    const size_t pitch = size_t(w) * texelBytes;
    BlockTexels tmp = {};
    for (int by = 0; by < h; by += 4) {
        const int rows = std::min(4, h - by);
        for (int bx = 0; bx < w; bx += 4) {
            const int cols = std::min(4, w - bx);
            const uint8_t* src = texels + size_t(by) * pitch + size_t(bx) * texelBytes;
            for (int r = 0; r < rows; ++r, src += pitch) {
                for (int c = 0; c < cols; ++c)
                    std::memcpy(tmp[r * 4 + c], src + c * texelBytes, texelBytes);
            }
            if (target == ImageFormat::Dxt1) {
                if (source == ImageFormat::R8)
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

}  // namespace tovan::dxt

namespace tovan {

bool cImage::Compress() {
    ImageLayout layout, target;
    if (!GetLayout(layout))
        return false;
    ImageFormat format;
    if (m_Format == ImageFormat::R8 || m_Format == ImageFormat::Rgb8)
        format = ImageFormat::Dxt1;
    else if (m_Format == ImageFormat::Rgba8)
        format = ImageFormat::Dxt5;
    else
        return true;
    if (!target.Init(format, m_Width, m_Height, m_Depth, m_Mips))
        return false;
    cList<uint8_t> data;
    data.Resize(target.Size());
    const uint8_t* src = m_Data.Data();
    uint8_t* dst = data.Data();
    ForEachSurface(layout, target, [&](const ImageLevel& level, int64_t from, int64_t to) {
        dxt::EncodeSurface(format, m_Format, src + from, level.width, level.height, dst + to);
    });
    Replace(data, format, m_Width, m_Height, m_Depth, m_Mips);
    return true;
}

}  // namespace tovan

#include "io/image/dxt.h"
#include "io/image/image.h"
#include "io/image/ops.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tovan::dxt {

namespace {

uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

uint64_t ReadU48(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 5; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

void WriteU48(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 6; ++i, v >>= 8)
        p[i] = uint8_t(v);
}

void Expand565(uint16_t c, int rgb[3]) {
    rgb[0] = (c >> 11) << 3;
    rgb[1] = ((c >> 5) & 63) << 2;
    rgb[2] = (c & 31) << 3;
}

// Byte offset of the colour half inside a block.
int ColorOffset(ImageFormat format) { return format == ImageFormat::Dxt1 ? 0 : 8; }

template <int TexelBytes>
void DecodeSurfaceT(ImageFormat format, const uint8_t* blocks, int w, int h, uint8_t* texels) {
    const int blockBytes = format == ImageFormat::Dxt1 ? 8 : 16;
    const bool dxt1 = format == ImageFormat::Dxt1;
    const size_t pitch = size_t(w) * TexelBytes;
    BlockTexels tmp;
    for (int by = 0; by < h; by += 4) {
        const int rows = std::min(4, h - by);
        for (int bx = 0; bx < w; bx += 4, blocks += blockBytes) {
            const int cols = std::min(4, w - bx);
            if (dxt1) {
                DecodeColorBlock(blocks, false, tmp);
            } else {
                DecodeColorBlock(blocks + 8, true, tmp);
                if (format == ImageFormat::Dxt3)
                    DecodeDxt3AlphaBlock(blocks, tmp);
                else
                    DecodeDxt5AlphaBlock(blocks, tmp);
            }
            uint8_t* dst = texels + size_t(by) * pitch + size_t(bx) * TexelBytes;
            for (int r = 0; r < rows; ++r, dst += pitch) {
                if (cols == 4) {
                    for (int c = 0; c < 4; ++c)
                        std::memcpy(dst + c * TexelBytes, tmp[r * 4 + c], TexelBytes);
                } else {
                    for (int c = 0; c < cols; ++c)
                        std::memcpy(dst + c * TexelBytes, tmp[r * 4 + c], TexelBytes);
                }
            }
        }
    }
}

}  // namespace

void DecodeColorBlock(const uint8_t* block, bool fourColour, BlockTexels& out) {
    const uint16_t c0 = ReadU16(block), c1 = ReadU16(block + 2);
    int e0[3], e1[3];
    Expand565(c0, e0);
    Expand565(c1, e1);
    uint8_t palette[4][4];
    for (int ch = 0; ch < 3; ++ch) {
        palette[0][ch] = uint8_t(e0[ch]);
        palette[1][ch] = uint8_t(e1[ch]);
        if (fourColour || c0 > c1) {
            palette[2][ch] = uint8_t((2 * e0[ch] + e1[ch] + 1) / 3);
            palette[3][ch] = uint8_t((e0[ch] + 2 * e1[ch] + 1) / 3);
        } else {
            palette[2][ch] = uint8_t((e0[ch] + e1[ch] + 1) >> 1);
            palette[3][ch] = 0;
        }
    }
    for (auto& p : palette)
        p[3] = 255;
    for (int r = 0; r < 4; ++r) {
        const unsigned row = block[4 + r];
        for (int c = 0; c < 4; ++c)
            std::memcpy(out[r * 4 + c], palette[(row >> (2 * c)) & 3], 4);
    }
}

void DecodeDxt3AlphaBlock(const uint8_t* block, BlockTexels& out) {
    for (int r = 0; r < 4; ++r) {
        const unsigned row = ReadU16(block + 2 * r);
        for (int c = 0; c < 4; ++c)
            out[r * 4 + c][3] = uint8_t(((row >> (4 * c)) & 15) * 17);
    }
}

void DecodeDxt5AlphaBlock(const uint8_t* block, BlockTexels& out) {
    const int a0 = block[0], a1 = block[1];
    uint8_t palette[8] = {uint8_t(a0), uint8_t(a1)};
    if (a0 > a1) {
        for (int i = 2; i < 8; ++i)
            palette[i] = uint8_t(((8 - i) * a0 + (i - 1) * a1) / 7);
    } else {
        for (int i = 2; i < 6; ++i)
            palette[i] = uint8_t(((6 - i) * a0 + (i - 1) * a1) / 5);
        palette[6] = 0;
        palette[7] = 255;
    }
    uint64_t bits = ReadU48(block + 2);
    for (int i = 0; i < 16; ++i, bits >>= 3)
        out[i][3] = palette[bits & 7];
}

void FlipBlockRows(ImageFormat format, uint8_t* block, int rows) {
    uint8_t* colour = block + ColorOffset(format);
    for (int i = 0; i < rows / 2; ++i)
        std::swap(colour[4 + i], colour[4 + rows - 1 - i]);
    if (format == ImageFormat::Dxt3) {
        for (int i = 0; i < rows / 2; ++i) {
            std::swap(block[2 * i], block[2 * (rows - 1 - i)]);
            std::swap(block[2 * i + 1], block[2 * (rows - 1 - i) + 1]);
        }
    } else if (format == ImageFormat::Dxt5) {
        const uint64_t bits = ReadU48(block + 2);
        uint64_t flipped = bits;
        for (int r = 0; r < rows; ++r) {
            const int from = rows - 1 - r;
            flipped &= ~(uint64_t(0xFFF) << (12 * r));
            flipped |= ((bits >> (12 * from)) & 0xFFF) << (12 * r);
        }
        WriteU48(block + 2, flipped);
    }
}

void DecodeSurface(ImageFormat format, const uint8_t* blocks, int w, int h, uint8_t* texels) {
    if (format == ImageFormat::Dxt1)
        DecodeSurfaceT<3>(format, blocks, w, h, texels);
    else
        DecodeSurfaceT<4>(format, blocks, w, h, texels);
}

}  // namespace tovan::dxt

namespace tovan {

bool cImage::Decompress() {
    ImageLayout layout, target;
    if (!GetLayout(layout))
        return false;
    if (!IsBlockFormat(m_Format))
        return true;
    if (IsPvrFormat(m_Format))
        return false;
    const int mips = IsPowerOfTwo(m_Width) && IsPowerOfTwo(m_Height) ? m_Mips : 1;
    const ImageFormat format = DecodedFormat(m_Format);
    if (!target.Init(format, m_Width, m_Height, m_Depth, mips))
        return false;
    cList<uint8_t> data;
    data.Resize(target.Size());
    const uint8_t* src = m_Data.Data();
    uint8_t* dst = data.Data();
    ForEachSurface(layout, target, [&](const ImageLevel& level, int64_t from, int64_t to) {
        dxt::DecodeSurface(m_Format, src + from, level.width, level.height, dst + to);
    });
    Replace(data, format, m_Width, m_Height, m_Depth, mips);
    return true;
}

}  // namespace tovan

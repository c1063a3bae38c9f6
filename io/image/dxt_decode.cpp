#include "io/image/dxt.h"

#include "core/little_endian.h"
#include "io/image/image.h"
#include "io/image/ops.h"
#include "io/image/texel.h"

#include <algorithm>
#include <cstring>

namespace tovan::dxt {

namespace {

void Expand565(unsigned c, int rgb[3]) {
    rgb[0] = texel::Widen5(c >> 11);
    rgb[1] = texel::Widen6((c >> 5) & 63);
    rgb[2] = texel::Widen5(c & 31);
}

// The four colours of a colour block as RGBA words (red in the low byte, alpha 255).
inline void Palette(unsigned c0, unsigned c1, bool fourColour, uint32_t palette[4]) {
    int e0[3], e1[3];
    Expand565(c0, e0);
    Expand565(c1, e1);
    // Both modes are worked out and one is kept, so that mixed blocks cost no branches.
    const uint32_t four = fourColour || c0 > c1 ? ~0u : 0u;
    uint32_t p2 = 0, p3 = 0;
    for (int ch = 0; ch < 3; ++ch) {
        const uint32_t third2 = uint32_t((2 * e0[ch] + e1[ch] + 1) / 3),
                       third3 = uint32_t((e0[ch] + 2 * e1[ch] + 1) / 3);
        const uint32_t half = uint32_t((e0[ch] + e1[ch] + 1) >> 1);
        p2 |= ((third2 & four) | (half & ~four)) << (8 * ch);
        p3 |= (third3 & four) << (8 * ch);
    }
    palette[0] = uint32_t(e0[0]) | uint32_t(e0[1]) << 8 | uint32_t(e0[2]) << 16 | 0xFF000000u;
    palette[1] = uint32_t(e1[0]) | uint32_t(e1[1]) << 8 | uint32_t(e1[2]) << 16 | 0xFF000000u;
    palette[2] = p2 | 0xFF000000u;
    palette[3] = p3 | 0xFF000000u;
}

uint64_t ReadU48(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 5; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

inline void Dxt5AlphaPalette(const uint8_t* block, uint8_t palette[8]) {
    const int a0 = block[0], a1 = block[1];
    palette[0] = uint8_t(a0);
    palette[1] = uint8_t(a1);
    if (a0 > a1) {
        for (int i = 2; i < 8; ++i)
            palette[i] = uint8_t(((8 - i) * a0 + (i - 1) * a1) / 7);
    } else {
        for (int i = 2; i < 6; ++i)
            palette[i] = uint8_t(((6 - i) * a0 + (i - 1) * a1) / 5);
        palette[6] = 0;
        palette[7] = 255;
    }
}

// One block's palettes and index bits; Row gives the RGBA words (red in the
// low byte) of one block row.
template <ImageFormat Format>
class BlockDecoder {
public:
    explicit BlockDecoder(const uint8_t* block) {
        constexpr int kColor = Format == ImageFormat::Dxt1 ? 0 : 8;
        Palette(LoadU16(block + kColor), LoadU16(block + kColor + 2), Format != ImageFormat::Dxt1, m_Colours);
        std::memcpy(&m_Indices, block + kColor + 4, 4);  // little-endian, as every target
        if constexpr (Format != ImageFormat::Dxt1) {
            for (uint32_t& c : m_Colours)
                c &= 0x00FFFFFFu;
        }
        if constexpr (Format == ImageFormat::Dxt3) {
            std::memcpy(&m_AlphaBits, block, 8);
        } else if constexpr (Format == ImageFormat::Dxt5) {
            uint8_t palette[8];
            Dxt5AlphaPalette(block, palette);
            for (int k = 0; k < 8; ++k)
                m_Alphas[k] = uint32_t(palette[k]) << 24;
            m_AlphaBits = ReadU48(block + 2);
        }
    }

    // The four texels of block row r.
    void Row(int r, uint32_t out[4]) const {
        const uint32_t indices = m_Indices >> (8 * r);
        for (int c = 0; c < 4; ++c)
            out[c] = m_Colours[(indices >> (2 * c)) & 3];
        if constexpr (Format == ImageFormat::Dxt3) {
            const uint32_t nibbles = uint32_t(m_AlphaBits >> (16 * r));
            for (int c = 0; c < 4; ++c)
                out[c] |= (((nibbles >> (4 * c)) & 15) * 17) << 24;
        } else if constexpr (Format == ImageFormat::Dxt5) {
            const uint32_t codes = uint32_t(m_AlphaBits >> (12 * r));
            for (int c = 0; c < 4; ++c)
                out[c] |= m_Alphas[(codes >> (3 * c)) & 7];
        }
    }

private:
    uint32_t m_Colours[4];
    uint32_t m_Alphas[8] = {};
    uint32_t m_Indices;
    uint64_t m_AlphaBits = 0;
};

template <ImageFormat Format, int TexelBytes>
void DecodeSurfaceT(const uint8_t* blocks, int w, int h, uint8_t* texels) {
    constexpr int kBlockBytes = Format == ImageFormat::Dxt1 ? 8 : 16;
    const size_t pitch = size_t(w) * TexelBytes;
    for (int by = 0; by < h; by += 4) {
        const int rows = std::min(4, h - by);
        for (int bx = 0; bx < w; bx += 4, blocks += kBlockBytes) {
            const int cols = std::min(4, w - bx);
            const BlockDecoder<Format> block(blocks);
            uint8_t* dst = texels + size_t(by) * pitch + size_t(bx) * TexelBytes;
            if (rows == 4 && cols == 4) {
                for (int r = 0; r < 4; ++r, dst += pitch) {
                    uint32_t t[4];
                    block.Row(r, t);
                    if constexpr (TexelBytes == 4) {  // built in registers, as below
                        const uint64_t head = t[0] | uint64_t(t[1]) << 32, tail = t[2] | uint64_t(t[3]) << 32;
                        std::memcpy(dst, &head, 8);
                        std::memcpy(dst + 8, &tail, 8);
                    } else {  // four RGB texels in 12 bytes, built in registers
                        const uint64_t head = uint64_t(t[0] & 0x00FFFFFFu) | uint64_t(t[1] & 0x00FFFFFFu) << 24 |
                                              uint64_t(t[2] & 0xFFFFu) << 48;
                        const uint32_t tail = (t[2] & 0x00FFFFFFu) >> 16 | t[3] << 8;
                        std::memcpy(dst, &head, 8);
                        std::memcpy(dst + 8, &tail, 4);
                    }
                }
            } else {
                for (int r = 0; r < rows; ++r, dst += pitch) {
                    uint32_t t[4];
                    block.Row(r, t);
                    for (int c = 0; c < cols; ++c)
                        std::memcpy(dst + c * TexelBytes, &t[c], TexelBytes);
                }
            }
        }
    }
}

}  // namespace

void ColorPalette(unsigned c0, unsigned c1, bool fourColour, uint32_t palette[4]) {
    Palette(c0, c1, fourColour, palette);
}

void DecodeColorBlock(const uint8_t* block, bool fourColour, BlockTexels& out) {
    uint32_t palette[4];
    Palette(LoadU16(block), LoadU16(block + 2), fourColour, palette);
    for (int r = 0; r < 4; ++r) {
        const unsigned row = block[4 + r];
        for (int c = 0; c < 4; ++c)
            std::memcpy(out[r * 4 + c], &palette[(row >> (2 * c)) & 3], 4);
    }
}

void DecodeDxt3AlphaBlock(const uint8_t* block, BlockTexels& out) {
    for (int r = 0; r < 4; ++r) {
        const unsigned row = LoadU16(block + 2 * r);
        for (int c = 0; c < 4; ++c)
            out[r * 4 + c][3] = uint8_t(((row >> (4 * c)) & 15) * 17);
    }
}

void DecodeDxt5AlphaBlock(const uint8_t* block, BlockTexels& out) {
    uint8_t palette[8];
    Dxt5AlphaPalette(block, palette);
    uint64_t bits = ReadU48(block + 2);
    for (int i = 0; i < 16; ++i, bits >>= 3)
        out[i][3] = palette[bits & 7];
}

void DecodeSurface(ImageFormat format, const uint8_t* blocks, int w, int h, uint8_t* texels) {
    if (format == ImageFormat::Dxt1)
        DecodeSurfaceT<ImageFormat::Dxt1, 3>(blocks, w, h, texels);
    else if (format == ImageFormat::Dxt3)
        DecodeSurfaceT<ImageFormat::Dxt3, 4>(blocks, w, h, texels);
    else
        DecodeSurfaceT<ImageFormat::Dxt5, 4>(blocks, w, h, texels);
}

}  // namespace tovan::dxt

namespace tovan {

bool cImage::Decompress() {
    ImageLayout layout;
    if (!GetLayout(layout))
        return false;
    if (!IsBlockFormat(m_Format))
        return true;
    if (IsPvrFormat(m_Format))
        return false;
    const int mips = IsPowerOfTwo(m_Width) && IsPowerOfTwo(m_Height) ? m_Mips : 1;
    return Recode(DecodedFormat(m_Format), mips,
                  [](ImageFormat from, ImageFormat, const uint8_t* src, int w, int h, uint8_t* dst) {
                      dxt::DecodeSurface(from, src, w, h, dst);
                  });
}

}  // namespace tovan

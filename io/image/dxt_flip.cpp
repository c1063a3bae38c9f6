// Row reversal inside DXT blocks. The end points stay; the four colour index
// bytes, the four Dxt3 alpha rows (16 bits each) and the four 12-bit Dxt5 index
// rows change places. Whole block rows are flipped while they are copied, by
// the fastest way the processor has (dxt_flip_paths.h).
#include <cstring>
#include <utility>

#include "io/image/dxt.h"
#include "io/image/dxt_flip_paths.h"

namespace tovan::dxt {

namespace {

uint64_t Load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);  // little-endian, as every target and the blocks
    return v;
}

void Store64(uint8_t* p, uint64_t v) { std::memcpy(p, &v, 8); }

// A colour block with its four index bytes (4 to 7) reversed.
uint64_t FlipColourRows(uint64_t c) { return (c & 0xFFFFFFFF) | __builtin_bswap64(c) << 32; }

// Dxt3 alpha: four 16-bit rows.
uint64_t FlipExplicitAlphaRows(uint64_t a) {
    a = a >> 32 | a << 32;
    return (a >> 16 & 0x0000FFFF0000FFFF) | (a & 0x0000FFFF0000FFFF) << 16;
}

// Dxt5 alpha: two end-point bytes, then four 12-bit index rows: swap the
// 24-bit halves, then the 12-bit rows within each half.
uint64_t FlipInterpolatedAlphaRows(uint64_t a) {
    uint64_t rows = a >> 16;
    rows = rows >> 24 | (rows & 0xFFFFFF) << 24;
    rows = (rows >> 12 & 0x000FFF000FFF) | (rows & 0x000FFF000FFF) << 12;
    return (a & 0xFFFF) | rows << 16;
}

FlipCopy FastestFlipCopy() {
    FlipCopyPath fastest;
    return GetVectorFlipCopies(&fastest, 1) == 1 ? fastest.copy : CopyFlippedBlocksPlain;
}

}  // namespace

void FlipBlockRows(ImageFormat format, uint8_t* block, int rows) {
    uint8_t* colour = block + (format == ImageFormat::Dxt1 ? 0 : 8);
    for (int i = 0; i < rows / 2; ++i)
        std::swap(colour[4 + i], colour[4 + rows - 1 - i]);
    if (format == ImageFormat::Dxt3) {
        for (int i = 0; i < rows / 2; ++i) {
            std::swap(block[2 * i], block[2 * (rows - 1 - i)]);
            std::swap(block[2 * i + 1], block[2 * (rows - 1 - i) + 1]);
        }
    } else if (format == ImageFormat::Dxt5) {
        const uint64_t a = Load64(block), bits = a >> 16;
        uint64_t flipped = bits;
        for (int r = 0; r < rows; ++r) {
            const int from = rows - 1 - r;
            flipped &= ~(uint64_t(0xFFF) << (12 * r));
            flipped |= ((bits >> (12 * from)) & 0xFFF) << (12 * r);
        }
        Store64(block, (a & 0xFFFF) | flipped << 16);
    }
}

void CopyFlippedBlocksPlain(ImageFormat format, uint8_t* dst, const uint8_t* src, int count, const uint8_t*) {
    if (format == ImageFormat::Dxt1) {
        for (int i = 0; i < count; ++i)
            Store64(dst + 8 * i, FlipColourRows(Load64(src + 8 * i)));
        return;
    }
    const bool dxt3 = format == ImageFormat::Dxt3;
    for (int i = 0; i < count; ++i, dst += 16, src += 16) {
        const uint64_t alpha = Load64(src), colour = Load64(src + 8);
        Store64(dst, dxt3 ? FlipExplicitAlphaRows(alpha) : FlipInterpolatedAlphaRows(alpha));
        Store64(dst + 8, FlipColourRows(colour));
    }
}

void CopyFlippedBlocks(ImageFormat format, uint8_t* dst, const uint8_t* src, int count) {
    static const FlipCopy copy = FastestFlipCopy();
    copy(format, dst, src, count, nullptr);
}

// The writes run forward through dst and the reads jump back a row at a time,
// the next row read ahead: in this order the copy keeps up with a plain one.
void CopyFlippedSurface(ImageFormat format, uint8_t* dst, const uint8_t* src, int across, int down) {
    static const FlipCopy copy = FastestFlipCopy();
    const size_t pitch = size_t(across) * (format == ImageFormat::Dxt1 ? 8 : 16);
    for (int row = 0; row < down; ++row) {
        const uint8_t* from = src + size_t(down - 1 - row) * pitch;
        copy(format, dst + size_t(row) * pitch, from, across, row + 1 < down ? from - pitch : nullptr);
    }
}

}  // namespace tovan::dxt

// Vertical flip of every level, face and slice. Block formats move whole
// block rows and then reverse the texel rows inside each block.
#include "core/log.h"
#include "io/image/dxt.h"
#include "io/image/image.h"
#include "io/image/ops.h"

#include <algorithm>
#include <vector>

namespace tovan {

namespace {

void SwapRows(uint8_t* data, size_t pitch, int rows) {
    for (int i = 0, j = rows - 1; i < j; ++i, --j)
        std::swap_ranges(data + size_t(i) * pitch, data + size_t(i + 1) * pitch, data + size_t(j) * pitch);
}

// A level whose height is above 4 and not a multiple of 4 (a lower level of a
// 12-high image is 6 high): rows would have to move between blocks, so the
// surface is decoded, flipped and encoded again.
void RepackSurface(ImageFormat format, uint8_t* blocks, int w, int h) {
    const ImageFormat plain = DecodedFormat(format);
    const size_t pitch = size_t(w) * GetImageFormatInfo(plain)->texelBytes;
    std::vector<uint8_t> texels(pitch * size_t(h));
    dxt::DecodeSurface(format, blocks, w, h, texels.data());
    SwapRows(texels.data(), pitch, h);
    dxt::EncodeSurface(format, plain, texels.data(), w, h, blocks);
}

void FlipBlockSurface(ImageFormat format, uint8_t* blocks, int w, int h) {
    if (h > 4 && h % 4 != 0) {
        RepackSurface(format, blocks, w, h);
        return;
    }
    const int blockBytes = GetImageFormatInfo(format)->blockBytes;
    const int across = (w + 3) / 4, down = (h + 3) / 4;
    SwapRows(blocks, size_t(across) * blockBytes, down);
    if (h >= 4) {
        dxt::CopyFlippedBlocks(format, blocks, blocks, across * down);
        return;
    }
    for (int i = 0; i < across; ++i)
        dxt::FlipBlockRows(format, blocks + size_t(i) * blockBytes, h);
}

}  // namespace

bool cImage::FlipVertical() {
    ImageLayout layout;
    if (!GetLayout(layout) || IsPvrFormat(m_Format))
        return false;
    const bool blocks = IsDxtFormat(m_Format);
    // Only level 0 refuses; lower levels of such heights are repacked.
    if (blocks && m_Height > 4 && m_Height % 4 != 0) {
        Warning("Compressed images must have dimensions that are multiples of 4");
        return false;
    }
    if (GetTextureType() == TextureType::Texture1D)
        return true;
    const ImageFormatInfo& info = *GetImageFormatInfo(m_Format);
    uint8_t* base = m_Data.Data();
    ForEachSurface(layout, layout, [&](const ImageLevel& level, int64_t, int64_t at) {
        if (blocks)
            FlipBlockSurface(m_Format, base + at, level.width, level.height);
        else
            SwapRows(base + at, size_t(level.width) * info.texelBytes, level.height);
    });
    return true;
}

}  // namespace tovan

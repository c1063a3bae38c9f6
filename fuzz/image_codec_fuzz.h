// The shared body of the image decoder fuzz targets: any bytes either fail
// cleanly (image cleared) or decode; a decoded image that the codec stores
// must encode and decode again to the same image.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "io/codecs/image_codec.h"

namespace tovan::fuzz {

inline bool SameImage(const cImage& a, const cImage& b) {
    return a.m_Width == b.m_Width && a.m_Height == b.m_Height && a.m_Depth == b.m_Depth && a.m_Format == b.m_Format &&
           a.m_Mips == b.m_Mips && a.m_Data.Count() == b.m_Data.Count() &&
           (a.m_Data.Count() == 0 || std::memcmp(a.m_Data.Data(), b.m_Data.Data(), size_t(a.m_Data.Count())) == 0);
}

// Block levels higher than 4 whose height is not a multiple of 4 are flipped
// by re-encoding their texels, so their bytes need not come back unchanged.
inline bool FlipIsExact(const cImage& image) {
    if (!IsDxtFormat(image.m_Format) || image.GetTextureType() != TextureType::Texture2D)
        return true;
    for (int k = 0; k < image.m_Mips; ++k) {
        const int h = image.m_Height >> k > 1 ? image.m_Height >> k : 1;
        if (h > 4 && h % 4 != 0)
            return false;
    }
    return true;
}

inline int DecodeAndRoundTrip(const cIO::ImageCodec& codec, const uint8_t* data, size_t size) {
    cStream in;
    in.m_Bytes.AppendRange(data, int(size));
    cImage image;
    if (!codec.Decode(in, image)) {
        if (image.m_Format != ImageFormat::None || image.m_Data.Count() != 0)
            std::abort();  // a failed decode must leave the image cleared
        return 0;
    }
    if (image.LevelCount() != image.m_Mips)
        std::abort();  // the record must be whole and its count the level rule's
    cStream out;
    if (!codec.Encode(image, out))
        return 0;
    cImage again;
    out.m_Position = 0;
    if (!codec.Decode(out, again) ||
        (again.m_Format == image.m_Format && FlipIsExact(image) && !SameImage(image, again)))
        std::abort();
    return 0;
}

}  // namespace tovan::fuzz

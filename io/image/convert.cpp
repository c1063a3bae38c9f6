// Channel operations on uncompressed images: format conversion through four
// floats, dropping alpha and inverting green.
#include "io/image/image.h"
#include "io/image/texel.h"

#include <cstring>

namespace tovan {

namespace {

const ImageFormatInfo* UncompressedInfo(ImageFormat format) {
    return IsUncompressedFormat(format) ? GetImageFormatInfo(format) : nullptr;
}

// Clamped to [0, 1]; NaN becomes 0.
float Unit(float v) { return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f; }

float ReadNormalised(ComponentType type, const uint8_t* p) {
    switch (type) {
    case ComponentType::Byte: return float(*p) * (1.0f / 255.0f);
    case ComponentType::Short: return float(LoadU16(p)) * (1.0f / 65535.0f);
    case ComponentType::Half: return HalfToFloat(LoadU16(p));
    default: return LoadF32(p);
    }
}

void WriteNormalised(ComponentType type, uint8_t* p, float v) {
    switch (type) {
    case ComponentType::Byte: *p = uint8_t(Unit(v) * 255.0f + 0.5f); break;
    case ComponentType::Short: StoreU16(p, uint16_t(Unit(v) * 65535.0f + 0.5f)); break;
    case ComponentType::Half: StoreU16(p, FloatToHalf(v)); break;
    default: StoreF32(p, v); break;
    }
}

}  // namespace

bool cImage::ConvertFormat(ImageFormat target) {
    const ImageFormatInfo* from = UncompressedInfo(m_Format);
    const ImageFormatInfo* to = UncompressedInfo(target);
    ImageLayout source, layout;
    if (!from || !to || !GetLayout(source))
        return false;
    if (target == m_Format)
        return true;
    if (!layout.Init(target, m_Width, m_Height, m_Depth, m_Mips))
        return false;

    const int64_t texels = source.Size() / from->texelBytes;
    cList<uint8_t> data;
    data.Resize(layout.Size());
    const uint8_t* src = m_Data.Data();
    uint8_t* dst = data.Data();
    if (m_Format == ImageFormat::Rgb8 && target == ImageFormat::Rgba8) {
        for (int64_t i = 0; i < texels; ++i, src += 3, dst += 4) {
            std::memcpy(dst, src, 3);
            dst[3] = 255;
        }
    } else {
        const int srcStep = texel::ComponentBytes(*from), dstStep = texel::ComponentBytes(*to);
        for (int64_t i = 0; i < texels; ++i, src += from->texelBytes, dst += to->texelBytes) {
            float c[4] = {0.0f, 0.0f, 0.0f, 1.0f};
            for (int k = 0; k < from->components; ++k)
                c[k] = ReadNormalised(from->type, src + k * srcStep);
            if (from->components == 2)
                c[3] = c[1];
            if (from->components <= 2)
                c[1] = c[2] = c[0];
            if (to->components == 1) {
                c[0] = 0.2125f * c[0] + 0.7154f * c[1] + 0.0721f * c[2];
            } else if (to->components == 2) {
                c[1] = c[3];  // two components are luminance and alpha, as they are read
            }
            for (int k = 0; k < to->components; ++k)
                WriteNormalised(to->type, dst + k * dstStep, c[k]);
        }
    }
    Replace(data, target, m_Width, m_Height, m_Depth, m_Mips);
    return true;
}

bool cImage::DropAlpha() {
    const ImageFormatInfo* info = UncompressedInfo(m_Format);
    ImageLayout layout;
    if (!info || !GetLayout(layout))
        return false;
    if (info->components < 4)
        return true;
    const ImageFormat target = ImageFormat(int(m_Format) - 1);
    const int from = info->texelBytes, to = GetImageFormatInfo(target)->texelBytes;
    const int64_t texels = layout.Size() / from;
    cList<uint8_t> data;
    data.Resize(int(texels * to));
    const uint8_t* src = m_Data.Data();
    uint8_t* dst = data.Data();
    for (int64_t i = 0; i < texels; ++i, src += from, dst += to)
        std::memcpy(dst, src, size_t(to));
    Replace(data, target, m_Width, m_Height, m_Depth, m_Mips);
    return true;
}

bool cImage::InvertGreen() {
    const ImageFormatInfo* info = UncompressedInfo(m_Format);
    ImageLayout layout;
    if (!info || info->components < 2 || !GetLayout(layout))
        return false;
    const int step = texel::ComponentBytes(*info);
    uint8_t* end = m_Data.Data() + layout.Size();
    for (uint8_t* p = m_Data.Data() + step; p < end; p += info->texelBytes) {
        switch (info->type) {
        case ComponentType::Byte: *p = uint8_t(255 - *p); break;
        case ComponentType::Short: StoreU16(p, uint16_t(65535 - LoadU16(p))); break;
        case ComponentType::Half: StoreU16(p, FloatToHalf(1.0f - HalfToFloat(LoadU16(p)))); break;
        default: StoreF32(p, 1.0f - LoadF32(p)); break;
        }
    }
    return true;
}

}  // namespace tovan

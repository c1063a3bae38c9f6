// cImage: the framework's in-memory picture. One pixel format, an optional mip
// chain, cube faces or volume slices, all levels packed in one byte list:
// level after level, within a level the six faces (cube) or the slices (volume).
// 2-D images hold their bottom row first; cube faces and volume slices keep the
// DDS order (top row first). Texels run left to right, components R, G, B, A.
//
// Operations refuse (false, record unchanged) before they change anything: a
// format without bytes, sides below 1, a negative mip count, a size beyond
// 2^31 - 1 bytes or data that does not match the fields.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "io/image/format.h"

namespace tovan {

class cImage {
public:
    int32_t m_Width = 0;  // level 0
    int32_t m_Height = 0;
    int32_t m_Depth = 0;  // 0 cube (six faces), 1 one- or two-dimensional, > 1 volume slices
    ImageFormat m_Format = ImageFormat::None;
    int32_t m_Mips = 0;  // levels stored; 0 only in a cleared record
    cList<uint8_t> m_Data;

    cImage() = default;
    cImage(const cImage&) = delete;  // use Copy
    cImage& operator=(const cImage&) = delete;
    cImage(cImage&& other) noexcept;
    cImage& operator=(cImage&& other) noexcept;

    void Clear();
    // Stores the fields as given and sizes the data for them (sides raised to
    // at least 1); the bytes are zero. False, and the record cleared, when the
    // format has no bytes, mips is negative or the size does not fit.
    bool Allocate(ImageFormat format, int width, int height, int depth, int mips);
    // As Allocate, but the bytes are left unset: only for a caller that writes
    // every byte of the layout, or clears the record when it cannot.
    bool AllocateUnset(ImageFormat format, int width, int height, int depth, int mips);
    void Copy(const cImage& source);  // fields and bytes as the source holds them

    // Bytes of the first `mips` levels (0 when mips < 1); -1 for a format
    // without bytes or a size beyond 2^31 - 1.
    static int32_t DataSize(ImageFormat format, int width, int height, int depth, int mips);
    // Texels of the first `mips` levels, six times for a cube; -1 past 2^31 - 1.
    int32_t PixelCount(int mips) const;
    TextureType GetTextureType() const;

    // Levels in use (the stored count clamped to the chain); 0 when refused.
    int LevelCount() const;
    // The level walk of this record; false when operations would refuse it.
    bool GetLayout(ImageLayout& layout) const;
    uint8_t* LevelData(int level, int face = 0);  // null when out of range or refused
    const uint8_t* LevelData(int level, int face = 0) const;

    bool DropAlpha();
    bool InvertGreen();
    bool HeightToNormalMap(float strength);
    bool GenerateMips();
    bool DropMips();    // keeps level 0 (all faces)
    bool Decompress();  // Dxt to Rgb8 / Rgba8; PVR data is refused
    bool Compress();    // R8, Rgb8 to Dxt1; Rgba8 to Dxt5; other formats stay
    bool FlipVertical();
    bool ConvertFormat(ImageFormat target);
    bool ResizeToPowerOfTwo();

private:
    using SurfaceCoder = void (*)(ImageFormat from, ImageFormat to, const uint8_t* src, int w, int h, uint8_t* dst);
    // Turns every surface (level, face, slice) into `format` with `mips` levels
    // through code; false when the new block would not fit.
    bool Recode(ImageFormat format, int mips, SurfaceCoder code);
    // Stores a finished pixel block and the fields that describe it.
    void Replace(cList<uint8_t>& data, ImageFormat format, int width, int height, int depth, int mips);
};

}  // namespace tovan

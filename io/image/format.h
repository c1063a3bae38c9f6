// Pixel formats of images, their per-format tables and the walk over the stored
// levels (sides, offsets and sizes) that every image operation and codec shares.
#pragma once
#include <cstdint>

namespace tovan {

// clang-format off
enum class ImageFormat : int32_t {
    None = 0,
    R8, Rg8, Rgb8, Rgba8,
    R16, Rg16, Rgb16, Rgba16,
    R16f, Rg16f, Rgb16f, Rgba16f,
    R32f, Rg32f, Rgb32f, Rgba32f,
    Depth16, Depth24, Depth24Stencil8,
    Dxt1, Dxt3, Dxt5,
    Pvr4Rgb, Pvr4Rgba,
};
// clang-format on

enum class TextureType : int32_t { None = 0, Texture1D, Texture2D, Texture3D, Cube };

// How one component is stored.
enum class ComponentType : uint8_t { None, Byte, Short, Half, Float, Depth, Block };

struct ImageFormatInfo {
    const char* name;  // null when the name table has no entry
    int components;
    int texelBytes;  // 0 for depth and block formats
    int blockBytes;  // bytes per 4x4 block, 0 for texel formats
    ComponentType type;
};

// Null for None, negative values and values past Pvr4Rgba.
const ImageFormatInfo* GetImageFormatInfo(ImageFormat format);

inline bool IsUncompressedFormat(ImageFormat f) { return f >= ImageFormat::R8 && f <= ImageFormat::Rgba32f; }
inline bool IsBlockFormat(ImageFormat f) { return f >= ImageFormat::Dxt1 && f <= ImageFormat::Pvr4Rgba; }
inline bool IsDxtFormat(ImageFormat f) { return f >= ImageFormat::Dxt1 && f <= ImageFormat::Dxt5; }
inline bool IsPvrFormat(ImageFormat f) { return f == ImageFormat::Pvr4Rgb || f == ImageFormat::Pvr4Rgba; }

// "None" .. "Dxt5"; null for the PVR formats and values outside the table.
const char* ImageFormatName(ImageFormat format);
bool FindImageFormat(const char* name, ImageFormat& out);  // false when no entry has the name
const char* TextureTypeName(TextureType type);             // null outside the table

// Levels from the given sides down to 1 x 1 x 1 (sides below 1 count as 1).
int MipChainLength(int width, int height, int depth);
// A stored mip count clamped to [1, chain length]; -1 for a negative count.
int LevelCount(int width, int height, int depth, int mips);

constexpr int kMaxImageLevels = 32;  // the chain of a 2^31-texel side

struct ImageLevel {
    int width, height;
    int slices;        // depth of the level for volumes, 1 otherwise
    int32_t offset;    // from the start of the data block
    int32_t size;      // all faces of the level
    int32_t faceSize;  // one face (the whole level unless a cube)
};

// The stored levels of an image: sides are raised to at least 1, depth 0 means
// six cube faces, a negative depth counts as 1, mips go through LevelCount.
class ImageLayout {
public:
    // False for a format without byte size, a negative mip count or a total
    // beyond 2^31 - 1 bytes; the layout is then empty.
    bool Init(ImageFormat format, int width, int height, int depth, int mips);

    int Levels() const { return m_Levels; }
    int Faces() const { return m_Faces; }
    int32_t Size() const { return m_Size; }
    const ImageLevel& Level(int k) const { return m_Level[k]; }

private:
    int m_Levels = 0;
    int m_Faces = 0;
    int32_t m_Size = 0;
    ImageLevel m_Level[kMaxImageLevels] = {};
};

}  // namespace tovan

#include "io/image/format.h"

#include <algorithm>
#include <cstring>

namespace tovan {

namespace {

using CT = ComponentType;

constexpr ImageFormatInfo kFormats[] = {
    {"None", 0, 0, 0, CT::None},      {"R8", 1, 1, 0, CT::Byte},
    {"Rg8", 2, 2, 0, CT::Byte},       {"Rgb8", 3, 3, 0, CT::Byte},
    {"Rgba8", 4, 4, 0, CT::Byte},     {"R16", 1, 2, 0, CT::Short},
    {"Rg16", 2, 4, 0, CT::Short},     {"Rgb16", 3, 6, 0, CT::Short},
    {"Rgba16", 4, 8, 0, CT::Short},   {"R16f", 1, 2, 0, CT::Half},
    {"Rg16f", 2, 4, 0, CT::Half},     {"Rgb16f", 3, 6, 0, CT::Half},
    {"Rgba16f", 4, 8, 0, CT::Half},   {"R32f", 1, 4, 0, CT::Float},
    {"Rg32f", 2, 8, 0, CT::Float},    {"Rgb32f", 3, 12, 0, CT::Float},
    {"Rgba32f", 4, 16, 0, CT::Float}, {"Depth16", 1, 0, 0, CT::Depth},
    {"Depth24", 1, 0, 0, CT::Depth},  {"Depth24Stencil8", 1, 0, 0, CT::Depth},
    {"Dxt1", 3, 0, 8, CT::Block},     {"Dxt3", 4, 0, 16, CT::Block},
    {"Dxt5", 4, 0, 16, CT::Block},    {nullptr, 3, 0, 8, CT::Block},
    {nullptr, 4, 0, 8, CT::Block},
};
constexpr int kFormatCount = int(sizeof kFormats / sizeof kFormats[0]);

constexpr const char* kTextureTypeNames[] = {"None", "1D", "2D", "3D", "Cube"};

constexpr int64_t kMaxSize = INT32_MAX;
constexpr int kPvrMinLevelBytes = 32;

int BitCount(uint32_t v) {
    int n = 0;
    for (; v; v >>= 1)
        ++n;
    return n;
}

// a * b, or -1 once the product passes kMaxSize (both factors are at most kMaxSize).
int64_t CheckedMul(int64_t a, int64_t b) {
    if (a < 0 || b < 0)
        return -1;
    int64_t p = a * b;
    return p > kMaxSize ? -1 : p;
}

}  // namespace

const ImageFormatInfo* GetImageFormatInfo(ImageFormat format) {
    int i = int(format);
    if (i <= 0 || i >= kFormatCount)
        return nullptr;
    return &kFormats[i];
}

const char* ImageFormatName(ImageFormat format) {
    int i = int(format);
    return i >= 0 && i < kFormatCount ? kFormats[i].name : nullptr;
}

bool FindImageFormat(const char* name, ImageFormat& out) {
    if (!name)
        return false;
    for (int i = 0; i < kFormatCount; ++i) {
        if (kFormats[i].name && std::strcmp(kFormats[i].name, name) == 0) {
            out = ImageFormat(i);
            return true;
        }
    }
    return false;
}

const char* TextureTypeName(TextureType type) {
    int i = int(type);
    return i >= 0 && i < 5 ? kTextureTypeNames[i] : nullptr;
}

int MipChainLength(int width, int height, int depth) {
    int side = std::max({width, height, depth, 1});
    return BitCount(uint32_t(side));
}

int LevelCount(int width, int height, int depth, int mips) {
    if (mips < 0)
        return -1;
    return std::clamp(mips, 1, MipChainLength(width, height, depth));
}

bool ImageLayout::Init(ImageFormat format, int width, int height, int depth, int mips) {
    *this = ImageLayout();
    const ImageFormatInfo* info = GetImageFormatInfo(format);
    if (!info || (info->texelBytes == 0 && info->blockBytes == 0))
        return false;
    int w = std::max(width, 1), h = std::max(height, 1);
    int d = depth == 0 ? 1 : std::max(depth, 1);
    int faces = depth == 0 ? 6 : 1;
    int levels = LevelCount(w, h, d, mips);
    if (levels < 0)
        return false;

    int64_t offset = 0;
    for (int k = 0; k < levels; ++k) {
        int lw = std::max(1, w >> k), lh = std::max(1, h >> k), ld = std::max(1, d >> k);
        int64_t face;
        if (info->blockBytes) {
            // Whole blocks, rounded up in 64 bits: a side near 2^31 must not wrap.
            const int64_t across = (int64_t(lw) + 3) / 4, down = (int64_t(lh) + 3) / 4;
            face = CheckedMul(CheckedMul(across, down), CheckedMul(ld, info->blockBytes));
            if (IsPvrFormat(format) && face >= 0)
                face = std::max<int64_t>(face, kPvrMinLevelBytes);
        } else {
            face = CheckedMul(CheckedMul(lw, lh), CheckedMul(ld, info->texelBytes));
        }
        int64_t size = CheckedMul(face, faces);
        if (size < 0 || offset + size > kMaxSize)
            return false;
        m_Level[k] = {lw, lh, ld, int32_t(offset), int32_t(size), int32_t(face)};
        offset += size;
    }
    m_Levels = levels;
    m_Faces = faces;
    m_Size = int32_t(offset);
    return true;
}

}  // namespace tovan

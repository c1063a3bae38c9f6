#include "io/image/image.h"

#include "io/image/ops.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tovan {

cImage::cImage(cImage&& other) noexcept { *this = std::move(other); }

cImage& cImage::operator=(cImage&& other) noexcept {
    if (this != &other) {
        m_Width = other.m_Width;
        m_Height = other.m_Height;
        m_Depth = other.m_Depth;
        m_Format = other.m_Format;
        m_Mips = other.m_Mips;
        m_Data = std::move(other.m_Data);
        other.Clear();
    }
    return *this;
}

void cImage::Clear() {
    m_Data.Free();
    m_Width = m_Height = m_Depth = m_Mips = 0;
    m_Format = ImageFormat::None;
}

bool cImage::Allocate(ImageFormat format, int width, int height, int depth, int mips) {
    if (!AllocateUnset(format, width, height, depth, mips))
        return false;
    if (m_Data.Count() > 0)
        std::memset(m_Data.Data(), 0, size_t(m_Data.Count()));
    return true;
}

bool cImage::AllocateUnset(ImageFormat format, int width, int height, int depth, int mips) {
    ImageLayout layout;
    Clear();
    if (!layout.Init(format, width, height, depth, mips))
        return false;
    m_Data.ResizeUnset(int(layout.Size()));
    m_Width = width;
    m_Height = height;
    m_Depth = depth;
    m_Format = format;
    m_Mips = mips;
    return true;
}

void cImage::Copy(const cImage& source) {
    if (this == &source)
        return;
    Clear();
    m_Width = source.m_Width;
    m_Height = source.m_Height;
    m_Depth = source.m_Depth;
    m_Format = source.m_Format;
    m_Mips = source.m_Mips;
    m_Data = source.m_Data;
}

int32_t cImage::DataSize(ImageFormat format, int width, int height, int depth, int mips) {
    ImageLayout layout;
    if (!layout.Init(format, width, height, depth, std::max(mips, 1)))
        return -1;
    return mips < 1 ? 0 : layout.Size();
}

int32_t cImage::PixelCount(int mips) const {
    if (mips < 1)
        return 0;
    // The walk of a one-byte format counts texels.
    ImageLayout layout;
    if (!layout.Init(ImageFormat::R8, m_Width, m_Height, m_Depth, mips))
        return -1;
    return layout.Size();
}

TextureType cImage::GetTextureType() const {
    if (m_Depth == 0)
        return TextureType::Cube;
    if (m_Depth > 1)
        return TextureType::Texture3D;
    if (m_Depth < 0 || m_Height < 1)
        return TextureType::None;
    return m_Height == 1 ? TextureType::Texture1D : TextureType::Texture2D;
}

bool cImage::GetLayout(ImageLayout& layout) const {
    if (m_Width < 1 || m_Height < 1 || m_Depth < 0)
        return false;
    if (!layout.Init(m_Format, m_Width, m_Height, m_Depth, m_Mips))
        return false;
    return m_Data.Count() == layout.Size();
}

int cImage::LevelCount() const {
    ImageLayout layout;
    return GetLayout(layout) ? layout.Levels() : 0;
}

const uint8_t* cImage::LevelData(int level, int face) const {
    ImageLayout layout;
    if (!GetLayout(layout) || level < 0 || level >= layout.Levels() || face < 0 || face >= layout.Faces())
        return nullptr;
    const ImageLevel& l = layout.Level(level);
    return m_Data.Data() + l.offset + int64_t(face) * l.faceSize;
}

uint8_t* cImage::LevelData(int level, int face) {
    return const_cast<uint8_t*>(static_cast<const cImage*>(this)->LevelData(level, face));
}

void cImage::Replace(cList<uint8_t>& data, ImageFormat format, int width, int height, int depth, int mips) {
    m_Data = std::move(data);
    m_Format = format;
    m_Width = width;
    m_Height = height;
    m_Depth = depth;
    m_Mips = mips;
}

bool cImage::Recode(ImageFormat format, int mips, SurfaceCoder code) {
    ImageLayout layout, target;
    if (!GetLayout(layout) || !target.Init(format, m_Width, m_Height, m_Depth, mips))
        return false;
    cList<uint8_t> data;
    data.Resize(target.Size());
    const uint8_t* src = m_Data.Data();
    uint8_t* dst = data.Data();
    ForEachSurface(layout, target, [&](const ImageLevel& level, int64_t from, int64_t to) {
        code(m_Format, format, src + from, level.width, level.height, dst + to);
    });
    Replace(data, format, m_Width, m_Height, m_Depth, mips);
    return true;
}

bool cImage::DropMips() {
    ImageLayout layout;
    if (!GetLayout(layout))
        return false;
    if (m_Mips <= 1)
        return true;
    const int32_t size = layout.Level(0).size;
    cList<uint8_t> data;
    data.Resize(size);
    std::memcpy(data.Data(), m_Data.Data(), size_t(size));
    Replace(data, m_Format, m_Width, m_Height, m_Depth, 1);
    return true;
}

}  // namespace tovan

// DDS: a 128-byte header, then the levels. Cube maps are stored face by face
// (all levels of a face); everything else level by level. 2-D images are
// stored top row first and held bottom row first, so they are flipped.
#include <cstring>

#include "io/codecs/codec_support.h"
#include "io/codecs/image_codec.h"
#include "io/image/dxt.h"

namespace tovan {

namespace {

constexpr uint32_t kMagic = 0x20534444;  // "DDS "
constexpr int kHeaderBytes = 128;
constexpr uint32_t kCubeMap = 0x200;

constexpr uint32_t FourCC(const char (&code)[5]) {
    return uint32_t(code[0]) | uint32_t(code[1]) << 8 | uint32_t(code[2]) << 16 | uint32_t(code[3]) << 24;
}

struct DdsFormat {
    ImageFormat format;
    uint32_t code;   // four-character code, or a Direct3D format number
    uint32_t flags;  // pixel format flags
    uint32_t bits;
    uint32_t masks[4];  // red, green, blue, alpha
};

// Both directions. Reading goes by code first, then (no known code) by bit count.
const DdsFormat kFormats[] = {
    {ImageFormat::R8, 0, 0x20000, 8, {0xFF, 0, 0, 0}},
    {ImageFormat::Rg8, 0, 0x20001, 16, {0xFF, 0xFF00, 0xFF, 0xFF00}},
    {ImageFormat::Rgb8, 0, 0x40, 24, {0xFF0000, 0xFF00, 0xFF, 0}},
    {ImageFormat::Rgba8, 0, 0x41, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
    {ImageFormat::R16, 0, 0x20000, 16, {0xFFFF, 0, 0, 0}},
    {ImageFormat::Rg16, 34, 0x4, 0, {}},
    {ImageFormat::Rgba16, 36, 0x4, 0, {}},
    {ImageFormat::R16f, 111, 0x4, 0, {}},
    {ImageFormat::Rg16f, 112, 0x4, 0, {}},
    {ImageFormat::Rgba16f, 113, 0x4, 0, {}},
    {ImageFormat::R32f, 114, 0x4, 0, {}},
    {ImageFormat::Rg32f, 115, 0x4, 0, {}},
    {ImageFormat::Rgba32f, 116, 0x4, 0, {}},
    {ImageFormat::Dxt1, FourCC("DXT1"), 0x4, 0, {}},
    {ImageFormat::Dxt3, FourCC("DXT3"), 0x4, 0, {}},
    {ImageFormat::Dxt5, FourCC("DXT5"), 0x4, 0, {}},
};

const DdsFormat* FindByFormat(ImageFormat format) {
    for (const DdsFormat& f : kFormats)
        if (f.format == format)
            return &f;
    return nullptr;
}

constexpr uint32_t kAlphaPixels = 0x1;  // pixel format flags
constexpr uint32_t kRgb = 0x40;
// The flags of the layouts read by bit count: alpha pixels, alpha only, RGB,
// luminance, and the hint that colour data holds normals, which leaves its
// layout as the masks say. Any other (four-character code, palette, bump-map,
// YUV, ...) says the bytes mean something else.
constexpr uint32_t kPlainFlags = 0x1 | 0x2 | kRgb | 0x20000 | 0x80000000;

// Colour data is read in byte layouts only: red, green and blue masks of a
// whole byte each, red and blue either way round (or no masks at all).
bool ByteMasks(const uint8_t* header) {
    const uint32_t red = LoadU32(header + 92), green = LoadU32(header + 96), blue = LoadU32(header + 100);
    if (red == 0 && green == 0 && blue == 0)
        return true;
    return green == 0xFF00 && ((red == 0xFF0000 && blue == 0xFF) || (red == 0xFF && blue == 0xFF0000));
}

bool WholeByte(uint32_t mask) { return mask == 0xFF || mask == 0xFF00 || mask == 0xFF0000 || mask == 0xFF000000; }

// Every mask that lies within the texel is one the bit count reads right: a
// whole byte, and for 16-bit texels only luminance (0xFFFF) or luminance and
// alpha (0xFF, 0xFF00). Masks past the texel are ignored, as an 8-bit
// luminance file's often is.
bool PlainMasks(const uint8_t* header, uint32_t bits) {
    const bool lumAlpha = LoadU32(header + 104) == 0xFF00;
    for (int i = 0; i < 4; ++i) {
        const uint32_t mask = LoadU32(header + 92 + 4 * i);
        if (mask == 0 || (bits < 32 && mask >> bits != 0))
            continue;
        const bool plain =
            bits != 16 ? WholeByte(mask) : mask == 0xFFFF || (lumAlpha && (mask == 0xFF || mask == 0xFF00));
        if (!plain)
            return false;
    }
    return true;
}

// The format of a header; None when it has none the codec reads. An extended
// ("DX10") header is refused: its 20 further bytes would shift the pixels.
// Codes it does not know (other block formats), flags of other kinds of data
// and colour layouts other than whole bytes (5:6:5, 1:5:5:5, 4:4:4:4, 3:3:2,
// 10:10:10:2, 16:16, 4:4 luminance and alpha) are refused rather than shown
// as something else.
ImageFormat FormatOf(const uint8_t* header) {
    const uint32_t flags = LoadU32(header + 80), code = LoadU32(header + 84);
    if (code == FourCC("DX10"))
        return ImageFormat::None;
    for (const DdsFormat& f : kFormats)
        if (f.code != 0 && f.code == code)
            return f.format;
    const uint32_t bits = LoadU32(header + 88);
    if ((flags & ~kPlainFlags) || ((flags & kRgb) && (bits < 24 || !ByteMasks(header))) || !PlainMasks(header, bits))
        return ImageFormat::None;
    switch (bits) {
    case 8: return ImageFormat::R8;
    case 16: return LoadU32(header + 104) == 0xFF00 ? ImageFormat::Rg8 : ImageFormat::R16;
    case 24: return ImageFormat::Rgb8;
    case 32: return ImageFormat::Rgba8;
    default: return ImageFormat::None;
    }
}

// 32-bit texels whose fourth byte the pixel format leaves unused (no alpha
// flag, no alpha mask) are opaque.
bool FillsAlpha(ImageFormat format, const uint8_t* header) {
    return format == ImageFormat::Rgba8 && !(LoadU32(header + 80) & kAlphaPixels) && LoadU32(header + 104) == 0;
}

bool StoredBlueFirst(ImageFormat format, uint32_t blueMask) {
    return (format == ImageFormat::Rgb8 || format == ImageFormat::Rgba8) && blueMask == 0xFF;
}

// A block image whose height is above 4 and not a multiple of 4 cannot be
// flipped block-wise without re-encoding; such 2-D images are refused rather
// than held upside down.
bool CanFlip(ImageFormat format, int height) { return !IsDxtFormat(format) || height <= 4 || height % 4 == 0; }

bool NeedsFlip(int depth, int height) { return depth == 1 && height > 1; }

// Lower levels of such a height (6 in a 12-high chain) are re-encoded by the
// image record's own flip; every other image is flipped while it is copied.
bool FlipsWhileCopying(const ImageLayout& layout, ImageFormat format) {
    for (int k = 0; k < layout.Levels(); ++k)
        if (!CanFlip(format, layout.Level(k).height))
            return false;
    return true;
}

// Calls copy(level, face) in the file's order: face-major for cube maps,
// level-major otherwise (one piece per level, all its slices).
template <class Copy>
void ForEachStoredPiece(const ImageLayout& layout, Copy copy) {
    if (layout.Faces() == 6) {
        for (int face = 0; face < 6; ++face)
            for (int k = 0; k < layout.Levels(); ++k)
                copy(layout.Level(k), face);
    } else {
        for (int k = 0; k < layout.Levels(); ++k)
            copy(layout.Level(k), 0);
    }
}

// One stored piece (a level, or one face of a cube level) from src to dst,
// between file and record order: rows reversed when flip is set (2-D levels
// only), blue and red swapped when swap is set. Both are their own inverse,
// so the same copy serves reading and writing.
void CopyPiece(uint8_t* dst, const uint8_t* src, const ImageLevel& level, ImageFormat format, bool flip, bool swap) {
    const ImageFormatInfo& info = *GetImageFormatInfo(format);
    if (!flip && !swap) {
        std::memcpy(dst, src, size_t(level.faceSize));
        return;
    }
    if (!info.blockBytes) {
        const int rows = level.faceSize / (level.width * info.texelBytes);  // all slices
        const size_t pitch = size_t(level.width) * info.texelBytes;
        for (int row = 0; row < rows; ++row) {
            uint8_t* to = dst + (flip ? rows - 1 - row : row) * pitch;
            if (swap)
                codec::SwapRedBlue(to, src + row * pitch, level.width, info.texelBytes);
            else
                std::memcpy(to, src + row * pitch, pitch);
        }
        return;
    }
    const int across = (level.width + 3) / 4, down = (level.height + 3) / 4;
    if (level.height >= 4) {
        dxt::CopyFlippedSurface(format, dst, src, across, down);
        return;
    }
    // One block row holding fewer than four texel rows.
    std::memcpy(dst, src, size_t(across) * info.blockBytes);
    for (int i = 0; i < across; ++i)
        dxt::FlipBlockRows(format, dst + i * info.blockBytes, level.height);
}

bool Read(cReader& in, cImage& out) {
    const uint8_t* header = in.Take(kHeaderBytes);
    if (!header || LoadU32(header) != kMagic)
        return false;
    const int height = LoadI32(header + 12), width = LoadI32(header + 16);
    const int storedDepth = LoadI32(header + 24), storedMips = LoadI32(header + 28);
    const int depth = (LoadU32(header + 112) & kCubeMap) ? 0 : (storedDepth == 0 ? 1 : storedDepth);
    const int mips = storedMips == 0 ? 1 : storedMips;
    const ImageFormat format = FormatOf(header);
    if (format == ImageFormat::None || (NeedsFlip(depth, height) && !CanFlip(format, height)))
        return false;

    const int64_t size = codec::DecodedSize(format, width, height, depth, mips);
    // Every stored piece is present (checked just above) and copied whole.
    if (size < 0 || !in.Fits(size, 1) || !codec::AllocateDecoded(out, format, width, height, depth, mips))
        return false;
    ImageLayout layout;
    out.GetLayout(layout);
    const bool flip = NeedsFlip(depth, height), flipNow = flip && FlipsWhileCopying(layout, format);
    const bool swap = StoredBlueFirst(format, LoadU32(header + 100));
    uint8_t* data = out.m_Data.Data();
    ForEachStoredPiece(layout, [&](const ImageLevel& level, int face) {
        if (const uint8_t* src = in.Take(level.faceSize))
            CopyPiece(data + level.offset + int64_t(face) * level.faceSize, src, level, format, flipNow, swap);
    });
    if (FillsAlpha(format, header))
        codec::SetOpaque(data, layout.Size() / 4);
    return in.Ok() && (!flip || flipNow || out.FlipVertical());
}

void WriteHeader(uint8_t* h, const cImage& image, const DdsFormat& f, int mips) {
    std::memset(h, 0, kHeaderBytes);
    const int depth = image.m_Depth;
    StoreU32(h, kMagic);
    StoreU32(h + 4, 124);
    StoreU32(h + 8, 0x1007 | (mips > 1 ? 0x20000 : 0) | (depth > 1 ? 0x800000 : 0));
    StoreU32(h + 12, uint32_t(image.m_Height));
    StoreU32(h + 16, uint32_t(image.m_Width));
    StoreU32(h + 24, uint32_t(depth > 1 ? depth : 0));
    StoreU32(h + 28, uint32_t(mips > 1 ? mips : 0));
    StoreU32(h + 76, 32);
    StoreU32(h + 80, f.flags);
    StoreU32(h + 84, f.code);
    StoreU32(h + 88, f.bits);
    for (int i = 0; i < 4; ++i)
        StoreU32(h + 92 + 4 * i, f.masks[i]);
    StoreU32(h + 108, mips > 1 ? 0x401008 : (depth != 1 ? 0x1008 : 0x1000));
    StoreU32(h + 112, depth == 0 ? 0xFE00 : (depth > 1 ? 0x200000 : 0));
}

bool Write(const cImage& in, cStream& out) {
    const DdsFormat* f = FindByFormat(in.m_Format);
    ImageLayout layout;
    if (!f || !in.GetLayout(layout) || (NeedsFlip(in.m_Depth, in.m_Height) && !CanFlip(in.m_Format, in.m_Height)))
        return false;

    // Flipped while written; an image whose lower levels need re-encoding to
    // flip is flipped on a copy first.
    cImage copy;
    const cImage* source = &in;
    const bool flip = NeedsFlip(in.m_Depth, in.m_Height), flipNow = flip && FlipsWhileCopying(layout, in.m_Format);
    if (flip && !flipNow) {
        copy.Copy(in);
        if (!copy.FlipVertical())
            return false;
        source = &copy;
    }

    uint8_t* at = codec::OpenGap(out, int64_t(kHeaderBytes) + layout.Size());
    if (!at)
        return false;
    WriteHeader(at, in, *f, layout.Levels());
    at += kHeaderBytes;
    const uint8_t* data = source->m_Data.Data();
    const bool swap = StoredBlueFirst(in.m_Format, f->masks[2]);
    ForEachStoredPiece(layout, [&](const ImageLevel& level, int face) {
        CopyPiece(at, data + level.offset + int64_t(face) * level.faceSize, level, in.m_Format, flipNow, swap);
        at += level.faceSize;
    });
    return true;
}

}  // namespace

bool cCodecDds::Decode(cStream& in, cImage& out) const { return codec::RunDecode(in, out, Read); }

bool cCodecDds::Encode(const cImage& in, cStream& out) const { return codec::RunEncode(in, out, Write); }

int cCodecDds::Identify(uint32_t first4, const char*) const {
    const uint8_t b0 = uint8_t(first4), b1 = uint8_t(first4 >> 8), b2 = uint8_t(first4 >> 16);
    return b0 == 'D' && b1 == b0 && b2 == 'S' ? 1 : 0;
}

}  // namespace tovan

// Windows bitmaps with the 40-byte information header. Rows are stored bottom
// row first (top row first when the height is negative), each padded to a
// multiple of 4 bytes; colours are stored blue first.
#include <algorithm>
#include <cstring>

#include "io/codecs/codec_support.h"
#include "io/codecs/image_codec.h"

namespace tovan {

namespace {

constexpr uint16_t kMagic = 0x4D42;  // "BM"
constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr uint32_t kBitFields = 3;

// Four bytes an entry, so that a texel is copied in one move; the fourth is 0.
struct Palette {
    uint8_t rgb[256][4];
    int count;
};

// Texels through an entry table of four bytes an entry, into three bytes a
// texel: each copy spills one byte that the next texel's copy overwrites,
// and the last texel is copied alone so nothing lands past the row.
template <class IndexAt>
void CopyEntries(uint8_t* dst, int width, const uint8_t (*entries)[4], IndexAt indexAt) {
    if (width < 1)
        return;
    int x = 0;
    for (; x + 1 < width; ++x)
        std::memcpy(dst + 3 * x, entries[indexAt(x)], 4);
    std::memcpy(dst + 3 * x, entries[indexAt(x)], 3);
}

int64_t RowBytes(int64_t width, int bits) { return (width * bits + 31) / 32 * 4; }

// The largest palette index among a row's first `width` texels (the leftmost
// texel in the high bits of a byte). Whole bytes are reduced at once, so that
// the check costs a fraction of the decode it guards.
int LargestIndex(const uint8_t* src, int width, int bits) {
    const int perByte = 8 / bits, whole = width / perByte, mask = (1 << bits) - 1;
    uint8_t high = 0, low = 0, any = 0;
    for (int i = 0; i < whole; ++i) {
        high = src[i] > high ? src[i] : high;
        low = (src[i] & 0x0F) > low ? uint8_t(src[i] & 0x0F) : low;
        any |= src[i];
    }
    int largest = bits == 8 ? high : bits == 4 ? std::max(high >> 4, int(low)) : int(any != 0);
    for (int x = whole * perByte; x < width; ++x) {
        const int index = (src[x / perByte] >> (8 - bits * (x % perByte + 1))) & mask;
        largest = std::max(largest, index);
    }
    return largest;
}

// File row to image row through the palette, whose entries every index
// selects (checked before the image is allocated).
void IndexedRow(uint8_t* dst, const uint8_t* src, int width, int bits, const Palette& palette) {
    if (bits == 8)
        return CopyEntries(dst, width, palette.rgb, [src](int x) { return src[x]; });
    const int perByte = 8 / bits, mask = (1 << bits) - 1;
    CopyEntries(dst, width, palette.rgb,
                [=](int x) { return (src[x / perByte] >> (8 - bits * (x % perByte + 1))) & mask; });
}

// Masks that a 40-byte header with compression 3 may carry after it: red,
// green, blue, and an alpha mask where the pixels leave room for a fourth.
// Only the layout the plain 24- and 32-bit data already has is read; other
// colour masks would give wrong colours and are refused. `alpha` tells whether
// an alpha mask names the fourth byte; without one the texels are opaque.
bool ReadMasks(cReader& in, int64_t pixelOffset, bool& alpha) {
    alpha = false;
    if (pixelOffset < kHeaderBytes + 12)
        return true;  // no masks stored: read as plain data
    uint32_t red, green, blue, mask;
    if (!in.U32(red) || !in.U32(green) || !in.U32(blue) || red != 0xFF0000 || green != 0xFF00 || blue != 0xFF)
        return false;
    const bool room = pixelOffset >= in.Offset() + 4 && pixelOffset <= in.Offset() + in.Remaining();
    alpha = room && in.U32(mask) && mask == 0xFF000000;
    return true;
}

// Whether any of n four-byte texels has a fourth byte other than 0.
bool AnyAlpha(const uint8_t* texels, int n) {
    uint32_t any = 0;
    for (int i = 0; i < n; ++i) {
        uint32_t v;
        std::memcpy(&v, texels + 4 * i, 4);
        any |= v;
    }
    return (any >> 24) != 0;  // little-endian: the fourth byte is the top one
}

bool Read(cReader& in, cImage& out) {
    const uint8_t* h = in.Take(kHeaderBytes);
    if (!h || LoadU16(h) != kMagic || LoadU32(h + 14) != kInfoHeaderBytes || LoadU16(h + 26) != 1)
        return false;
    const int bits = LoadU16(h + 28);
    const uint32_t compression = LoadU32(h + 30);
    if ((bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) ||
        (compression != 0 && compression != kBitFields))
        return false;
    const int64_t pixelOffset = LoadU32(h + 10);
    bool alphaMask = false;
    if (compression == kBitFields && bits >= 24 && !ReadMasks(in, pixelOffset, alphaMask))
        return false;

    // Width and height: |height| must exist, so -2^31 is refused with the zeros.
    const int width = LoadI32(h + 18), storedHeight = LoadI32(h + 22);
    if (width < 1 || storedHeight == 0 || storedHeight == INT32_MIN)
        return false;
    const bool topDown = storedHeight < 0;
    const int height = topDown ? -storedHeight : storedHeight;

    Palette palette = {};
    if (bits <= 8) {
        const uint32_t used = LoadU32(h + 46);
        const int64_t count = used == 0 ? (1 << bits) : used;
        const uint8_t* entries = count <= 256 ? in.Take(count * 4) : nullptr;
        if (!entries)
            return false;
        for (int i = 0; i < count; ++i) {
            palette.rgb[i][0] = entries[4 * i + 2];
            palette.rgb[i][1] = entries[4 * i + 1];
            palette.rgb[i][2] = entries[4 * i];
        }
        palette.count = int(count);
    }
    // The pixels start at the header's offset when it lies past the palette and
    // inside the file (bit masks or a larger palette may come between).
    if (pixelOffset >= in.Offset() && pixelOffset <= in.Offset() + in.Remaining())
        in.SeekTo(pixelOffset);

    const int64_t rowBytes = RowBytes(width, bits);
    const ImageFormat format = bits == 32 ? ImageFormat::Rgba8 : ImageFormat::Rgb8;
    const uint8_t* pixels = in.Fits(height, rowBytes) ? in.Take(height * rowBytes) : nullptr;
    if (!pixels)
        return false;
    // Indices past a short palette refuse the file before the image is
    // allocated: a 1-bit file claims 24 image bytes for each byte it holds.
    if (bits <= 8 && palette.count < (1 << bits))
        for (int row = 0; row < height; ++row)
            if (LargestIndex(pixels + row * rowBytes, width, bits) >= palette.count)
                return false;
    if (!codec::AllocateDecoded(out, format, width, height, 1, 1))
        return false;
    // Plain 32-bit data is taken to carry alpha unless every alpha byte is 0
    // (writers that fill only colour leave it so); bit fields carry it only
    // with an alpha mask.
    const int texelBytes = bits == 32 ? 4 : 3;
    const bool alphaUnknown = bits == 32 && compression != kBitFields;
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const uint8_t* src = pixels + row * rowBytes;
        uint8_t* dst = out.m_Data.Data() + int64_t(topDown ? height - 1 - row : row) * width * texelBytes;
        if (bits <= 8)
            IndexedRow(dst, src, width, bits, palette);
        else
            codec::SwapRedBlue(dst, src, width, texelBytes);
        if (alphaUnknown && !anyAlpha)
            anyAlpha = AnyAlpha(src, width);
    }
    if (bits == 32 && !(alphaUnknown ? anyAlpha : alphaMask))
        codec::SetOpaque(out.m_Data.Data(), int64_t(width) * height);
    return true;
}

bool Write(const cImage& image, cStream& out) {
    const ImageFormat format = image.m_Format;
    const uint8_t* texels = image.LevelData(0);
    if (!texels || (format != ImageFormat::R8 && format != ImageFormat::Rgb8 && format != ImageFormat::Rgba8))
        return false;
    const int width = image.m_Width, height = image.m_Height;
    const int texelBytes = GetImageFormatInfo(format)->texelBytes;
    const int bits = texelBytes * 8;
    const int paletteBytes = bits == 8 ? 256 * 4 : 0;
    const int64_t rowBytes = RowBytes(width, bits);
    const int64_t pixelBytes = rowBytes * height;
    const int64_t fileBytes = kHeaderBytes + paletteBytes + pixelBytes;
    uint8_t* h = codec::OpenGap(out, fileBytes);
    if (!h)
        return false;

    std::memset(h, 0, size_t(kHeaderBytes + paletteBytes));
    StoreU16(h, kMagic);
    StoreU32(h + 2, uint32_t(fileBytes));
    StoreU32(h + 10, uint32_t(kHeaderBytes + paletteBytes));
    StoreU32(h + 14, kInfoHeaderBytes);
    StoreU32(h + 18, uint32_t(width));
    StoreU32(h + 22, uint32_t(height));
    StoreU16(h + 26, 1);
    StoreU16(h + 28, uint16_t(bits));
    StoreU32(h + 34, uint32_t(pixelBytes));
    StoreU32(h + 46, bits == 8 ? 256 : 0);
    uint8_t* p = h + kHeaderBytes;
    for (int i = 0; i < paletteBytes / 4; ++i, p += 4)
        p[0] = p[1] = p[2] = uint8_t(i);

    const int64_t texelRow = int64_t(width) * texelBytes;
    for (int row = 0; row < height; ++row, p += rowBytes) {
        const uint8_t* src = texels + row * texelRow;
        if (bits == 8)
            std::memcpy(p, src, size_t(texelRow));
        else
            codec::SwapRedBlue(p, src, width, texelBytes);
        std::memset(p + texelRow, 0, size_t(rowBytes - texelRow));
    }
    return true;
}

}  // namespace

bool cCodecBmp::Decode(cStream& in, cImage& out) const { return codec::RunDecode(in, out, Read); }

bool cCodecBmp::Encode(const cImage& in, cStream& out) const { return codec::RunEncode(in, out, Write); }

int cCodecBmp::Identify(uint32_t first4, const char*) const { return (first4 & 0xFFFF) == kMagic ? 1 : 0; }

}  // namespace tovan

// TGA: an 18-byte header, the identification field, the colour map, then the
// texels, plain or run-length encoded, bottom row first unless descriptor bit
// 5 is set. Colours are stored blue first.
#include <cstring>

#include "io/codecs/codec_support.h"
#include "io/codecs/image_codec.h"
#include "io/image/texel.h"

namespace tovan {

namespace {

constexpr int kHeaderBytes = 18;
constexpr int kMaxSide = 65535;
constexpr uint8_t kTopRowFirst = 0x20;
constexpr uint8_t kAlphaBits = 0x0F;  // of the descriptor: alpha bits per texel
enum ImageType : uint8_t { kMapped = 1, kTrueColour = 2, kGrey = 3, kRunLength = 8 };

// Four bytes an entry, so that a texel is copied in one move; the fourth is 0.
struct ColourMap {
    uint8_t rgb[256][4];
    int count;  // entries an index may select
};

// One stored texel to the record's: how many bytes it takes in the file and
// gives in the image, and the conversion of n texels (false on a bad index).
struct TexelKind {
    int fileBytes, imageBytes;
    ImageFormat format;
    bool (*convert)(uint8_t* dst, const uint8_t* src, int n, const ColourMap& map);
    bool mapped;  // stored texels are indices into the colour map
};

void From5551(uint8_t* dst, uint16_t v) {
    dst[0] = texel::Widen5((v >> 10) & 31);
    dst[1] = texel::Widen5((v >> 5) & 31);
    dst[2] = texel::Widen5(v & 31);
}

// Each copy but the last spills one byte that the next overwrites, so that
// nothing lands past the n texels.
bool Mapped(uint8_t* dst, const uint8_t* src, int n, const ColourMap& map) {
    if (n < 1)
        return true;
    int i = 0;
    for (; i + 1 < n; ++i, dst += 3) {
        if (src[i] >= map.count)
            return false;
        std::memcpy(dst, map.rgb[src[i]], 4);
    }
    if (src[i] >= map.count)
        return false;
    std::memcpy(dst, map.rgb[src[i]], 3);
    return true;
}

bool Grey(uint8_t* dst, const uint8_t* src, int n, const ColourMap&) {
    std::memcpy(dst, src, size_t(n));
    return true;
}

// Words whose top bit is their alpha.
bool Words5551(uint8_t* dst, const uint8_t* src, int n, const ColourMap&) {
    for (int i = 0; i < n; ++i, dst += 4, src += 2) {
        const uint16_t v = LoadU16(src);
        From5551(dst, v);
        dst[3] = (v & 0x8000) ? 255 : 0;
    }
    return true;
}

// Words of a file that declares no alpha bits: the top bit means nothing.
bool Words555(uint8_t* dst, const uint8_t* src, int n, const ColourMap&) {
    for (int i = 0; i < n; ++i, dst += 4, src += 2) {
        From5551(dst, LoadU16(src));
        dst[3] = 255;
    }
    return true;
}

bool Bgr(uint8_t* dst, const uint8_t* src, int n, const ColourMap&) {
    codec::SwapRedBlue(dst, src, n, 3);
    return true;
}

bool Bgra(uint8_t* dst, const uint8_t* src, int n, const ColourMap&) {
    codec::SwapRedBlue(dst, src, n, 4);
    return true;
}

// By image type (colour-mapped, grey, true colour), bits per pixel and the
// alpha bits per pixel the descriptor declares.
bool FindKind(int type, int bits, int alphaBits, TexelKind& kind) {
    if (type == kMapped && bits == 8)
        kind = {1, 3, ImageFormat::Rgb8, Mapped, true};
    else if ((type == kGrey || type == kTrueColour) && bits == 8)
        kind = {1, 1, ImageFormat::R8, Grey, false};
    else if (type == kTrueColour && bits == 16)
        kind = {2, 4, ImageFormat::Rgba8, alphaBits ? Words5551 : Words555, false};
    else if (type == kTrueColour && bits == 24)
        kind = {3, 3, ImageFormat::Rgb8, Bgr, false};
    else if (type == kTrueColour && bits == 32)
        kind = {4, 4, ImageFormat::Rgba8, Bgra, false};
    else
        return false;
    return true;
}

// The map takes length x ceil(entry bits / 8) bytes; an 8-bit index reaches its
// first 256 entries. Entries of 15 and 16 bits are 5:5:5 words.
bool ReadColourMap(cReader& in, int length, int entryBits, ColourMap& map) {
    const int entryBytes = (entryBits + 7) / 8;
    const uint8_t* entries = in.Take(int64_t(length) * entryBytes);
    if (!entries)
        return false;
    map.count = length < 256 ? length : 256;
    if (map.count == 0)
        return true;
    if (entryBits != 15 && entryBits != 16 && entryBits != 24 && entryBits != 32)
        return false;
    for (int i = 0; i < map.count; ++i) {
        const uint8_t* e = entries + i * entryBytes;
        if (entryBytes == 2)
            From5551(map.rgb[i], LoadU16(e));
        else
            codec::SwapRedBlue(map.rgb[i], e, 1, 3);
    }
    return true;
}

// Places converted texels into image rows in file order, turning rows over
// when the file holds the top row first.
class RowWriter {
public:
    RowWriter(cImage& image, const TexelKind& kind, bool topRowFirst)
        : m_Image(image), m_Kind(kind), m_TopRowFirst(topRowFirst) {}

    int64_t Left() const { return int64_t(m_Image.m_Height - m_Row) * m_Image.m_Width - m_X; }

    // n stored texels (n <= Left()).
    bool Literal(const uint8_t* src, int64_t n, const ColourMap& map) {
        while (n > 0) {
            const int run = Span(n);
            if (!m_Kind.convert(At(), src, run, map))
                return false;
            src += int64_t(run) * m_Kind.fileBytes;
            n -= run;
            Advance(run);
        }
        return true;
    }

    // One stored texel n times (n <= Left()).
    bool Repeat(const uint8_t* src, int64_t n, const ColourMap& map) {
        uint8_t texel[4];
        if (!m_Kind.convert(texel, src, 1, map))
            return false;
        while (n > 0) {
            const int run = Span(n);
            uint8_t* dst = At();
            for (int i = 0; i < run; ++i, dst += m_Kind.imageBytes)
                std::memcpy(dst, texel, size_t(m_Kind.imageBytes));
            n -= run;
            Advance(run);
        }
        return true;
    }

private:
    int Span(int64_t n) const { return int(n < m_Image.m_Width - m_X ? n : m_Image.m_Width - m_X); }
    uint8_t* At() {
        const int row = m_TopRowFirst ? m_Image.m_Height - 1 - m_Row : m_Row;
        return m_Image.m_Data.Data() + (int64_t(row) * m_Image.m_Width + m_X) * m_Kind.imageBytes;
    }
    void Advance(int n) {
        m_X += n;
        if (m_X == m_Image.m_Width) {
            m_X = 0;
            ++m_Row;
        }
    }

    cImage& m_Image;
    const TexelKind& m_Kind;
    bool m_TopRowFirst;
    int m_Row = 0, m_X = 0;
};

// True when n stored texels select only colours the map has (always for
// other kinds).
bool IndicesFit(const uint8_t* src, int64_t n, const TexelKind& kind, const ColourMap& map) {
    if (!kind.mapped || map.count >= 256)
        return true;
    uint8_t largest = 0;
    for (int64_t i = 0; i < n; ++i)
        largest = src[i] > largest ? src[i] : largest;
    return largest < map.count;
}

// Run-length data is packets until the image is full: a byte b, n = (b & 0x7F)
// + 1, then one texel to repeat (b & 0x80) or n texels. The bytes the packets
// of `texels` texels take, or -1 when one runs past the image or the data or
// selects a colour outside the map.
int64_t ScanRunLength(const uint8_t* data, int64_t size, int64_t texels, const TexelKind& kind, const ColourMap& map) {
    int64_t at = 0;
    while (texels > 0) {
        if (at >= size)
            return -1;
        const uint8_t b = data[at++];
        const int n = (b & 0x7F) + 1;
        const int64_t stored = (b & 0x80) ? 1 : n;
        if (n > texels || stored * kind.fileBytes > size - at || !IndicesFit(data + at, stored, kind, map))
            return -1;
        at += stored * kind.fileBytes;
        texels -= n;
    }
    return at;
}

// Packets that ScanRunLength accepted.
bool ReadRunLength(const uint8_t* data, RowWriter& rows, const TexelKind& kind, const ColourMap& map) {
    while (rows.Left() > 0) {
        const uint8_t b = *data++;
        const int n = (b & 0x7F) + 1;
        const bool repeat = (b & 0x80) != 0;
        if (n > rows.Left() || !(repeat ? rows.Repeat(data, n, map) : rows.Literal(data, n, map)))
            return false;
        data += int64_t(repeat ? 1 : n) * kind.fileBytes;
    }
    return true;
}

bool Read(cReader& in, cImage& out) {
    const uint8_t* h = in.Take(kHeaderBytes);
    if (!h || h[0] != 0 || h[1] > 1)
        return false;  // an identification field or an unknown colour map type
    const int type = h[2] & 7;
    const bool runLength = (h[2] & ~7) == kRunLength;
    const int width = LoadU16(h + 12), height = LoadU16(h + 14);
    TexelKind kind;
    if ((h[2] & ~(7 | kRunLength)) != 0 || width < 1 || height < 1 || !FindKind(type, h[16], h[17] & kAlphaBits, kind))
        return false;

    ColourMap map = {};
    if (h[1] == 1 && !ReadColourMap(in, LoadU16(h + 5), h[7], map))
        return false;
    if (type == kMapped && map.count == 0)
        return false;

    // Everything that could refuse the texels is checked before the image is
    // allocated, so that a file refused part-way costs no more than its own
    // bytes (run-length data claims up to 128 texels per two bytes). The data
    // must hold the texels: one stored texel each, or for run-length data a
    // packet of at least a count byte and one texel per 128; then every packet
    // and index is checked.
    const int64_t texels = int64_t(width) * height;
    const bool fits = runLength ? in.Fits((texels + 127) / 128, 1 + kind.fileBytes) : in.Fits(texels, kind.fileBytes);
    if (!fits)
        return false;
    const int64_t stored =
        runLength ? ScanRunLength(in.Take(0), in.Remaining(), texels, kind, map) : texels * kind.fileBytes;
    const uint8_t* data = stored < 0 ? nullptr : in.Take(stored);
    if (!data || (!runLength && !IndicesFit(data, texels, kind, map)) ||
        !codec::AllocateDecoded(out, kind.format, width, height, 1, 1))
        return false;
    RowWriter rows(out, kind, (h[17] & kTopRowFirst) != 0);
    return runLength ? ReadRunLength(data, rows, kind, map) : rows.Literal(data, texels, map);
}

bool Write(const cImage& image, cStream& out) {
    const ImageFormat format = image.m_Format;
    const uint8_t* texels = image.LevelData(0);
    if (!texels || image.m_Width > kMaxSide || image.m_Height > kMaxSide ||
        (format != ImageFormat::R8 && format != ImageFormat::Rgb8 && format != ImageFormat::Rgba8))
        return false;
    const int texelBytes = GetImageFormatInfo(format)->texelBytes;
    const bool grey = format == ImageFormat::R8;
    const int mapBytes = grey ? 256 * 3 : 0;
    const int64_t count = int64_t(image.m_Width) * image.m_Height;
    uint8_t* h = codec::OpenGap(out, kHeaderBytes + mapBytes + count * texelBytes);
    if (!h)
        return false;

    std::memset(h, 0, kHeaderBytes);
    h[1] = grey ? 1 : 0;
    h[2] = grey ? kMapped : kTrueColour;
    StoreU16(h + 5, grey ? 256 : 0);
    h[7] = grey ? 24 : 0;
    StoreU16(h + 12, uint16_t(image.m_Width));
    StoreU16(h + 14, uint16_t(image.m_Height));
    h[16] = uint8_t(texelBytes * 8);
    uint8_t* p = h + kHeaderBytes;
    for (int i = 0; i < mapBytes / 3; ++i, p += 3)
        p[0] = p[1] = p[2] = uint8_t(i);
    if (grey)
        std::memcpy(p, texels, size_t(count));
    else
        codec::SwapRedBlue(p, texels, count, texelBytes);
    return true;
}

}  // namespace

bool cCodecTga::Decode(cStream& in, cImage& out) const { return codec::RunDecode(in, out, Read); }

bool cCodecTga::Encode(const cImage& in, cStream& out) const { return codec::RunEncode(in, out, Write); }

// Only a plain true-colour file without identification field or colour map.
int cCodecTga::Identify(uint32_t first4, const char*) const { return first4 == 0x00020000 ? 1 : -1; }

}  // namespace tovan

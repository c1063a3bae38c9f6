// Shelf packing of rasterised glyphs into a grey atlas, and the font file that
// describes where each glyph landed.
#include <algorithm>

#include "win32/font_generator.h"

namespace tovan {

const cAtlasSize kFontAtlasSizes[11] = {{64, 64},   {128, 64},   {128, 128},   {256, 128},   {256, 256},  {512, 256},
                                        {512, 512}, {1024, 512}, {1024, 1024}, {2048, 1024}, {2048, 2048}};

namespace {

constexpr int32_t kBmpHeaderBytes = 14 + 40 + 256 * 4;

void PutU16(uint8_t* at, uint16_t v) {
    at[0] = uint8_t(v);
    at[1] = uint8_t(v >> 8);
}
void PutU32(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        at[i] = uint8_t(v >> (8 * i));
}

}  // namespace

bool cGreyAtlas::Create(int32_t width, int32_t height) {
    m_Bytes.Free();
    if (width < 1 || height < 1 || width > 2048 || height > 2048)
        return false;
    m_Width = width;
    m_Height = height;
    m_Stride = (width + 3) & ~3;
    const int32_t image = m_Stride * height;
    m_Bytes.Resize(kBmpHeaderBytes + image);
    std::fill(m_Bytes.Data(), m_Bytes.Data() + m_Bytes.Count(), uint8_t(0));
    uint8_t* b = m_Bytes.Data();
    PutU16(b, 0x4D42);
    PutU32(b + 2, uint32_t(kBmpHeaderBytes + image));
    PutU32(b + 10, uint32_t(kBmpHeaderBytes));
    PutU32(b + 14, 40);
    PutU32(b + 18, uint32_t(width));
    PutU32(b + 22, uint32_t(height));  // positive: bottom row first
    PutU16(b + 26, 1);
    PutU16(b + 28, 8);
    PutU32(b + 34, uint32_t(image));
    PutU32(b + 46, 256);
    for (int j = 0; j < 256; ++j) {
        uint8_t* entry = b + 54 + 4 * j;
        entry[0] = entry[1] = entry[2] = uint8_t(j);
    }
    return true;
}

void cGreyAtlas::Set(int32_t x, int32_t yFromTop, uint8_t value) {
    if (x < 0 || x >= m_Width || yFromTop < 0 || yFromTop >= m_Height)
        return;
    m_Bytes[kBmpHeaderBytes + (m_Height - 1 - yFromTop) * m_Stride + x] = value;
}

bool PackFontGlyphs(cGlyphSource& source, const cList<uint16_t>& codes, int32_t width, int32_t height,
                    cList<cFontGlyph>& glyphs, cGreyAtlas* atlas) {
    glyphs.Free();
    const int32_t ascent = source.Ascent();
    int32_t x = 0, y = 2, shelf = 0;
    cList<uint8_t> grey;
    for (const uint16_t code : codes) {
        cGlyphMetrics m;
        grey.Free();
        source.Glyph(code, m, atlas ? &grey : nullptr);
        const int32_t bw = std::max(m.m_Width, 0), bh = std::max(m.m_Height, 0);
        if (int64_t(bw) + x + 4 >= width) {
            if (x == 0)
                return false;
            y += shelf + 2;
            x = 0;
            shelf = 0;
            // The glyph that opens a shelf is tested again: one wider than the
            // atlas would otherwise be placed past its right edge.
            if (y >= height || int64_t(bw) + 4 >= width)
                return false;
        }
        cFontGlyph g;
        g.m_Code = code;
        g.m_ULeft = float(x + 1) / float(width);
        g.m_URight = float(x + 1 + bw + 2) / float(width);
        g.m_VTop = float(height - (y - 1)) / float(height);
        g.m_VBottom = float(height - (y - 1) - (bh + 2)) / float(height);
        g.m_Width = bw + 2;
        g.m_Height = bh + 2;
        g.m_OffsetX = m.m_OriginX - 1;
        g.m_OffsetY = ascent - m.m_OriginY - 1;
        g.m_AdvanceX = m.m_CellX;
        g.m_AdvanceY = m.m_CellY;
        glyphs.PushBack(g);
        if (atlas && bw > 0 && bh > 0) {
            const int64_t stride = (int64_t(bw) + 3) & ~int64_t(3);
            // A bitmap shorter than its box is blank rather than read past its end.
            if (grey.Count() >= stride * bh) {
                for (int32_t r = 0; r < bh; ++r)
                    for (int32_t c = 0; c < bw; ++c)
                        if (const uint8_t level = grey[int(r * stride + c)])
                            atlas->Set(x + 2 + c, y + r, uint8_t(std::min(level * 4 - 1, 255)));
            }
        }
        x += 2 + bw;
        shelf = std::max(shelf, bh);
    }
    return int64_t(y) + shelf + 2 < height;
}

void FontGlyphCodes(const cCodeSet& required, const cCodeSet& supported, cList<uint16_t>& codes) {
    codes.Free();
    const cCodeSet both = required & supported;
    for (size_t code = 0; code < both.size(); ++code)
        if (both[code])
            codes.PushBack(uint16_t(code));
}

void WriteFontFile(const cGlyphSource& source, const cList<cFontGlyph>& glyphs, cStream& out) {
    out.WriteU16(0x6663);
    out.WriteU8(0);
    out.WriteI32(source.Ascent());
    out.WriteI32(source.Descent());
    out.WriteI32(source.Ascent() + source.Descent());
    out.WriteU32(uint32_t(glyphs.Count()));
    for (const cFontGlyph& g : glyphs) {
        out.WriteU16(g.m_Code);
        out.WriteF32(g.m_ULeft);
        out.WriteF32(g.m_VBottom);
        out.WriteF32(g.m_URight);
        out.WriteF32(g.m_VTop);
        out.WriteI32(g.m_OffsetX);
        out.WriteI32(g.m_OffsetY);
        out.WriteI32(g.m_Width);
        out.WriteI32(g.m_Height);
        out.WriteI32(g.m_AdvanceX);
        out.WriteI32(g.m_AdvanceY);
    }
    out.WriteI32(1);  // glyph padding: the one-pixel border around each box
}

}  // namespace tovan

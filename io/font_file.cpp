// The font file's reader and the glyph lookup, which relies on its order.
#include <new>

#include "io/codecs/reader.h"
#include "io/font.h"

namespace tovan {

namespace {

constexpr uint16_t kMagic = 0x6663;

bool ReadGlyphs(cReader& r, cFont& font) {
    uint16_t magic;
    uint8_t version;
    uint32_t count;
    if (!r.U16(magic) || magic != kMagic || !r.U8(version) || version != 0 || !r.I32(font.m_Baseline) ||
        !r.I32(font.m_Metric2) || !r.I32(font.m_LineHeight) || !r.U32(count) || count > uint32_t(kFontMaxGlyphs))
        return false;
    // The glyphs and the padding after them must be there before the list is sized.
    const uint8_t* p = r.Take(int64_t(count) * kFontGlyphBytes);
    if (!p || r.Remaining() < 4)
        return false;
    font.m_Glyphs.ResizeUnset(int(count));
    for (cFontGlyph& g : font.m_Glyphs) {
        g.m_Code = LoadU16(p);
        g.m_ULeft = LoadF32(p + 2);
        g.m_VBottom = LoadF32(p + 6);
        g.m_URight = LoadF32(p + 10);
        g.m_VTop = LoadF32(p + 14);
        g.m_OffsetX = LoadI32(p + 18);
        g.m_OffsetY = LoadI32(p + 22);
        g.m_Width = LoadI32(p + 26);
        g.m_Height = LoadI32(p + 30);
        g.m_AdvanceX = LoadI32(p + 34);
        g.m_AdvanceY = LoadI32(p + 38);
        p += kFontGlyphBytes;
    }
    // Lookups search by halves: a file out of order would hide glyphs it has.
    for (int i = 1; i < font.m_Glyphs.Count(); ++i)
        if (font.m_Glyphs[i].m_Code <= font.m_Glyphs[i - 1].m_Code)
            return false;
    return r.I32(font.m_Padding);
}

void ClearFields(cFont& font) {
    font.m_Baseline = font.m_Metric2 = font.m_LineHeight = font.m_Padding = 0;
    font.m_Glyphs.Free();
}

}  // namespace

bool ReadFontFile(cStream& in, cFont& font) {
    ClearFields(font);
    bool ok = false;
    try {
        cReader reader(in);
        ok = reader.Ok() && ReadGlyphs(reader, font);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok)
        ClearFields(font);
    return ok;
}

int32_t FindGlyph(const cList<cFontGlyph>& glyphs, uint16_t code) {
    const int count = glyphs.Count();
    if (count == 0)
        return -1;
    const cFontGlyph* g = glyphs.Data();
    // Codes are unique and ascending, so within a run without gaps from the
    // first code a code's index is its distance from that code.
    const uint32_t direct = uint32_t(code) - g[0].m_Code;
    if (direct < uint32_t(count) && g[direct].m_Code == code)
        return int32_t(direct);
    int lo = 0, hi = count - 1;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (code > g[mid].m_Code)
            lo = mid + 1;
        else
            hi = mid;
    }
    return g[lo].m_Code == code ? lo : -1;
}

}  // namespace tovan

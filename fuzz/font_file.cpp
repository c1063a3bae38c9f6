// The font file reader on arbitrary bytes: a refused file leaves the font
// cleared; an accepted one holds at most 65536 glyphs in strictly ascending
// order, each found again by its code, and lays out under every flag with
// every index naming a vertex of its own text.
#include <cstdlib>

#include "io/font.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    cStream in;
    in.m_Bytes.AppendRange(data, int(size));
    cFont font;
    if (!ReadFontFile(in, font)) {
        if (!font.m_Glyphs.IsEmpty() || font.m_Baseline || font.m_Metric2 || font.m_LineHeight || font.m_Padding)
            std::abort();
        return 0;
    }
    const int count = font.m_Glyphs.Count();
    if (count > kFontMaxGlyphs || int64_t(size) < 19 + int64_t(count) * kFontGlyphBytes + 4 ||
        in.m_Position != 19 + count * kFontGlyphBytes + 4)
        std::abort();
    cList<uint16_t> codes;
    for (int i = 0; i < count; ++i) {
        const uint16_t code = font.m_Glyphs[i].m_Code;
        if ((i > 0 && code <= font.m_Glyphs[i - 1].m_Code) || FindGlyph(font.m_Glyphs, code) != i)
            std::abort();
        if (i < 64)
            codes.PushBack(code);
    }
    // Codes the font may lack, a space, and the stand-in's index.
    for (uint16_t extra : {uint16_t(0), uint16_t(31), uint16_t(32), uint16_t(0x7FFF), uint16_t(0xFFFF)})
        codes.PushBack(extra);
    cList<cTextVertex> vertices;
    cList<int32_t> indices;
    for (int flags = 0; flags < 0x80; flags += 5) {
        vertices.ResizeUnset(0);
        indices.ResizeUnset(0);
        LayoutText(font, 0.5f, -3.25f, codes.Data(), codes.Count(), uint8_t(flags), 0, vertices, indices);
        if (indices.Count() != vertices.Count() / 4 * 6 || vertices.Count() > 4 * codes.Count())
            std::abort();
        for (int32_t index : indices)
            if (index < 0 || index >= vertices.Count())
                std::abort();
    }
    return 0;
}

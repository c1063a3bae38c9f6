// Bitmap fonts made from a TrueType font installed on the machine: the user
// names text files whose characters the font must hold, chooses a face, style
// and size, and gets "Fonts/<name>.cFont" with its 8-bit grey atlas beside it.
// The glyphs come from a glyph source (GDI outlines on Windows), so the packing
// and the files do not depend on the system.
#pragma once
#include <bitset>
#include <cstdint>
#include <memory>

#include "core/list.h"
#include "core/str.h"
#include "io/font.h"

namespace tovan {

// One bit per UTF-16 code unit.
using cCodeSet = std::bitset<65536>;

// A glyph's black box and cell, as the outline rasteriser reports them.
struct cGlyphMetrics {
    int32_t m_Width = 0, m_Height = 0;     // black box
    int32_t m_OriginX = 0, m_OriginY = 0;  // black box's top-left from the pen, y up
    int32_t m_CellX = 0, m_CellY = 0;      // pen advance
};

// One chosen font, ready to rasterise.
class cGlyphSource {
public:
    virtual ~cGlyphSource() = default;
    virtual int32_t Ascent() const = 0;
    virtual int32_t Descent() const = 0;
    virtual void SupportedCodes(cCodeSet& codes) = 0;
    // The glyph's metrics (zero when the rasteriser fails) and, when `grey` is
    // given, its bitmap: 0..64 per pixel, top row first, rows padded to 4 bytes;
    // a blank glyph leaves it empty.
    virtual void Glyph(uint16_t code, cGlyphMetrics& metrics, cList<uint8_t>* grey) = 0;
};

// Same layout as the Win32 LOGFONTA.
struct LogicalFont {
    int32_t height, width, escapement, orientation, weight;
    uint8_t italic, underline, strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily;
    char faceName[32];
};

// What the font dialog chose.
struct cFontChoice {
    LogicalFont m_Font = {};  // as the dialog filled it: the font is made from all of it
    int32_t m_PointTenths = 0;

    // The face name, never read past the record.
    cStr Face() const;
};

// The face, a space, "B" for weight 700, "I" for italic, the size in points.
cStr GeneratedFontName(const cFontChoice& choice);

// The atlas sizes, smallest first.
struct cAtlasSize {
    int32_t m_Width, m_Height;
};
extern const cAtlasSize kFontAtlasSizes[11];

// An 8-bit grey BMP file in memory (palette entry j is grey j), all pixels 0.
class cGreyAtlas {
public:
    bool Create(int32_t width, int32_t height);
    // The pixel counted from the atlas's top-left; out of range is ignored.
    void Set(int32_t x, int32_t yFromTop, uint8_t value);
    const cList<uint8_t>& Bytes() const { return m_Bytes; }

private:
    cList<uint8_t> m_Bytes;
    int32_t m_Width = 0, m_Height = 0, m_Stride = 0;
};

// One packing pass of `codes` in order at one atlas size: fills `glyphs` and,
// when `atlas` is given, draws them into it. False when the atlas is too small.
bool PackFontGlyphs(cGlyphSource& source, const cList<uint16_t>& codes, int32_t width, int32_t height,
                    cList<cFontGlyph>& glyphs, cGreyAtlas* atlas);

// The codes both required and supported, ascending.
void FontGlyphCodes(const cCodeSet& required, const cCodeSet& supported, cList<uint16_t>& codes);

// The font file bytes: header from the source's metrics, the glyphs, padding 1.
void WriteFontFile(const cGlyphSource& source, const cList<cFontGlyph>& glyphs, cStream& out);

// Packs into the smallest atlas that fits and saves the font file and the atlas
// under the choice's GeneratedFontName; warns with the face and the point size
// when 2048 x 2048 is not enough.
bool GenerateFontFrom(cGlyphSource& source, const cCodeSet& required, const cFontChoice& choice);

// Codes 0 to 127 and every code unit of the files; an unreadable file is
// skipped with a warning.
void AddRequiredCharacters(const cList<cStr>& files, cCodeSet& required);

// Multi-selection open dialog (OpenSaveDialog) for the files of required
// characters, starting in the generated-font folder; remembers the folder of
// the first result.
bool PickRequiredCharacterFiles(const char* extensions, cList<cStr>& results);

// The whole command: files, font dialog, rasterising, files saved. True when
// both files were saved.
bool GenerateFont();

namespace fontgen {
// Platform halves: the system font dialog, and a glyph source for a choice
// (null when the font cannot be made).
bool ChooseSystemFont(cFontChoice& choice);
std::unique_ptr<cGlyphSource> OpenSystemFont(const cFontChoice& choice);
}  // namespace fontgen

}  // namespace tovan

// Bitmap fonts: a glyph file "Fonts/<name>.cFont" beside an atlas image of the
// same name. Fonts load once into a process-wide table and are named by their
// index there; text is laid out into textured quads and drawn through the
// render device (nothing is drawn while RenderDevice is null).
//
// The font file, little-endian without padding:
//   u16 magic 0x6663 ("cf"); u8 version 0; i32 baseline offset; i32 second
//   metric; i32 line height; u32 glyph count (at most 65536); glyphs of 42
//   bytes sorted by strictly ascending code: u16 code, f32 u left, v bottom,
//   u right, v top, i32 x offset, y offset, width, height, advance x, advance y;
//   i32 glyph padding. Bytes after the padding are ignored.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/rect.h"
#include "core/str.h"
#include "core/stream.h"
#include "core/vec.h"

namespace tovan {

// Positions and advances are GUI pixels, y up: the quad's top lies y offset
// below the pen and its bottom height below that.
struct cFontGlyph {
    uint16_t m_Code = 0;  // a UTF-16 code unit
    float m_ULeft = 0, m_VBottom = 0, m_URight = 0, m_VTop = 0;
    int32_t m_OffsetX = 0, m_OffsetY = 0;
    int32_t m_Width = 0, m_Height = 0;
    int32_t m_AdvanceX = 0, m_AdvanceY = 0;
};

// One entry of the loaded-font table.
struct cFont {
    cStr m_Name;
    int32_t m_Baseline = 0;    // the shift of alignment flag kTextBaseline
    int32_t m_Metric2 = 0;     // kept from the file; nothing reads it
    int32_t m_LineHeight = 0;  // the height of a box measured by the pen
    cList<cFontGlyph> m_Glyphs;
    int32_t m_Padding = 0;  // atlas pixels around each quad, left out of measured boxes
    int32_t m_Texture = -1;
};

inline constexpr int kFontMaxGlyphs = 65536;
inline constexpr int kFontGlyphBytes = 42;

// Parses the file from the stream's position into the metrics, glyphs and
// padding of `font` (name and texture stay). A short file, a wrong magic or
// version, a glyph count above 65536 or larger than the file, or codes out of
// order refuse the file before anything is allocated for it, and leave those
// fields cleared.
bool ReadFontFile(cStream& in, cFont& font);

// Index of the glyph with this code in a list sorted by code; -1 when none.
int32_t FindGlyph(const cList<cFontGlyph>& glyphs, uint16_t code);

// --- the loaded-font table -------------------------------------------------------
// Appends a copy; returns its index.
int32_t AddFont(const cFont& font);
int32_t FontCount();
const cFont* GetFont(int32_t index);  // null out of range

// The index of the font of that name (ASCII case ignored), loading it on the
// first request: the font file through the file sources, then the atlas
// "Fonts/<name>.png" on the render device, or "Fonts/<name>.bmp" where no png
// exists. -1 for an empty name, with a warning for an unreadable or malformed
// file, and silently when the device has no atlas for it.
int32_t LoadFont(const char* name);

// The font the edit field filters typed text with; out of range is none.
extern int32_t CurrentFont;

// Removes every byte the current font has no glyph for; a byte is looked up as
// its sign-extended 16-bit code (0xE9 as 0xFFE9). Unchanged without a font.
void StripMissingGlyphs(cStr& text);

// --- layout and drawing ------------------------------------------------------------
enum TextFlags : uint8_t {
    kTextCentreX = 0x01,   // centred on x
    kTextRight = 0x02,     // ending at x
    kTextCentreY = 0x04,   // centred on y
    kTextBaseline = 0x08,  // shifted in y by the font's baseline offset
    kTextBottom = 0x10,    // bottom on y
    kTextNoQuads = 0x20,   // measure only; without kTextGlyphBox no glyph is looked at
    kTextGlyphBox = 0x40,  // the box of the glyph quads (less padding); else pen and line height
};

struct cTextVertex {
    float x, y, z;
    uint32_t color;  // PackColor
    float u, v;
};
static_assert(sizeof(cTextVertex) == 24, "the font shader reads 24-byte vertices");

// Texts longer than this draw nothing: their quads would not fit the lists.
inline constexpr int kTextMaxCodes = 0x7fffffff / 6;

// Lays the codes out from the pen at (x, y), rounded to whole pixels, and
// appends two triangles a glyph to the lists (none for spaces or under
// kTextNoQuads). A code the font lacks takes the glyph at index 31; in a font
// of fewer glyphs it is skipped and the pen stays. Returns the text's box,
// moved with the quads by the alignment flags; an empty measured box (nothing
// but spaces) comes back empty and unmoved.
cRect LayoutText(const cFont& font, float x, float y, const uint16_t* codes, int count, uint8_t flags, uint32_t color,
                 cList<cTextVertex>& vertices, cList<int32_t>& indices);

// Lays out and draws UTF-16 codes in a colour (null: opaque black). An invalid
// font or no codes: {0, 0, 0, 0} and nothing drawn.
cRect DrawTextCodes(int32_t font, float x, const cList<uint16_t>& codes, float y, uint8_t flags, const cColor* color);
// The same for UTF-8 text; an invalid sequence ends it.
cRect DrawText(int32_t font, float x, const char* utf8, float y, uint8_t flags, const cColor* color);
// Draws at the GUI position of a world point of the current view; a point
// outside the view's frustum (or no view) gives {0, 0, 0, 0}.
cRect DrawText3D(int32_t font, const char* utf8, const cVec3& point, uint8_t flags, const cColor* color);

}  // namespace tovan

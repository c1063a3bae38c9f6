// The file dialogs' software rasteriser: previews draw into a 24-bit
// device-independent bitmap in memory, which the dialog hands to the screen as
// it is. It needs no render device and no window, so it builds and is tested on
// every platform; the one system colour it uses comes through the OS seam.
//
// Coordinates run x to the right and y down from the top-left corner; rows are
// stored bottom-up, each pixel as blue, green, red. Writes outside the canvas
// are skipped pixel by pixel. Triangles and lines whose coordinates are not
// finite or lie beyond kMaxCoordinate draw nothing, so that no fixed-point step
// can overflow.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/material_preset.h"
#include "core/vec.h"
#include "win32/preview_shade.h"

namespace tovan {

class PreviewCanvas {
public:
    static constexpr int kHeaderSize = 44;  // BITMAPINFOHEADER and one RGBQUAD
    static constexpr int kGlyphWidth = 8;
    static constexpr int kGlyphHeight = 16;
    static constexpr int kMaxCoordinate = 1 << 26;
    static constexpr int64_t kMaxBytes = int64_t(1) << 30;  // larger canvases stay empty

    PreviewCanvas() = default;
    ~PreviewCanvas() { Release(); }
    PreviewCanvas(const PreviewCanvas&) = delete;
    PreviewCanvas& operator=(const PreviewCanvas&) = delete;

    // Zeroes the header and frees the bits.
    void Release();

    bool IsEmpty() const { return m_Bits.IsEmpty(); }
    int Width() const { return m_Width; }
    int Height() const { return m_Height; }
    int Stride() const { return m_Stride; }
    // The BITMAPINFO that SetDIBitsToDevice takes along with Bits().
    const uint8_t* Header() const { return m_Header; }
    uint8_t* Bits() { return m_Bits.Data(); }
    const uint8_t* Bits() const { return m_Bits.Data(); }

    // Every pixel; the padding at the row ends is left alone.
    void Fill(ColorBytes color);
    // u, v from 0 to 1 across and down the picture.
    ColorBytes SampleBilinear(float u, float v) const;
    // The 3 x 3 block centred on (x, y).
    void DrawDot(int x, int y, const cColor& color);
    // Bresenham, both end points drawn.
    void DrawLine(int x0, int y0, int x1, int y1, ColorBytes color);
    // Flat colour, no depth; pixel centres on the top and left edges are filled,
    // those on the bottom and right edges are not. Counter-clockwise on screen
    // (a, then below it b, then right of a c) is the winding that draws.
    void FillTriangle(const cVec2& a, const cVec2& b, const cVec2& c, ColorBytes color);
    // Points are (x, y, depth); light values 0..1 shade the material. Depth-tested
    // against `depth` (Width() x Height() floats, smaller is nearer), which a
    // too-small buffer turns off entirely: nothing is drawn. The whole rows from
    // the top corner up to, not including, the bottom one are drawn.
    void ShadeTriangle(const cVec3& a, const cVec3& b, const cVec3& c, float lightA, float lightB, float lightC,
                       const cMaterialPreset& material, cList<float>& depth);
    // One row of a lit triangle, from xStart to xEnd (xEnd not drawn unless equal).
    void ShadeSpan(int xStart, int xEnd, int row, float depthStart, float depthEnd, float lightStart, float lightEnd,
                   const cMaterialPreset& material, cList<float>& depth);
    // Glyph `code` (32..126) with its top-left corner at (x, y), in a packed colour
    // (red in the low byte); nothing unless the whole glyph fits.
    void DrawChar(int code, int x, int y, uint32_t color);
    // Two crossed bands in the system's button-shadow colour.
    void DrawNoPreview();

private:
    friend void InitDibHeader(PreviewCanvas& canvas, int width, int height);

    void Put(int x, int y, ColorBytes color) {
        uint8_t* p = m_Bits.Data() + (m_Height - 1 - y) * m_Stride + 3 * x;
        p[0] = color.b;
        p[1] = color.g;
        p[2] = color.r;
    }
    ColorBytes Get(int x, int y) const;

    uint8_t m_Header[kHeaderSize] = {};
    int32_t m_Stride = 0;
    cList<uint8_t> m_Bits;
    int32_t m_Width = 0, m_Height = 0;  // the header's, kept at hand for the drawing loops
    PreviewShades m_Shades;
};

// Makes the canvas width x height (bits undefined until drawn); a size that is
// not positive, or too large, leaves it empty.
void InitDibHeader(PreviewCanvas& canvas, int width, int height);

// Sizes a depth buffer for a canvas and sets every entry to the farthest depth.
void ClearDepthBuffer(cList<float>& depth, int width, int height);

// The 16 bytes of the 8 x 16 glyph of a code from 32 to 126 (null for others):
// byte 15 is the top row, bit 0 the leftmost pixel.
const uint8_t* PreviewGlyph(int code);

}  // namespace tovan

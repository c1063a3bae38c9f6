// Text layout: codes to textured quads and the text's box. It touches nothing
// but its output lists, so it is measured and tested without a device.
#include <climits>
#include <cmath>

#include "io/font.h"

namespace tovan {

namespace {

// The glyph drawn for a code: its own, else the stand-in at index 31, which a
// font of fewer glyphs does not have.
inline const cFontGlyph* GlyphFor(const cList<cFontGlyph>& glyphs, uint16_t code) {
    const int32_t index = FindGlyph(glyphs, code);
    if (index >= 0)
        return glyphs.Data() + index;
    return glyphs.Count() > 31 ? glyphs.Data() + 31 : nullptr;
}

struct Box {
    float left = kFloatMax, bottom = kFloatMax, right = -kFloatMax, top = -kFloatMax;
    bool measured = false;  // a glyph extended it

    void Extend(float l, float b, float r, float t) {
        left = l < left ? l : left;
        bottom = b < bottom ? b : bottom;
        right = r > right ? r : right;
        top = t > top ? t : top;
        measured = true;
    }
};

}  // namespace

cRect LayoutText(const cFont& font, float x, float y, const uint16_t* codes, int count, uint8_t flags, uint32_t color,
                 cList<cTextVertex>& vertices, cList<int32_t>& indices) {
    const int firstVertex = vertices.Count(), firstIndex = indices.Count();
    if (count <= 0 || !codes || count > kTextMaxCodes || int64_t(firstVertex) + 4 * int64_t(count) > INT_MAX ||
        int64_t(firstIndex) + 6 * int64_t(count) > INT_MAX)
        return {0, 0, 0, 0};

    const bool quads = !(flags & kTextNoQuads);
    const bool measure = (flags & kTextGlyphBox) != 0;
    const bool glyphBoxes = (flags & (kTextNoQuads | kTextGlyphBox)) != kTextNoQuads;
    const float padding = float(font.m_Padding);

    // Room for a quad a code, given back below for spaces and missing glyphs.
    cTextVertex* v = nullptr;
    int32_t* ix = nullptr;
    if (quads) {
        vertices.ResizeUnset(firstVertex + 4 * count);
        indices.ResizeUnset(firstIndex + 6 * count);
        v = vertices.Data() + firstVertex;
        ix = indices.Data() + firstIndex;
    }
    int32_t q = firstVertex;

    const float sx = std::floor(x + 0.5f), sy = std::floor(y + 0.5f);
    float px = sx, py = sy;
    Box box;
    for (int i = 0; i < count; ++i) {
        const uint16_t code = codes[i];
        const cFontGlyph* g = GlyphFor(font.m_Glyphs, code);
        if (!g)
            continue;
        if (code != 32 && glyphBoxes) {
            const float left = px + float(g->m_OffsetX), right = left + float(g->m_Width);
            const float top = py - float(g->m_OffsetY), bottom = top - float(g->m_Height);
            if (measure)
                box.Extend(left + padding, bottom + padding, right - padding, top - padding);
            if (quads) {
                v[0] = {left, top, 0, color, g->m_ULeft, g->m_VTop};
                v[1] = {left, bottom, 0, color, g->m_ULeft, g->m_VBottom};
                v[2] = {right, bottom, 0, color, g->m_URight, g->m_VBottom};
                v[3] = {right, top, 0, color, g->m_URight, g->m_VTop};
                ix[0] = q, ix[1] = q + 1, ix[2] = q + 2;
                ix[3] = q, ix[4] = q + 2, ix[5] = q + 3;
                v += 4, ix += 6, q += 4;
            }
        }
        px += float(g->m_AdvanceX);
        py += float(g->m_AdvanceY);
    }
    if (quads) {
        vertices.ResizeUnset(q);
        indices.ResizeUnset(firstIndex + (q - firstVertex) / 4 * 6);
    }

    if (!measure) {
        box.left = sx, box.right = px;
        box.top = sy, box.bottom = sy - float(font.m_LineHeight);
    } else if (!box.measured) {
        // Nothing but spaces: the empty box has no centre or edge to align.
        return {box.left, box.bottom, box.right, box.top};
    }

    float dx = 0, dy = 0;
    if (flags & kTextCentreX)
        dx = sx - std::floor((box.left + box.right) * 0.5f);
    else if (flags & kTextRight)
        dx = sx - box.right;
    else if (measure)
        dx = sx - box.left;
    if (flags & kTextCentreY)
        dy = sy - std::floor((box.bottom + box.top) * 0.5f);
    else if (flags & kTextBaseline)
        dy = float(font.m_Baseline);
    else if (flags & kTextBottom)
        dy = sy - box.bottom;
    else if (measure)
        dy = sy - box.top;

    if (std::fabs(dx) > 0.001f || std::fabs(dy) > 0.001f) {
        box.left += dx, box.right += dx;
        box.bottom += dy, box.top += dy;
        for (int i = firstVertex; i < q; ++i) {
            cTextVertex& p = vertices[i];
            p.x += dx, p.y += dy;
        }
    }
    return {box.left, box.bottom, box.right, box.top};
}

}  // namespace tovan

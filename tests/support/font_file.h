// Font files for tests, byte by byte as the format lays them out, so the tests
// check the reader against the format and not against a writer of its own.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tovan::test {

struct GlyphSpec {
    uint16_t code;
    int32_t offsetX, offsetY, width, height, advanceX, advanceY;
    float uLeft = 0, vBottom = 0, uRight = 0, vTop = 0;
};

struct FontSpec {
    int32_t baseline = 0, metric2 = 0, lineHeight = 0, padding = 0;
    std::vector<GlyphSpec> glyphs;
    uint16_t magic = 0x6663;
    uint8_t version = 0;
    int64_t count = -1;  // the glyph count written; -1: the number of glyphs
    bool withPadding = true;
};

std::string FontFileBytes(const FontSpec& spec);

// Glyphs for the codes first..last, each `advance` wide, with a quad of
// width x height and its code in the u of its left edge.
std::vector<GlyphSpec> GlyphRun(uint16_t first, uint16_t last, int32_t advance, int32_t width = 4, int32_t height = 8);

}  // namespace tovan::test

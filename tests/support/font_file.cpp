#include "tests/support/font_file.h"

#include <cstring>

namespace tovan::test {

namespace {
void Put(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += char(v >> (8 * i));
}
void PutF(std::string& out, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    Put(out, bits, 4);
}
}  // namespace

std::string FontFileBytes(const FontSpec& spec) {
    std::string out;
    Put(out, spec.magic, 2);
    Put(out, spec.version, 1);
    Put(out, uint32_t(spec.baseline), 4);
    Put(out, uint32_t(spec.metric2), 4);
    Put(out, uint32_t(spec.lineHeight), 4);
    Put(out, uint32_t(spec.count >= 0 ? spec.count : int64_t(spec.glyphs.size())), 4);
    for (const GlyphSpec& g : spec.glyphs) {
        Put(out, g.code, 2);
        PutF(out, g.uLeft);
        PutF(out, g.vBottom);
        PutF(out, g.uRight);
        PutF(out, g.vTop);
        for (int32_t v : {g.offsetX, g.offsetY, g.width, g.height, g.advanceX, g.advanceY})
            Put(out, uint32_t(v), 4);
    }
    if (spec.withPadding)
        Put(out, uint32_t(spec.padding), 4);
    return out;
}

std::vector<GlyphSpec> GlyphRun(uint16_t first, uint16_t last, int32_t advance, int32_t width, int32_t height) {
    std::vector<GlyphSpec> glyphs;
    for (uint32_t code = first; code <= last; ++code)
        glyphs.push_back({uint16_t(code), 0, 0, width, height, advance, 0, float(code), 0, 0, 0});
    return glyphs;
}

}  // namespace tovan::test

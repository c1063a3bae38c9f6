// Text layout: 100,000 glyphs of printable ASCII with spaces through a font of
// the 95 printable codes, into lists kept from run to run as the drawing keeps
// its own. Throughput is glyphs (codes) laid out.
#include <benchmark/benchmark.h>

#include "io/font.h"

namespace {

using namespace tovan;

constexpr int kGlyphs = 100000;

const cFont& Ascii() {
    static const cFont font = [] {
        cFont f;
        f.m_LineHeight = 14;
        f.m_Padding = 1;
        for (uint16_t code = 32; code < 127; ++code) {
            cFontGlyph g;
            g.m_Code = code;
            g.m_ULeft = (code % 16) / 16.0f, g.m_URight = g.m_ULeft + 1 / 16.0f;
            g.m_VTop = (code / 16) / 8.0f, g.m_VBottom = g.m_VTop + 1 / 8.0f;
            g.m_OffsetX = code % 2, g.m_OffsetY = 2, g.m_Width = 6 + code % 3, g.m_Height = 10, g.m_AdvanceX = 7;
            f.m_Glyphs.PushBack(g);
        }
        return f;
    }();
    return font;
}

// Words of 1 to 9 letters and digits between single spaces, and a few codes
// the font lacks.
const cList<uint16_t>& Text() {
    static const cList<uint16_t> text = [] {
        cList<uint16_t> t;
        uint32_t seed = 12345;
        while (t.Count() < kGlyphs) {
            seed = seed * 1664525u + 1013904223u;
            const int word = 1 + int(seed >> 28) % 9;
            for (int i = 0; i < word && t.Count() < kGlyphs; ++i) {
                seed = seed * 1664525u + 1013904223u;
                t.PushBack(uint16_t((seed >> 24) % 200 == 0 ? 0x20AC : 33 + (seed >> 16) % 94));
            }
            if (t.Count() < kGlyphs)
                t.PushBack(' ');
        }
        return t;
    }();
    return text;
}

void Layout(benchmark::State& state, uint8_t flags) {
    const cFont& font = Ascii();
    const cList<uint16_t>& text = Text();
    cList<cTextVertex> vertices;
    cList<int32_t> indices;
    for (auto _ : state) {
        vertices.ResizeUnset(0);
        indices.ResizeUnset(0);
        cRect box = LayoutText(font, 10.3f, 500.7f, text.Data(), text.Count(), flags, 0xFFFFFFFFu, vertices, indices);
        benchmark::DoNotOptimize(box);
        benchmark::DoNotOptimize(vertices.Data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * text.Count());
}

void BM_LayoutText(benchmark::State& state) { Layout(state, 0); }
void BM_LayoutTextCentredGlyphBox(benchmark::State& state) {
    Layout(state, kTextCentreX | kTextCentreY | kTextGlyphBox);
}
void BM_MeasureText(benchmark::State& state) { Layout(state, kTextNoQuads | kTextGlyphBox); }

}  // namespace

BENCHMARK(BM_LayoutText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayoutTextCentredGlyphBox)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MeasureText)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

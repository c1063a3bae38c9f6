// The font file reader and the glyph lookup.
#include "core/list.h"
#include "io/font.h"
#include "tests/support/font_file.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

using test::FontFileBytes;
using test::FontSpec;
using test::GlyphRun;

cStream StreamOf(const std::string& bytes, int position = 0) {
    cStream s;
    s.m_Bytes.AppendRange(reinterpret_cast<const uint8_t*>(bytes.data()), int(bytes.size()));
    s.m_Position = position;
    return s;
}

FontSpec TwoGlyphs() {
    FontSpec spec;
    spec.baseline = -3, spec.metric2 = 77, spec.lineHeight = 12, spec.padding = 2;
    spec.glyphs = {{65, 1, 2, 6, 8, 7, 0, 0.125f, 0.25f, 0.375f, 0.5f}, {0xFFE9, -1, -2, 5, 10, 6, -1, 1, 2, 3, 4}};
    return spec;
}

TEST(FontFile, ReadsEveryFieldInFileOrderFromTheStreamPosition) {
    const std::string bytes = "xyz" + FontFileBytes(TwoGlyphs());
    ASSERT_EQ(bytes.size(), 3u + 19 + 2 * 42 + 4);
    cStream in = StreamOf(bytes + "ignored", 3);
    cFont font;
    font.m_Texture = 9;
    ASSERT_TRUE(ReadFontFile(in, font));
    EXPECT_EQ(in.m_Position, int(bytes.size()));
    EXPECT_EQ(font.m_Texture, 9);  // not the reader's business
    EXPECT_EQ(std::vector<int32_t>({font.m_Baseline, font.m_Metric2, font.m_LineHeight, font.m_Padding}),
              std::vector<int32_t>({-3, 77, 12, 2}));
    ASSERT_EQ(font.m_Glyphs.Count(), 2);
    using Ints = std::vector<int32_t>;
    using Floats = std::vector<float>;
    const Ints ints[2] = {{65, 1, 2, 6, 8, 7, 0}, {0xFFE9, -1, -2, 5, 10, 6, -1}};
    const Floats floats[2] = {{0.125f, 0.25f, 0.375f, 0.5f}, {1, 2, 3, 4}};
    for (int i = 0; i < 2; ++i) {
        const cFontGlyph& g = font.m_Glyphs[i];
        EXPECT_EQ(Ints({g.m_Code, g.m_OffsetX, g.m_OffsetY, g.m_Width, g.m_Height, g.m_AdvanceX, g.m_AdvanceY}),
                  ints[i]);
        EXPECT_EQ(Floats({g.m_ULeft, g.m_VBottom, g.m_URight, g.m_VTop}), floats[i]);
    }
}

TEST(FontFile, RefusesMalformedFilesBeforeAllocatingAndClearsWhatItRead) {
    const std::string good = FontFileBytes(TwoGlyphs());
    FontSpec magic = TwoGlyphs(), version = TwoGlyphs(), hostile, limit, over = TwoGlyphs(), lying = TwoGlyphs();
    FontSpec noPadding = TwoGlyphs(), unsorted = TwoGlyphs(), twice = TwoGlyphs(), none;
    magic.magic = 0x6763;  // "c", "g"
    version.version = 1;
    hostile.count = 65536;  // 2.7 MB announced, none present
    limit.glyphs = GlyphRun(0, 65535, 1);
    over.count = 65537;
    lying.count = 3;  // two records and the padding follow
    noPadding.withPadding = false;
    unsorted.glyphs = {unsorted.glyphs[1], unsorted.glyphs[0]};
    twice.glyphs[1].code = twice.glyphs[0].code;
    const struct {
        const char* what;
        std::string bytes;
        int glyphs;  // -1: refused
    } cases[] = {
        {"empty", "", -1},
        {"cut in the header", good.substr(0, 18), -1},
        {"cut in a glyph", good.substr(0, 19 + 41), -1},
        {"cut in the padding", good.substr(0, good.size() - 1), -1},
        {"no padding", FontFileBytes(noPadding), -1},
        {"wrong magic", FontFileBytes(magic), -1},
        {"version 1", FontFileBytes(version), -1},
        {"65536 glyphs announced", FontFileBytes(hostile), -1},
        {"65537 glyphs", FontFileBytes(over), -1},
        {"count beyond the file", FontFileBytes(lying), -1},
        {"codes out of order", FontFileBytes(unsorted), -1},
        {"a code twice", FontFileBytes(twice), -1},
        {"no glyphs", FontFileBytes(none), 0},
        {"65536 glyphs", FontFileBytes(limit), 65536},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cStream in = StreamOf(c.bytes);
        cFont font;
        font.m_Baseline = font.m_LineHeight = font.m_Padding = 1;
        font.m_Glyphs.PushBack(cFontGlyph{});
        const int blocks = ListLiveBlocks();
        EXPECT_EQ(ReadFontFile(in, font), c.glyphs >= 0);
        EXPECT_EQ(font.m_Glyphs.Count(), c.glyphs < 0 ? 0 : c.glyphs);
        if (c.glyphs < 0) {
            EXPECT_EQ(ListLiveBlocks(), blocks - 1);  // the old glyphs went, nothing came
            EXPECT_EQ(font.m_Baseline + font.m_LineHeight + font.m_Padding, 0);
        }
    }
}

TEST(FindGlyph, SearchesCodesAsUnsigned16BitValues) {
    cList<cFontGlyph> glyphs;
    EXPECT_EQ(FindGlyph(glyphs, 0), -1);
    // A run from the first code, a gap, and codes above 0x7FFF.
    for (uint16_t code : {32, 33, 34, 35, 65, 66, 200, 0x7FFF, 0x8000, 0xFFE9, 0xFFFF})
        glyphs.PushBack(cFontGlyph{code});
    const struct {
        uint16_t code;
        int32_t index;
    } cases[] = {{32, 0},  {35, 3},     {36, -1},    {65, 4},     {66, 5},      {67, -1},     {0, -1},     {31, -1},
                 {200, 6}, {0x7FFF, 7}, {0x8000, 8}, {0xFFE9, 9}, {0xFFFF, 10}, {0xFFFE, -1}, {0x8001, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(FindGlyph(glyphs, c.code), c.index) << c.code;
}

}  // namespace
}  // namespace tovan

// The font file reader and the glyph lookup.
#include "core/list.h"
#include "io/font.h"
#include "tests/support/font_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace tovan {
namespace {

using test::FontFileBytes;
using test::FontSpec;
using test::GlyphRun;
using test::GlyphSpec;

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

TEST(FontFile, ReadsEveryFieldInFileOrder) {
    const std::string bytes = FontFileBytes(TwoGlyphs());
    ASSERT_EQ(bytes.size(), 19u + 2 * 42 + 4);
    cStream in = StreamOf(bytes + "tail bytes are ignored");
    cFont font;
    font.m_Name.SetText("kept");
    font.m_Texture = 9;
    ASSERT_TRUE(ReadFontFile(in, font));
    EXPECT_EQ(font.m_Baseline, -3);
    EXPECT_EQ(font.m_Metric2, 77);
    EXPECT_EQ(font.m_LineHeight, 12);
    EXPECT_EQ(font.m_Padding, 2);
    EXPECT_STREQ(font.m_Name.GetText(), "kept");  // not the reader's business
    EXPECT_EQ(font.m_Texture, 9);
    ASSERT_EQ(font.m_Glyphs.Count(), 2);
    const cFontGlyph& a = font.m_Glyphs[0];
    EXPECT_EQ(a.m_Code, 65);
    EXPECT_EQ(a.m_ULeft, 0.125f);
    EXPECT_EQ(a.m_VBottom, 0.25f);
    EXPECT_EQ(a.m_URight, 0.375f);
    EXPECT_EQ(a.m_VTop, 0.5f);
    EXPECT_EQ(a.m_OffsetX, 1);
    EXPECT_EQ(a.m_OffsetY, 2);
    EXPECT_EQ(a.m_Width, 6);
    EXPECT_EQ(a.m_Height, 8);
    EXPECT_EQ(a.m_AdvanceX, 7);
    EXPECT_EQ(a.m_AdvanceY, 0);
    const cFontGlyph& b = font.m_Glyphs[1];
    EXPECT_EQ(b.m_Code, 0xFFE9);
    EXPECT_EQ(b.m_OffsetX, -1);
    EXPECT_EQ(b.m_OffsetY, -2);
    EXPECT_EQ(b.m_AdvanceY, -1);
    EXPECT_EQ(b.m_VTop, 4.0f);
}

TEST(FontFile, ReadsFromTheStreamPosition) {
    const std::string bytes = "xyz" + FontFileBytes(TwoGlyphs());
    cStream in = StreamOf(bytes, 3);
    cFont font;
    ASSERT_TRUE(ReadFontFile(in, font));
    EXPECT_EQ(font.m_Glyphs.Count(), 2);
    EXPECT_EQ(in.m_Position, int(bytes.size()));
}

TEST(FontFile, TheLargestCountAndNoGlyphsAreRead) {
    FontSpec full;
    full.glyphs = GlyphRun(0, 65535, 1);
    cStream in = StreamOf(FontFileBytes(full));
    cFont font;
    ASSERT_TRUE(ReadFontFile(in, font));
    ASSERT_EQ(font.m_Glyphs.Count(), 65536);
    EXPECT_EQ(font.m_Glyphs[65535].m_Code, 65535);

    FontSpec none;
    none.padding = 5;
    in = StreamOf(FontFileBytes(none));
    ASSERT_TRUE(ReadFontFile(in, font));
    EXPECT_EQ(font.m_Glyphs.Count(), 0);
    EXPECT_EQ(font.m_Padding, 5);
}

TEST(FontFile, RefusesMalformedFilesAndClearsWhatItRead) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::string good = FontFileBytes(TwoGlyphs());
    FontSpec wrongMagic = TwoGlyphs(), version = TwoGlyphs(), tooMany = TwoGlyphs(), lying = TwoGlyphs();
    FontSpec noPadding = TwoGlyphs(), unsorted = TwoGlyphs(), twice = TwoGlyphs();
    wrongMagic.magic = 0x6663 + 0x100;  // "c" then "g"
    version.version = 1;
    tooMany.count = 65537;
    tooMany.glyphs = GlyphRun(0, 65535, 1);
    tooMany.glyphs.push_back({0xFFFF, 0, 0, 1, 1, 1, 0});  // all there, still refused
    lying.count = 3;                                       // two records and the padding follow
    noPadding.withPadding = false;
    unsorted.glyphs = {unsorted.glyphs[1], unsorted.glyphs[0]};
    twice.glyphs[1].code = twice.glyphs[0].code;
    const Case cases[] = {
        {"empty", ""},
        {"magic alone", good.substr(0, 2)},
        {"cut in the header", good.substr(0, 18)},
        {"cut in a glyph", good.substr(0, 19 + 41)},
        {"cut in the padding", good.substr(0, good.size() - 1)},
        {"no padding", FontFileBytes(noPadding)},
        {"wrong magic", FontFileBytes(wrongMagic)},
        {"version 1", FontFileBytes(version)},
        {"65537 glyphs", FontFileBytes(tooMany)},
        {"count beyond the file", FontFileBytes(lying)},
        {"codes out of order", FontFileBytes(unsorted)},
        {"a code twice", FontFileBytes(twice)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cStream in = StreamOf(c.bytes);
        cFont font;
        font.m_Baseline = font.m_LineHeight = font.m_Padding = 1;
        font.m_Glyphs.PushBack(cFontGlyph{});
        EXPECT_FALSE(ReadFontFile(in, font));
        EXPECT_EQ(font.m_Glyphs.Count(), 0);
        EXPECT_EQ(font.m_Baseline, 0);
        EXPECT_EQ(font.m_LineHeight, 0);
        EXPECT_EQ(font.m_Padding, 0);
    }
}

TEST(FontFile, AHostileGlyphCountIsRefusedBeforeAnyAllocation) {
    FontSpec hostile;
    hostile.count = 65536;  // 2.7 MB of glyphs announced, none present
    cStream in = StreamOf(FontFileBytes(hostile));
    cFont font;
    const int blocks = ListLiveBlocks();
    EXPECT_FALSE(ReadFontFile(in, font));
    EXPECT_EQ(ListLiveBlocks(), blocks);
    EXPECT_EQ(font.m_Glyphs.Capacity(), 0);
}

TEST(FindGlyph, SearchesCodesAsUnsigned16BitValues) {
    cList<cFontGlyph> glyphs;
    struct Case {
        uint16_t code;
        int32_t index;
    };
    EXPECT_EQ(FindGlyph(glyphs, 0), -1);
    // A gap after the run that starts the list, and codes above 0x7FFF.
    for (uint16_t code : {32, 33, 34, 35, 65, 66, 200, 0x7FFF, 0x8000, 0xFFE9, 0xFFFF}) {
        cFontGlyph g;
        g.m_Code = code;
        glyphs.PushBack(g);
    }
    const Case cases[] = {{32, 0},     {35, 3},     {36, -1},     {65, 4},      {66, 5},
                          {67, -1},    {0, -1},     {31, -1},     {200, 6},     {0x7FFF, 7},
                          {0x8000, 8}, {0xFFE9, 9}, {0xFFFF, 10}, {0xFFFE, -1}, {0x8001, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(FindGlyph(glyphs, c.code), c.index) << c.code;
    cList<cFontGlyph> one;
    one.PushBack(glyphs[9]);
    EXPECT_EQ(FindGlyph(one, 0xFFE9), 0);
    EXPECT_EQ(FindGlyph(one, 0x0069), -1);
}

TEST(FontFile, TheFuzzSeedsReadAsTheirNamesSay) {
    struct Case {
        const char* file;
        int glyphs;  // -1: refused
    };
    const Case cases[] = {{"ascii.cFont", 95},         {"three.cFont", 3},        {"empty.cFont", 0},
                          {"hostile_count.cFont", -1}, {"hostile_cut.cFont", -1}, {"hostile_order.cFont", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::ifstream file(std::string(TOVAN_TEST_DATA) + "/font_file/" + c.file, std::ios::binary);
        ASSERT_TRUE(file.good());
        cStream in = StreamOf(std::string(std::istreambuf_iterator<char>(file), {}));
        cFont font;
        EXPECT_EQ(ReadFontFile(in, font), c.glyphs >= 0);
        EXPECT_EQ(font.m_Glyphs.Count(), c.glyphs < 0 ? 0 : c.glyphs);
    }
}

}  // namespace
}  // namespace tovan

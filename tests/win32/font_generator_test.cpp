// Font generation over a fake glyph source: shelf packing and the atlas size
// it picks, pixel placement, the font file's bytes and the required codes.
#include "io/io.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch.h"
#include "win32/font_generator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

namespace tovan {
namespace {

// Box sizes by code; every glyph is a filled box of level 64 but for a
// checker pixel of level 1 at its top-left.
class FakeGlyphs : public cGlyphSource {
public:
    struct Box {
        int w, h;
    };
    std::map<uint16_t, Box> boxes;
    bool shortBitmaps = false;

    int32_t Ascent() const override { return 12; }
    int32_t Descent() const override { return 3; }
    void SupportedCodes(cCodeSet& codes) override {
        codes.reset();
        for (const auto& b : boxes)
            codes.set(b.first);
    }
    void Glyph(uint16_t code, cGlyphMetrics& m, cList<uint8_t>* grey) override {
        const Box box = boxes.at(code);
        m = {box.w, box.h, 1, 10, box.w + 1, 0};
        if (!grey)
            return;
        const int stride = (box.w + 3) & ~3;
        grey->Resize(shortBitmaps ? stride * box.h - 1 : stride * box.h, uint8_t(0));
        for (int r = 0; r < box.h && !shortBitmaps; ++r)
            for (int c = 0; c < box.w; ++c)
                (*grey)[r * stride + c] = (r == 0 && c == 0) ? 1 : 64;
    }
};

cFontChoice Choice(const char* face, int32_t weight, int32_t pointTenths) {
    cFontChoice choice;
    std::snprintf(choice.m_Font.faceName, sizeof(choice.m_Font.faceName), "%s", face);
    choice.m_Font.weight = weight;
    choice.m_PointTenths = pointTenths;
    return choice;
}

cList<uint16_t> Codes(const FakeGlyphs& source) {
    cList<uint16_t> codes;
    for (const auto& b : source.boxes)
        codes.PushBack(b.first);
    return codes;
}

// The atlas pixel at (x, y from the top) of a bottom-up 8-bit BMP.
uint8_t Pixel(const cList<uint8_t>& bmp, int width, int height, int x, int y) {
    const int stride = (width + 3) & ~3;
    return bmp[1078 + (height - 1 - y) * stride + x];
}

TEST(FontPacking, ShelvesPickTheSmallestAtlasAndRefuseGlyphsWiderThanIt) {
    struct Case {
        const char* name;
        std::map<uint16_t, FakeGlyphs::Box> boxes;
        bool fits[3];  // 64 x 64, 128 x 64, 128 x 128
    };
    const Case cases[] = {
        {"5 and 60 wide", {{65, {5, 40}}, {66, {60, 59}}}, {false, true, true}},
        {"60 wide alone", {{65, {60, 10}}}, {false, true, true}},  // 60 + 4 is not below 64
        {"59 wide alone", {{65, {59, 10}}}, {true, true, true}},
        // Opens a second shelf: tested again there rather than placed past the edge.
        {"5 then 62 wide", {{65, {5, 10}}, {66, {62, 10}}}, {false, true, true}},
        {"60 tall", {{65, {5, 60}}}, {false, false, true}},  // 2 + 60 + 2 reaches the bottom
        {"two shelves", {{65, {40, 20}}, {66, {40, 20}}}, {true, true, true}},
        {"three shelves", {{65, {40, 20}}, {66, {40, 20}}, {67, {40, 20}}}, {false, true, true}},
        {"blank", {{32, {0, 0}}}, {true, true, true}},
    };
    const cAtlasSize sizes[3] = {{64, 64}, {128, 64}, {128, 128}};
    for (const Case& c : cases) {
        FakeGlyphs source;
        source.boxes = c.boxes;
        for (int s = 0; s < 3; ++s) {
            cList<cFontGlyph> glyphs;
            const bool fits =
                PackFontGlyphs(source, Codes(source), sizes[s].m_Width, sizes[s].m_Height, glyphs, nullptr);
            EXPECT_EQ(fits, c.fits[s]) << c.name << " at " << sizes[s].m_Width << "x" << sizes[s].m_Height;
            for (const cFontGlyph& g : fits ? glyphs : cList<cFontGlyph>()) {
                EXPECT_LE(g.m_URight, 1.0f) << c.name;
                EXPECT_GE(g.m_VBottom, 0.0f) << c.name;
            }
        }
    }
}

TEST(FontPacking, RecordsBorderedBoxesAndDrawsLevelsTimesFourLessOne) {
    FakeGlyphs source;
    source.boxes = {{65, {5, 4}}, {66, {60, 7}}};
    cGreyAtlas atlas;
    ASSERT_TRUE(atlas.Create(128, 64));
    cList<cFontGlyph> glyphs;
    ASSERT_TRUE(PackFontGlyphs(source, Codes(source), 128, 64, glyphs, &atlas));
    ASSERT_EQ(glyphs.Count(), 2);
    struct Expect {
        uint16_t code;
        float u0, u1, vTop, vBottom;
        int w, h;
    };
    // Second glyph: x = 2 + 5 after the first.
    const Expect expect[] = {{65, 1 / 128.f, 8 / 128.f, 63 / 64.f, 57 / 64.f, 7, 6},
                             {66, 8 / 128.f, 70 / 128.f, 63 / 64.f, 54 / 64.f, 62, 9}};
    for (int i = 0; i < 2; ++i) {
        const cFontGlyph& g = glyphs[i];
        EXPECT_EQ(g.m_Code, expect[i].code);
        EXPECT_FLOAT_EQ(g.m_ULeft, expect[i].u0);
        EXPECT_FLOAT_EQ(g.m_URight, expect[i].u1);
        EXPECT_FLOAT_EQ(g.m_VTop, expect[i].vTop);
        EXPECT_FLOAT_EQ(g.m_VBottom, expect[i].vBottom);
        EXPECT_EQ(g.m_Width, expect[i].w);
        EXPECT_EQ(g.m_Height, expect[i].h);
        EXPECT_EQ(g.m_OffsetX, 0);  // origin x 1, less the border
        EXPECT_EQ(g.m_OffsetY, 1);  // ascent 12 - origin y 10 - 1
        EXPECT_EQ(g.m_AdvanceX, expect[i].w - 1);
    }
    const cList<uint8_t>& bmp = atlas.Bytes();
    ASSERT_EQ(bmp.Count(), 1078 + 128 * 64);
    struct Probe {
        int x, y;
        uint8_t value;
    };
    const Probe probes[] = {{2, 2, 3}, {3, 2, 255}, {6, 5, 255},  {7, 2, 0},  {2, 6, 0},
                            {1, 2, 0}, {9, 2, 3},   {68, 8, 255}, {69, 8, 0}, {9, 9, 0}};
    for (const Probe& p : probes)
        EXPECT_EQ(Pixel(bmp, 128, 64, p.x, p.y), p.value) << p.x << "," << p.y;

    source.shortBitmaps = true;  // bitmaps shorter than their boxes stay blank
    ASSERT_TRUE(atlas.Create(128, 64));
    ASSERT_TRUE(PackFontGlyphs(source, Codes(source), 128, 64, glyphs, &atlas));
    for (int i = 1078; i < bmp.Count(); ++i)
        ASSERT_EQ(bmp[i], 0) << i;
}

TEST(FontPacking, AtlasIsAnEightBitGreyBmp) {
    cGreyAtlas atlas;
    ASSERT_TRUE(atlas.Create(6, 2));  // stride 8
    const cList<uint8_t>& b = atlas.Bytes();
    ASSERT_EQ(b.Count(), 1078 + 16);
    const uint8_t head[] = {'B', 'M', 0x46, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0, 40, 0, 0,  0,
                            6,   0,   0,    0,    2, 0, 0, 0, 1, 0, 8,    0,    0, 0, 0,  0, 16, 0};
    for (size_t i = 0; i < sizeof(head); ++i)
        EXPECT_EQ(b[int(i)], head[i]) << i;
    EXPECT_EQ(b[46], 0);  // 256 colours used
    EXPECT_EQ(b[47], 1);
    EXPECT_EQ(b[54 + 4 * 200], 200);
    EXPECT_EQ(b[54 + 4 * 200 + 3], 0);
    atlas.Set(5, 0, 9);  // top row is stored last
    atlas.Set(6, 0, 9);  // out of range: ignored
    atlas.Set(0, 2, 9);
    EXPECT_EQ(b[1078 + 8 + 5], 9);
    EXPECT_EQ(b[1078 + 8 + 6], 0);
    EXPECT_FALSE(atlas.Create(0, 4));
    EXPECT_FALSE(atlas.Create(4096, 4));
}

class FontFiles : public test::ScratchTest {
protected:
    void SetUp() override { cIO::SetWriteFolder(scratch.Path().c_str()); }
    void TearDown() override { cIO::SetWriteFolder(""); }
};

TEST_F(FontFiles, GeneratesTheSmallestAtlasAndTheFontFile) {
    FakeGlyphs source;
    source.boxes = {{'a', {5, 40}}, {'b', {60, 50}}, {0x20AC, {3, 3}}, {0x300, {3, 3}}};
    cCodeSet required;
    required.set('a');
    required.set('b');
    required.set(0x20AC);
    test::LogCapture log;
    ASSERT_TRUE(GenerateFontFrom(source, required, Choice("Fake", 700, 120)));
    EXPECT_EQ(log.Logs(), std::vector<std::string>{"Generated font \"Fake B12\""});

    const std::string file = scratch.Read("Fonts\\Fake B12.cFont");
    ASSERT_EQ(file.size(), 23u + 42u * 3u);  // 0x300 is supported but not required
    const uint8_t head[] = {0x63, 0x66, 0, 12, 0, 0, 0, 3, 0, 0, 0, 15, 0, 0, 0, 3, 0, 0, 0, 'a', 0};
    EXPECT_EQ(file.compare(0, sizeof(head), std::string(reinterpret_cast<const char*>(head), sizeof(head))), 0);
    EXPECT_EQ(file.substr(file.size() - 4), std::string("\1\0\0\0", 4));
    cStream in;
    in.m_Bytes.AppendRange(reinterpret_cast<const uint8_t*>(file.data()), int(file.size()));
    cFont font;
    ASSERT_TRUE(ReadFontFile(in, font));
    ASSERT_EQ(font.m_Glyphs.Count(), 3);
    EXPECT_EQ(font.m_Glyphs[2].m_Code, 0x20AC);
    EXPECT_EQ(font.m_LineHeight, 15);
    EXPECT_EQ(font.m_Padding, 1);

    const std::string bmp = scratch.Read("Fonts\\Fake B12.bmp");  // no png codec here
    ASSERT_EQ(bmp.size(), 1078u + 128u * 64u);
    EXPECT_EQ(uint8_t(bmp[18]), 128);
    EXPECT_EQ(uint8_t(bmp[22]), 64);
}

TEST_F(FontFiles, GlyphsTooBigForTheLargestAtlasWarnAndWriteNothing) {
    FakeGlyphs source;
    for (uint16_t code = 0; code < 12; ++code)
        source.boxes[code] = {1000, 1000};
    cCodeSet required;
    required.set();
    test::LogCapture log;
    EXPECT_FALSE(GenerateFontFrom(source, required, Choice("Huge", 700, 4005)));  // "Huge B400"
    EXPECT_EQ(log.Warnings(),
              std::vector<std::string>{"Can't generate font \"Huge\" with such big size as \"400\" pixels"});
    EXPECT_FALSE(scratch.Exists("Fonts"));
}

TEST_F(FontFiles, RequiredCodesAreAsciiAndEveryUnitOfTheFiles) {
    scratch.Write("chars.xml", "<a>\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80</a>");  // e-acute, euro, one pair
    cList<cStr> files;
    files.PushBack(cStr((scratch / "chars.xml").c_str()));
    files.PushBack(cStr((scratch / "missing.xml").c_str()));
    cCodeSet required;
    test::LogCapture log;
    AddRequiredCharacters(files, required);
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Can't load file \"" + scratch / "missing.xml" + "\""});
    cCodeSet expected;
    for (int code = 0; code < 128; ++code)
        expected.set(size_t(code));
    for (const int unit : {0xE9, 0x20AC, 0xD83D, 0xDE00})
        expected.set(size_t(unit));
    EXPECT_EQ(required, expected);

    cCodeSet supported;
    supported.set(0x41);
    supported.set(0x20AC);
    supported.set(0x4E00);
    cList<uint16_t> codes;
    FontGlyphCodes(required, supported, codes);
    ASSERT_EQ(codes.Count(), 2);
    EXPECT_EQ(codes[0], 0x41);
    EXPECT_EQ(codes[1], 0x20AC);
}

}  // namespace
}  // namespace tovan

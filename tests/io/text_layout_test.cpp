// Text layout on a small hand-made font, and drawing through the device in
// GUI space and at world points.
#include "core/pack_color.h"
#include "io/font.h"
#include "tests/support/fixed_view.h"
#include "tests/support/recording_renderer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tovan {
namespace {

cFontGlyph Glyph(uint16_t code, int32_t ox, int32_t oy, int32_t w, int32_t h, int32_t ax, int32_t ay = 0) {
    cFontGlyph g;
    g.m_Code = code;
    g.m_OffsetX = ox, g.m_OffsetY = oy, g.m_Width = w, g.m_Height = h, g.m_AdvanceX = ax, g.m_AdvanceY = ay;
    g.m_ULeft = code * 0.01f, g.m_VBottom = 0.25f, g.m_URight = code * 0.01f + 0.005f, g.m_VTop = 0.5f;
    return g;
}

// Space, 'A' and 'B'. "AB" from the pen (10, 21): A spans x 11..17, y 11..19;
// B spans x 17..22, y 11..21; the pen ends at 23. Less the padding of 1 the
// glyph box is x 12..21, y 12..20.
cFont SmallFont() {
    cFont font;
    font.m_Baseline = 3;
    font.m_LineHeight = 12;
    font.m_Padding = 1;
    font.m_Texture = 5;
    font.m_Glyphs.PushBack(Glyph(32, 0, 0, 3, 3, 4));
    font.m_Glyphs.PushBack(Glyph(65, 1, 2, 6, 8, 7));
    font.m_Glyphs.PushBack(Glyph(66, 0, 0, 5, 10, 6));
    return font;
}

// 40 glyphs from '0': index 31 is 'O', which stands in for missing codes.
cFont WideFont() {
    cFont font;
    font.m_LineHeight = 10;
    for (uint16_t code = '0'; code < '0' + 40; ++code)
        font.m_Glyphs.PushBack(Glyph(code, 0, 0, 4, 6, 5 + (code == 'O' ? 3 : 0)));
    return font;
}

struct Laid {
    cRect box;
    cList<cTextVertex> vertices;
    cList<int32_t> indices;
};

Laid Lay(const cFont& font, const std::u16string& text, float x, float y, uint8_t flags) {
    Laid out;
    out.box = LayoutText(font, x, y, reinterpret_cast<const uint16_t*>(text.data()), int(text.size()), flags,
                         0x11223344u, out.vertices, out.indices);
    return out;
}

void ExpectRect(const cRect& r, float x0, float y0, float x1, float y1) {
    EXPECT_EQ(r.x0, x0);
    EXPECT_EQ(r.y0, y0);
    EXPECT_EQ(r.x1, x1);
    EXPECT_EQ(r.y1, y1);
}

TEST(TextLayout, AlignmentFlagsPlaceTheBox) {
    struct Case {
        uint8_t flags;
        float x0, y0, x1, y1;
        int quads;
    };
    // Pen box {10, 9, 23, 21} (line height 12); glyph box {12, 12, 21, 20}.
    const Case cases[] = {
        {0x00, 10, 9, 23, 21, 2},                              // the pen box where the pen started
        {0x01, 4, 9, 17, 21, 2},                               // centre 16.5 rounds down to 16
        {0x02, -3, 9, 10, 21, 2},                              // ends at x
        {0x03, 4, 9, 17, 21, 2},                               // centring wins over right
        {0x04, 10, 15, 23, 27, 2},                             // centre 15 on y
        {0x08, 10, 12, 23, 24, 2},                             // the baseline offset
        {0x10, 10, 21, 23, 33, 2},                             // bottom on y
        {0x0C, 10, 15, 23, 27, 2},                             // centring wins over the baseline
        {0x40, 10, 13, 19, 21, 2},                             // glyph box: left on x, top on y
        {0x41, 6, 13, 15, 21, 2},                              // centre 16.5 -> 16
        {0x42, 1, 13, 10, 21, 2},  {0x45, 6, 17, 15, 25, 2},   // centred on (10, 21)
        {0x48, 10, 15, 19, 23, 2},                             // the baseline replaces top-on-y
        {0x50, 10, 21, 19, 29, 2}, {0x60, 10, 13, 19, 21, 0},  // the same glyph box, without quads
        {0x20, 10, 9, 23, 21, 0},                              // pen box, nothing looked at
        {0x25, 4, 15, 17, 27, 0},
    };
    const cFont font = SmallFont();
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.flags));
        const Laid laid = Lay(font, u"AB", 10.4f, 20.6f, c.flags);
        ExpectRect(laid.box, c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(laid.vertices.Count(), 4 * c.quads);
        EXPECT_EQ(laid.indices.Count(), 6 * c.quads);
    }
}

TEST(TextLayout, QuadsCarryTheirCornersTextureAndColour) {
    const cFont font = SmallFont();
    const Laid laid = Lay(font, u"A B", 10, 21, 0x45);
    // A at 11..17 x 11..19, the space advances 4, B at 21..26 x 11..21; the box
    // {12, 12, 25, 20} centres on (18.5, 16), so all moves by (-8, +5).
    ExpectRect(laid.box, 4, 17, 17, 25);
    ASSERT_EQ(laid.vertices.Count(), 8);
    struct Corner {
        float x, y, u, v;
    };
    const float ua = 0.65f, ub = 0.66f;
    const Corner corners[] = {
        {3, 24, ua, 0.5f},  {3, 16, ua, 0.25f},  {9, 16, ua + 0.005f, 0.25f},  {9, 24, ua + 0.005f, 0.5f},
        {13, 26, ub, 0.5f}, {13, 16, ub, 0.25f}, {18, 16, ub + 0.005f, 0.25f}, {18, 26, ub + 0.005f, 0.5f}};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const cTextVertex& v = laid.vertices[i];
        EXPECT_EQ(v.x, corners[i].x);
        EXPECT_EQ(v.y, corners[i].y);
        EXPECT_EQ(v.z, 0);
        EXPECT_EQ(v.color, 0x11223344u);
        EXPECT_FLOAT_EQ(v.u, corners[i].u);
        EXPECT_EQ(v.v, corners[i].v);
    }
    const int32_t indices[] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
    ASSERT_EQ(laid.indices.Count(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(laid.indices[i], indices[i]);
}

TEST(TextLayout, MissingCodesTakeGlyph31OrAreSkippedInSmallFonts) {
    struct Case {
        const char* what;
        bool wide;
        std::u16string text;
        float penEnd;  // the pen box's right edge from x = 0
        int quads;
    };
    const Case cases[] = {
        {"wide: 'z' drawn as 'O'", true, u"0z1", 5 + 8 + 5, 3},
        {"wide: a lone missing code", true, u"\u20AC", 8, 1},
        {"small: skipped, the pen stays", false, u"A\u20ACB", 13, 2},
        {"small: nothing drawable", false, u"zz", 0, 0},
        {"small: spaces advance", false, u"  ", 8, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const cFont font = c.wide ? WideFont() : SmallFont();
        const Laid laid = Lay(font, c.text, 0, 0, 0);
        EXPECT_EQ(laid.box.x1, c.penEnd);
        EXPECT_EQ(laid.vertices.Count(), 4 * c.quads);
    }
    // The stand-in's quad takes the stand-in's texture.
    const Laid laid = Lay(WideFont(), u"z", 0, 0, 0);
    ASSERT_EQ(laid.vertices.Count(), 4);
    EXPECT_FLOAT_EQ(laid.vertices[0].u, 'O' * 0.01f);
}

TEST(TextLayout, SpacesAloneMeasureAnEmptyBoxThatStaysPut) {
    const cFont font = SmallFont();
    for (uint8_t flags : {0x40, 0x41, 0x45, 0x42, 0x50, 0x60, 0x65}) {
        SCOPED_TRACE(int(flags));
        const Laid laid = Lay(font, u"   ", 10, 20, flags);
        EXPECT_TRUE(laid.box.IsEmpty());
        ExpectRect(laid.box, kFloatMax, kFloatMax, -kFloatMax, -kFloatMax);
        EXPECT_EQ(laid.vertices.Count(), 0);
    }
    // Without the glyph box spaces measure by the pen like anything else.
    ExpectRect(Lay(font, u"   ", 10, 20, 0x05).box, 4, 14, 16, 26);
}

// --- drawing -------------------------------------------------------------------------

class TextDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        cFont font = SmallFont();
        font.m_Name.SetText("text-draw-test");
        m_Font = AddFont(font);
    }
    static std::vector<cTextVertex> Vertices(const test::RenderCall& call) {
        std::vector<cTextVertex> v(call.vertices.size() / sizeof(cTextVertex));
        std::memcpy(v.data(), call.vertices.data(), v.size() * sizeof(cTextVertex));
        return v;
    }
    int32_t m_Font = -1;
    test::RecordingRenderer device;
};

TEST_F(TextDrawTest, DrawsThroughTheSharedStateAndPutsTheRenderFlagBack) {
    device.SetVertexBytes("Font", sizeof(cTextVertex));
    RenderStates.SetRenderFlag(true);
    device.ClearCalls();
    const cColor red{1, 0, 0, 0.5f};
    const cRect box = DrawText(m_Font, 10, "AB", 21, 0, &red);
    ExpectRect(box, 10, 9, 23, 21);
    EXPECT_EQ(device.Ops(),
              (std::vector<std::string>{"SetRenderFlag", "CreateBlendState", "SetBlendState", "SetRenderStateA",
                                        "GetShader", "GetSampler", "CreateSamplerState", "BindShader",
                                        "SetTextureSampler", "BindTexture", "DrawIndexed", "SetRenderFlag"}));
    const auto calls = device.Calls();
    EXPECT_EQ(calls[0].ints, std::vector<int>{0});
    EXPECT_EQ(calls[1].ints[0], 4);  // (4, 5, 0, 15)
    EXPECT_EQ(calls[1].ints[3], 15);
    EXPECT_EQ(calls[3].ints, std::vector<int>{-1});
    EXPECT_EQ(calls[4].text, "Font");
    EXPECT_EQ(calls[5].text, "s_Glyphs");
    EXPECT_EQ(calls[8].ints[0], 5);  // the font's texture, with the sampler state
    EXPECT_EQ(calls[8].ints[1], calls[6].ints[4]);
    EXPECT_EQ(calls[9].ints[1], 5);
    EXPECT_EQ(calls[10].ints, (std::vector<int>{3, 8, 12, 4, device.BoundShader()}));
    EXPECT_EQ(calls[11].ints, std::vector<int>{1});
    const std::vector<cTextVertex> v = Vertices(calls[10]);
    ASSERT_EQ(v.size(), 8u);
    EXPECT_EQ(v[0].x, 11);
    EXPECT_EQ(v[0].y, 19);
    EXPECT_EQ(v[0].color, PackColor(red));
    EXPECT_EQ(calls[10].indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}));
    EXPECT_TRUE(RenderStates.m_RenderFlag);

    // Again: the ids are kept and the states already match.
    device.ClearCalls();
    DrawText(m_Font, 0, "A", 0, 0, nullptr);
    EXPECT_EQ(device.Ops(), (std::vector<std::string>{"SetRenderFlag", "BindShader", "SetTextureSampler", "BindTexture",
                                                      "DrawIndexed", "SetRenderFlag"}));
    EXPECT_EQ(Vertices(device.CallsNamed("DrawIndexed")[0])[0].color, 0xFF000000u);  // opaque black
}

TEST_F(TextDrawTest, MeasuringOrNothingToDrawReachesNoDevice) {
    struct Case {
        const char* what;
        int32_t font;
        const char* text;
        uint8_t flags;
        cRect box;
    };
    const Case cases[] = {
        {"measure only", m_Font, "AB", 0x60, {10, 13, 19, 21}},
        {"spaces", m_Font, "  ", 0, {10, 9, 18, 21}},
        {"no text", m_Font, "", 0, {0, 0, 0, 0}},
        {"null text", m_Font, nullptr, 0, {0, 0, 0, 0}},
        {"no font", -1, "AB", 0, {0, 0, 0, 0}},
        {"font past the table", FontCount(), "AB", 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        device.ClearCalls();
        const cRect box = DrawText(c.font, 10, c.text, 21, c.flags, nullptr);
        ExpectRect(box, c.box.x0, c.box.y0, c.box.x1, c.box.y1);
        EXPECT_TRUE(device.Calls().empty());
    }
}

TEST_F(TextDrawTest, TextAtAWorldPointDrawsWhereTheViewShowsIt) {
    EXPECT_EQ(DrawText3D(m_Font, "AB", {2, 1, 0}, 0, nullptr), (cRect{0, 0, 0, 0}));  // no view
    test::FixedView::Camera camera;
    camera.position = {0, 0, -10};
    auto view = test::FixedView::Perspective({0, 0, 200, 100}, camera, 50);
    const cRect none{0, 0, 0, 0};
    // (2, 1, 0) is 10 ahead: 10 and 5 pixels right of and above the centre (100, 50).
    const struct {
        cVec3 point;
        cRect box;
    } points[] = {{{2, 1, 0}, {110, 43, 123, 55}},
                  {{0, 0, -20}, none},    // behind the camera, where the projection would mirror it
                  {{0, 0, -10}, none},    // at the eye
                  {{100, 0, 0}, none},    // off to the right
                  {{0, 0, 2000}, none}};  // past the far plane
    // With the view's planes, and with the planes a host left unset derived from its matrix.
    for (bool unset : {false, true}) {
        if (unset)
            for (cVec4& plane : view.m_Frustum)
                plane = {};
        for (const auto& p : points) {
            SCOPED_TRACE(testing::Message() << unset << " " << p.point.x << " " << p.point.z);
            device.ClearCalls();
            EXPECT_EQ(DrawText3D(m_Font, "AB", p.point, 0, nullptr), p.box);
            EXPECT_EQ(device.CallsNamed("DrawIndexed").size(), p.box == none ? 0u : 1u);
        }
    }
}

}  // namespace
}  // namespace tovan

// Loading fonts by name into the process-wide table, and the filter of typed
// text by the current font. Every test loads fonts under names of its own: the
// table keeps what it loaded for the process.
#include "io/font.h"
#include "tests/io/io_fixture.h"
#include "tests/support/font_file.h"
#include "tests/support/log_capture.h"
#include "tests/support/recording_renderer.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tovan {
namespace {

using test::FontFileBytes;
using test::FontSpec;
using test::GlyphRun;

class FontLoadTest : public test::IoTest {
protected:
    void SetUp() override {
        IoTest::SetUp();
        log.Clear();
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(Host(InBase("Fonts\\" + Relative())), ignored);
        CurrentFont = -1;
        IoTest::TearDown();
    }
    // The font's name, and its files below the Fonts folder.
    std::string Name(const std::string& leaf) const { return Relative() + "/" + leaf; }
    void WriteFont(const std::string& leaf, const std::string& bytes, const char* atlas = ".png") {
        WriteHost(InBase("Fonts\\" + Relative() + "\\" + leaf + ".cFont"), bytes);
        if (atlas)
            WriteHost(InBase("Fonts\\" + Relative() + "\\" + leaf + atlas), "atlas");
    }
    static FontSpec Ascii() {
        FontSpec spec;
        spec.lineHeight = 10;
        spec.glyphs = GlyphRun(32, 126, 5);
        return spec;
    }

    test::LogCapture log;
    test::RecordingRenderer device;
};

TEST_F(FontLoadTest, LoadsTheFileAndItsAtlasAndLogsBoth) {
    WriteFont("ui", FontFileBytes(Ascii()));
    const int32_t count = FontCount();
    const int32_t index = LoadFont(Name("ui").c_str());
    ASSERT_EQ(index, count);
    const cFont* font = GetFont(index);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(test::Str(font->m_Name), Name("ui"));
    EXPECT_EQ(font->m_LineHeight, 10);
    EXPECT_EQ(font->m_Glyphs.Count(), 95);
    const std::string path = "Fonts/" + Name("ui");
    EXPECT_EQ(log.Logs(), (std::vector<std::string>{" - Loading font \"" + Name("ui") + "\"...",
                                                    "Loaded font format file \"" + path + ".cFont\""}));
    EXPECT_TRUE(log.Warnings().empty());
    ASSERT_EQ(device.Ops(), (std::vector<std::string>{"LoadTexture", "SetTextureSampler"}));
    EXPECT_EQ(device.Calls()[0].text, path + ".png");
    EXPECT_EQ(font->m_Texture, device.Calls()[0].ints[0]);
    EXPECT_EQ(device.Calls()[1].ints, (std::vector<int>{font->m_Texture, -1}));
}

TEST_F(FontLoadTest, TheAtlasIsABitmapWhereNoPngExists) {
    struct Case {
        const char* leaf;
        const char* written;  // the atlas on disk, or none
        const char* loaded;   // the extension the device is asked for
    };
    const Case cases[] = {{"bmp", ".bmp", ".bmp"}, {"png", ".png", ".png"}, {"none", nullptr, ".png"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.leaf);
        device.ClearCalls();
        WriteFont(c.leaf, FontFileBytes(Ascii()), c.written);
        if (std::string(c.leaf) == "png")  // a bitmap beside the png does not win
            WriteHost(InBase("Fonts\\" + Relative() + "\\png.bmp"), "atlas");
        EXPECT_GE(LoadFont(Name(c.leaf).c_str()), 0);
        ASSERT_FALSE(device.CallsNamed("LoadTexture").empty());
        EXPECT_EQ(device.CallsNamed("LoadTexture")[0].text, "Fonts/" + Name(c.leaf) + c.loaded);
    }
}

TEST_F(FontLoadTest, ASecondRequestInAnyCaseReadsNothing) {
    WriteFont("Mixed", FontFileBytes(Ascii()));
    const int32_t index = LoadFont(Name("Mixed").c_str());
    ASSERT_GE(index, 0);
    std::filesystem::remove_all(Host(InBase("Fonts\\" + Relative())));  // a second read would fail
    log.Clear();
    device.ClearCalls();
    std::string upper = Name("Mixed"), lower = Name("Mixed");
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(LoadFont(upper.c_str()), index);
    EXPECT_EQ(LoadFont(lower.c_str()), index);
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_TRUE(device.Calls().empty());
    EXPECT_EQ(test::Str(GetFont(index)->m_Name), Name("Mixed"));  // the name as first asked
}

TEST_F(FontLoadTest, FailuresWarnOrStaySilentAndAddNothing) {
    FontSpec hostile = Ascii();
    hostile.count = 65536;  // far more glyphs than the file holds
    FontSpec tooMany;
    tooMany.count = 65537;
    WriteFont("hostile", FontFileBytes(hostile));
    WriteFont("toomany", FontFileBytes(tooMany));
    WriteFont("cut", FontFileBytes(Ascii()).substr(0, 100));
    WriteFont("noatlas", FontFileBytes(Ascii()));
    device.FailTexture("Fonts/" + Name("noatlas") + ".png");
    struct Case {
        std::string leaf;
        std::string warning;  // "" for none
    };
    const std::string prefix = "Fonts/" + Relative() + "/";
    const Case cases[] = {
        {"missing", "Can't load file \"" + prefix + "missing.cFont\""},
        {"hostile", "Font format file \"" + prefix + "hostile.cFont\" has wrong size."},
        {"toomany", "Font format file \"" + prefix + "toomany.cFont\" has wrong size."},
        {"cut", "Font format file \"" + prefix + "cut.cFont\" has wrong size."},
        {"noatlas", ""},
    };
    const int32_t count = FontCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.leaf);
        log.Clear();
        EXPECT_EQ(LoadFont(Name(c.leaf).c_str()), -1);
        if (c.warning.empty())
            EXPECT_TRUE(log.Warnings().empty());
        else
            EXPECT_EQ(log.Warnings(), std::vector<std::string>{c.warning});
    }
    EXPECT_EQ(FontCount(), count);
    EXPECT_EQ(LoadFont(nullptr), -1);
    EXPECT_EQ(LoadFont(""), -1);
    EXPECT_EQ(FontCount(), count);
}

TEST_F(FontLoadTest, StripMissingGlyphsKeepsWhatTheCurrentFontDraws) {
    cFont font;  // sorted: ' ', 'a', 'b', 0xFFE9
    for (uint16_t code : {uint16_t(' '), uint16_t('a'), uint16_t('b'), uint16_t(0xFFE9)})
        font.m_Glyphs.PushBack(cFontGlyph{code});
    const int32_t withE9 = AddFont(font);
    font.m_Glyphs[3].m_Code = 0xE9;  // the byte's own value, which a signed byte never looks up
    const int32_t withoutE9 = AddFont(font);
    struct Case {
        int32_t font;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {withE9, "a\xE9 bc", "a\xE9 b"}, {withoutE9, "a\xE9 bc", "a b"}, {withoutE9, "cc", ""},
        {-1, "a\xE9 bc", "a\xE9 bc"},    {FontCount(), "xyz", "xyz"},    {withE9, "", ""},
    };
    for (const Case& c : cases) {
        CurrentFont = c.font;
        cStr text;
        text.SetText(c.in);
        StripMissingGlyphs(text);
        EXPECT_STREQ(text.GetText(), c.out) << c.in << " with font " << c.font;
        EXPECT_EQ(text.Length(), int(std::string(c.out).size()));
    }
}

}  // namespace
}  // namespace tovan

// A font generated end to end from GDI outlines under wine.
#include "io/io.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch.h"
#include "win32/font_generator.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tovan {
namespace {

uint32_t U32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

TEST(FontGeneratorWin32, TahomaBold12FromGdiOutlines) {
    test::ScratchFolder scratch;
    cIO::SetWriteFolder(scratch.Path().c_str());
    cFontChoice choice;
    choice.m_Face = "Tahoma";
    choice.m_Height = -16;  // 12 points at 96 dots per inch
    choice.m_Weight = 700;
    choice.m_PointTenths = 120;
    std::unique_ptr<cGlyphSource> source = fontgen::OpenSystemFont(choice);
    ASSERT_NE(source, nullptr);
    EXPECT_GT(source->Ascent(), 8);
    EXPECT_GT(source->Descent(), 0);
    cCodeSet required;
    AddRequiredCharacters(cList<cStr>(), required);
    const cStr name = GeneratedFontName(choice);
    ASSERT_STREQ(name.GetText(), "Tahoma B12");
    test::LogCapture log;
    ASSERT_TRUE(GenerateFontFrom(*source, required, name.GetText(), 12));
    cIO::SetWriteFolder("");

    const std::string file = scratch.Read("Fonts\\Tahoma B12.cFont");
    ASSERT_GE(file.size(), 23u + 42u * 90u);  // the printable ASCII at least
    EXPECT_EQ(file.substr(0, 3), std::string("\x63\x66\x00", 3));
    const uint32_t count = U32(file, 15);
    EXPECT_EQ(file.size(), 23u + 42u * count);
    int previous = -1;
    for (uint32_t i = 0; i < count; ++i) {
        const int code = uint8_t(file[19 + 42 * i]) | uint8_t(file[20 + 42 * i]) << 8;
        EXPECT_GT(code, previous);
        EXPECT_LT(code, 128);
        previous = code;
    }
    const std::string bmp = scratch.Read("Fonts\\Tahoma B12.bmp");
    ASSERT_GT(bmp.size(), 1078u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(uint8_t(bmp[28]), 8);  // bits per pixel
    const uint32_t width = U32(bmp, 18), height = U32(bmp, 22);
    EXPECT_EQ(bmp.size(), 1078u + ((width + 3) & ~3u) * height);
    size_t inked = 0;
    for (size_t i = 1078; i < bmp.size(); ++i)
        inked += bmp[i] != 0;
    EXPECT_GT(inked, 500u);  // the glyphs were drawn, not only placed
}

}  // namespace
}  // namespace tovan

// A font generated end to end from GDI outlines under wine.
#include "core/main_window.h"
#include "io/file_pickers.h"
#include "io/io.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch.h"
#include "tests/support/test_window.h"
#include "win32/font_generator.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace tovan {
namespace {

uint32_t U32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

// Generated files go to the scratch folder; the globals the command reads are
// put back however a test ends.
class FontGeneratorWin32 : public test::ScratchTest {
protected:
    void SetUp() override { cIO::SetWriteFolder(scratch.Path().c_str()); }
    void TearDown() override {
        cIO::SetWriteFolder("");
        MainWindowHandle = nullptr;
        GetKindFolders().Free();
    }
};

TEST_F(FontGeneratorWin32, TahomaBold12FromGdiOutlines) {
    cFontChoice choice;
    lstrcpynA(choice.m_Font.faceName, "Tahoma", LF_FACESIZE);
    choice.m_Font.height = -16;  // 12 points at 96 dots per inch
    choice.m_Font.weight = 700;
    choice.m_PointTenths = 120;
    std::unique_ptr<cGlyphSource> source = fontgen::OpenSystemFont(choice);
    ASSERT_NE(source, nullptr);
    EXPECT_GT(source->Ascent(), 8);
    EXPECT_GT(source->Descent(), 0);
    cCodeSet required;
    AddRequiredCharacters(cList<cStr>(), required);
    const cStr name = GeneratedFontName(choice);
    ASSERT_STREQ(name.GetText(), "Tahoma B12");  // face, space, B for bold, points
    choice.m_Font.italic = 1;
    EXPECT_STREQ(GeneratedFontName(choice).GetText(), "Tahoma BI12");
    test::LogCapture log;
    choice.m_Font.italic = 0;
    ASSERT_TRUE(GenerateFontFrom(*source, required, choice));

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

// Chooses an entry of one of the font dialog's combo boxes as a click would.
bool Choose(HWND dialog, int id, const char* text) {
    HWND combo = GetDlgItem(dialog, id);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text));
    if (index == CB_ERR)
        return false;
    SendMessageA(combo, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(combo));
    return true;
}

// The first face the dialog lists in bold at 12 points (which faces exist is
// the machine's choice); "" when none.
std::string ChooseBold12(HWND dialog) {
    HWND faces = GetDlgItem(dialog, 0x470);
    const int count = int(SendMessageA(faces, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char face[LF_FACESIZE + 1] = {0};
        if (SendMessageA(faces, CB_GETLBTEXTLEN, WPARAM(i), 0) > LF_FACESIZE)
            continue;
        SendMessageA(faces, CB_GETLBTEXT, WPARAM(i), LPARAM(face));
        if (Choose(dialog, 0x470, face) && Choose(dialog, 0x471, "Bold") && Choose(dialog, 0x472, "12"))
            return face;
    }
    return "";
}

// Both dialogs driven: two character files typed into the open dialog, then
// a face in bold at 12 points in the font dialog, which opens centred over the main window.
TEST_F(FontGeneratorWin32, GenerateFontThroughBothDialogs) {
    scratch.Write("a.xml", "\xC3\xA9");  // e-acute
    scratch.Write("b.xml", "\xC3\xBC");  // u-umlaut
    test::TestWindow main;
    MainWindowHandle = main.Handle();
    MoveWindow(HWND(main.Handle()), 100, 80, 700, 500, FALSE);
    cIO::SetKindFolder("GenFont", scratch.Path().c_str());
    std::vector<std::string> titles;
    int offCentre = -1;
    std::string face;
    test::DialogDriver driver(IDCANCEL, [&](HWND dialog) {
        titles.push_back(test::WindowText(dialog));
        if (titles.size() == 1) {
            SetDlgItemTextA(dialog, 0x47C, "\"a.xml\" \"b.xml\"");
            return IDOK;
        }
        RECT d, m;
        GetWindowRect(dialog, &d);
        GetWindowRect(HWND(main.Handle()), &m);
        offCentre = abs((d.left + d.right) - (m.left + m.right)) + abs((d.top + d.bottom) - (m.top + m.bottom));
        face = ChooseBold12(dialog);
        return face.empty() ? IDCANCEL : IDOK;
    });
    test::LogCapture log;
    const bool generated = GenerateFont();
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], "Select one or several files with required characters");
    EXPECT_LE(offCentre, 2);
    ASSERT_NE(face, "");
    ASSERT_TRUE(generated);
    EXPECT_EQ(log.Logs(), std::vector<std::string>{"Generated font \"" + face + " B12\""});
    const std::string file = scratch.Read("Fonts\\" + face + " B12.cFont");
    const uint32_t count = U32(file, 15);
    ASSERT_EQ(file.size(), 23u + 42u * count);
    std::vector<int> codes;
    for (uint32_t i = 0; i < count; ++i)
        codes.push_back(uint8_t(file[19 + 42 * i]) | uint8_t(file[20 + 42 * i]) << 8);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[codes.size() - 2], 0xE9);
    EXPECT_EQ(codes.back(), 0xFC);
}

// The dialog's whole answer is kept, the script's character set included: the
// font is made from it as it stands.
TEST_F(FontGeneratorWin32, FontDialogAnswerIsKeptWholeWithItsScript) {
    test::TestWindow main;
    MainWindowHandle = main.Handle();
    std::string face;
    int charSet = -1;
    test::DialogDriver driver(IDCANCEL, [&](HWND dialog) {
        face = ChooseBold12(dialog);
        HWND scripts = GetDlgItem(dialog, 0x474);
        const int last = int(SendMessageA(scripts, CB_GETCOUNT, 0, 0)) - 1;
        if (face.empty() || last < 0)
            return IDCANCEL;
        SendMessageA(scripts, CB_SETCURSEL, WPARAM(last), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x474, CBN_SELCHANGE), LPARAM(scripts));
        charSet = int(SendMessageA(scripts, CB_GETITEMDATA, WPARAM(last), 0));
        return IDOK;
    });
    cFontChoice choice;
    std::memset(&choice.m_Font, 0xEE, sizeof(choice.m_Font));  // nothing of this may stay
    ASSERT_TRUE(fontgen::ChooseSystemFont(choice));
    ASSERT_NE(face, "");
    EXPECT_EQ(choice.m_Font.charSet, charSet);
    EXPECT_EQ(std::string(choice.Face().GetText()), face);
    EXPECT_EQ(choice.m_Font.weight, 700);
    EXPECT_EQ(choice.m_Font.italic, 0);
    EXPECT_LT(choice.m_Font.height, 0);  // a character height, as the dialog gives it
    EXPECT_EQ(choice.m_PointTenths, 120);
    EXPECT_NE(fontgen::OpenSystemFont(choice), nullptr);
}

}  // namespace
}  // namespace tovan

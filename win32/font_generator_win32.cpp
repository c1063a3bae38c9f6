// The font command's system side: the font dialog and glyphs rasterised from
// GDI outlines.
#include "core/main_window.h"
#include "win32/font_generator.h"
#include "win32/window_helpers.h"

#include <windows.h>

#include <commdlg.h>

#include <cstddef>
#include <cstring>

namespace tovan {

namespace {

static_assert(sizeof(LogicalFont) == sizeof(LOGFONTA), "LogicalFont mirrors LOGFONTA");
static_assert(offsetof(LogicalFont, charSet) == offsetof(LOGFONTA, lfCharSet), "LogicalFont mirrors LOGFONTA");
static_assert(offsetof(LogicalFont, faceName) == offsetof(LOGFONTA, lfFaceName), "LogicalFont mirrors LOGFONTA");

UINT_PTR CALLBACK ChooseFontHook(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        CenterWindow(window, GetParent(window));
        return TRUE;
    }
    return 0;
}

class cGdiGlyphSource : public cGlyphSource {
public:
    ~cGdiGlyphSource() override {
        if (m_Memory && m_Previous)
            SelectObject(m_Memory, m_Previous);
        if (m_Font)
            DeleteObject(m_Font);
        if (m_Memory)
            DeleteDC(m_Memory);
        if (m_Display)
            DeleteDC(m_Display);
    }

    bool Open(const cFontChoice& choice) {
        LOGFONTA font;
        std::memcpy(&font, &choice.m_Font, sizeof(font));
        font.lfFaceName[LF_FACESIZE - 1] = 0;
        m_Display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        m_Memory = m_Display ? CreateCompatibleDC(m_Display) : nullptr;
        m_Font = m_Memory ? CreateFontIndirectA(&font) : nullptr;
        if (!m_Font)
            return false;
        m_Previous = SelectObject(m_Memory, m_Font);
        // Without outline metrics the font has no ascent to place glyphs by.
        OUTLINETEXTMETRICA metrics = {};
        metrics.otmSize = sizeof(metrics);
        if (!GetOutlineTextMetricsA(m_Memory, sizeof(metrics), &metrics))
            return false;
        m_Ascent = int32_t(metrics.otmTextMetrics.tmAscent);
        m_Descent = int32_t(metrics.otmTextMetrics.tmDescent);
        return true;
    }

    int32_t Ascent() const override { return m_Ascent; }
    int32_t Descent() const override { return m_Descent; }

    void SupportedCodes(cCodeSet& codes) override {
        codes.reset();
        const DWORD size = GetFontUnicodeRanges(m_Memory, nullptr);
        if (size < sizeof(GLYPHSET))
            return;
        cList<uint8_t> block;
        block.Resize(int(size));
        GLYPHSET* set = reinterpret_cast<GLYPHSET*>(block.Data());
        set->cbThis = size;
        if (!GetFontUnicodeRanges(m_Memory, set))
            return;
        const DWORD fit = DWORD((size - offsetof(GLYPHSET, ranges)) / sizeof(WCRANGE));
        const DWORD ranges = set->cRanges < fit ? set->cRanges : fit;
        for (DWORD i = 0; i < ranges; ++i) {
            const uint32_t low = set->ranges[i].wcLow;
            for (uint32_t code = low; code < low + set->ranges[i].cGlyphs && code < 65536; ++code)
                codes.set(code);
        }
    }

    void Glyph(uint16_t code, cGlyphMetrics& out, cList<uint8_t>* grey) override {
        static const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        GLYPHMETRICS m = {};
        const DWORD size = GetGlyphOutlineW(m_Memory, code, GGO_GRAY8_BITMAP, &m, 0, nullptr, &identity);
        out = cGlyphMetrics();
        if (size == GDI_ERROR)
            return;
        out.m_Width = int32_t(m.gmBlackBoxX);
        out.m_Height = int32_t(m.gmBlackBoxY);
        out.m_OriginX = m.gmptGlyphOrigin.x;
        out.m_OriginY = m.gmptGlyphOrigin.y;
        out.m_CellX = m.gmCellIncX;
        out.m_CellY = m.gmCellIncY;
        // A blank glyph has no bitmap to read.
        if (!grey || size == 0 || size > 0x7fffffff)
            return;
        grey->Resize(int(size));
        if (GetGlyphOutlineW(m_Memory, code, GGO_GRAY8_BITMAP, &m, size, grey->Data(), &identity) == GDI_ERROR)
            grey->Free();
    }

private:
    HDC m_Display = nullptr;
    HDC m_Memory = nullptr;
    HFONT m_Font = nullptr;
    HGDIOBJ m_Previous = nullptr;
    int32_t m_Ascent = 0, m_Descent = 0;
};

}  // namespace

namespace fontgen {

bool ChooseSystemFont(cFontChoice& choice) {
    LOGFONTA font = {};
    CHOOSEFONTA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = static_cast<HWND>(MainWindowHandle);
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_ENABLEHOOK | CF_FORCEFONTEXIST | CF_TTONLY;
    dialog.lpfnHook = ChooseFontHook;
    if (!ChooseFontA(&dialog))
        return false;
    std::memcpy(&choice.m_Font, &font, sizeof(font));
    choice.m_PointTenths = dialog.iPointSize;
    return true;
}

std::unique_ptr<cGlyphSource> OpenSystemFont(const cFontChoice& choice) {
    auto source = std::make_unique<cGdiGlyphSource>();
    if (!source->Open(choice))
        return nullptr;
    return source;
}

}  // namespace fontgen

}  // namespace tovan

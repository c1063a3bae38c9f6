// No fonts natively: the font dialog is recorded and cancelled, so nothing is
// ever rasterised here.
#include "core/os_headless.h"
#include "win32/font_generator.h"

namespace tovan::fontgen {

bool ChooseSystemFont(cFontChoice&) {
    os::headless::Record("ChooseFontA");
    return false;
}

std::unique_ptr<cGlyphSource> OpenSystemFont(const cFontChoice&) { return nullptr; }

}  // namespace tovan::fontgen

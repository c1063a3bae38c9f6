// No fonts and no dialogs natively: the file dialog records its request and
// answers the test's scripted choice (several names split at '|'); the font
// dialog is recorded and cancelled, so nothing is ever rasterised here.
#include "core/os_headless.h"
#include "io/io.h"
#include "win32/font_generator.h"

namespace tovan::fontgen {

bool RunCharacterFileDialog(const char* title, const char* extensions, const char* folder, cList<cStr>& results) {
    results.Free();
    os::headless::Record(std::string("CharacterFileDialog ") + title + " | " + extensions + " | " + folder);
    os::headless::FileChoice choice;
    if (!os::headless::TakeFileChoice(&choice) || choice.name.empty())
        return false;
    cList<cStr> names;
    SplitString(choice.name.c_str(), names, "|");
    for (const cStr& name : names) {
        cStr path = cIO::IsAbsolute(name.GetText()) ? name : cStr(folder);
        if (!cIO::IsAbsolute(name.GetText()))
            path.AppendPath(name.GetText());
        results.PushBack(path);
    }
    return true;
}

bool ChooseSystemFont(cFontChoice&) {
    os::headless::Record("ChooseFontA");
    return false;
}

std::unique_ptr<cGlyphSource> OpenSystemFont(const cFontChoice&) { return nullptr; }

}  // namespace tovan::fontgen

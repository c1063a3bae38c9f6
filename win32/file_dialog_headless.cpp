// No system dialog natively: the double records the dialog, types the test's
// scripted choice (os::headless::ScriptFileChoice) and presses OK, which an
// open dialog only takes for a file whose preview loaded, as the real one.
#include "core/os_headless.h"
#include "win32/file_dialog.h"

#include <string>

namespace tovan {

bool FileDialogPlatform::Show(cWin32::FileDialog& dialog) {
    // "FileDialog open Load Image File | C:\data\Textures\a.bmp | filter 1"
    os::headless::Record(std::string("FileDialog ") + (dialog.IsOpen() ? "open " : "save ") +
                         dialog.GetTitle().GetText() + " | " + dialog.m_FileName + " | filter " +
                         std::to_string(dialog.m_FilterIndex));
    os::headless::FileChoice choice;
    if (!os::headless::TakeFileChoice(&choice) || choice.name.empty())
        return false;
    if (choice.filterIndex > 0)
        dialog.m_FilterIndex = choice.filterIndex;
    // A full path is typed as a visit to its folder and the name.
    const cStr typed(choice.name.c_str());
    cStr folder = typed.GetFolder();
    if (folder.IsEmpty())
        folder = dialog.GetInitialFolder() + "\\";
    const bool loaded = dialog.Refresh(folder.GetText(), typed.GetText(), dialog.GetInitialFolder().GetText());
    if (dialog.IsOpen())
        return loaded;
    // The double cannot go back to its dialog: No ends it as cancelled.
    return !dialog.GetChosenPath().IsEmpty() && dialog.ConfirmCompletedName();
}

}  // namespace tovan

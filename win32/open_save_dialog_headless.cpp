// Natively the double records the dialog and answers the test's scripted
// choice: the name typed into the box (NULs in it separate a folder and several
// names, as the system's buffer does) and the filter entry selected.
#include "core/os_headless.h"
#include "win32/open_save_dialog.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tovan {

bool ShellDialogAvailable() { return false; }

bool ShowOpenSaveDialog(OpenSaveDialog& dialog) {
    os::headless::Record(std::string("OpenSaveDialog ") + (dialog.m_Open ? "open " : "save ") +
                         dialog.m_Title.GetText() + " | " + dialog.m_FileBuffer.Data());
    os::headless::FileChoice choice;
    if (!os::headless::TakeFileChoice(&choice) || choice.name.empty())
        return false;
    if (choice.filterIndex > 0)
        dialog.m_FilterIndex = choice.filterIndex;
    const size_t size = std::min(choice.name.size(), size_t(dialog.m_FileBuffer.Count() - 2));
    std::memset(dialog.m_FileBuffer.Data(), 0, size_t(dialog.m_FileBuffer.Count()));
    std::memcpy(dialog.m_FileBuffer.Data(), choice.name.data(), size);
    return true;
}

}  // namespace tovan

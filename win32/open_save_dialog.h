// The system's open and save dialog without a preview pane, for callers that
// want several files at once (the font generator) or no preview. Fill the
// inputs, call Setup, then Run, then read the succeeded flag and the results.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"

namespace tovan {

class OpenSaveDialog {
public:
    static constexpr int kSingleBuffer = 260;
    static constexpr int kMultipleBuffer = 26000;
    static constexpr uint32_t kBaseFlags = 0x880804;  // sizing, explorer, path must exist, no read-only box
    static constexpr uint32_t kMultiSelect = 0x200, kEnableHook = 0x20, kFileMustExist = 0x1000;
    static constexpr uint32_t kOverwritePrompt = 2;

    // Inputs.
    cStr m_Title;
    cList<cStr> m_Extensions;  // with or without a leading '.'
    cStr m_DefaultExtension;
    cStr m_InitialFolder;
    cStr m_SaveName, m_OpenName;       // preselected names
    cStr* m_Result = nullptr;          // the single result, may be null
    cList<cStr>* m_Results = nullptr;  // non-null makes the dialog multi-select
    bool m_Open = true;
    // Output.
    bool m_Succeeded = false;

    // Normalises the extensions (lower case, no leading '.', the default one
    // first) and prepares the system's request.
    void Setup();
    // Shows the dialog; nothing happens without extensions.
    void Run();

    // What Setup prepared and the dialog answered, for the platform half.
    cStr m_Filter;
    cList<char> m_FileBuffer;
    uint32_t m_Flags = 0;
    int32_t m_FilterIndex = 1;

    // The results from the system's buffer: one path, or a folder and names.
    void TakeResults(const char* buffer, int size);
    // Puts the selected type's extension on a path whose extension is not listed.
    void FixExtension(cStr& path);
};

// The platform half: whether the newer shell dialog exists (then no hook is
// needed), and the system dialog itself; true when the user confirmed.
bool ShellDialogAvailable();
bool ShowOpenSaveDialog(OpenSaveDialog& dialog);

}  // namespace tovan

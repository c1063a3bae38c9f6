// The per-kind file pickers (cIO::PickImageToLoad and its siblings in io.h) and
// what they share: the dialog each one asks for, the files and folders they
// remember until the process ends, and the table of folders per kind.
//
// The pickers live in this layer, the dialogs in the Win32 layer above it: the
// Win32 layer sets the dialog hook (real dialogs with a preview pane on
// Windows; natively the same dialogs over the headless double). Without a hook
// a native build answers what a test scripted (os::headless::ScriptFileChoice)
// with no preview check, and a Windows build cancels.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"

namespace tovan {

// Which dialog, and so which preview, a pick shows.
enum class PickDialog : int32_t { Image, Sound, Xml, Anim, Model, Camera, Bsp };

struct PickRequest {
    PickDialog m_Dialog;
    bool m_Open;                  // false: a save dialog, which asks before overwriting
    const char* m_Title;          // null: the dialog's own title
    const char* m_Extensions;     // names without dots, split at " ,;\t"; null: the dialog's own list
    const char* m_InitialFolder;  // "" lets the system choose
    const char* m_InitialName;    // "" when nothing is preselected
    int32_t m_FilterIndex;        // the filter entry selected at the start, from 1
};

// Shows the dialog. True when the user confirmed a file; `chosen` then holds its
// full path. False on cancel or when no dialog could be shown (`chosen` is then
// not used).
using PickDialogHook = bool (*)(const PickRequest& request, cStr& chosen);

// Null puts the default back. Main thread only.
void SetPickDialogHook(PickDialogHook hook);
PickDialogHook GetPickDialogHook();

// Shows a dialog through the hook, or the default without one.
bool RunPickDialog(const PickRequest& request, cStr& chosen);

// What the pickers remember: the last confirmed file of each kind (a full path)
// and the folder it was in. The four media kinds share one folder. Other
// modules may read and set them to steer where the next pick starts.
struct PickerMemory {
    cStr m_ImageFolder, m_ImageFile;
    cStr m_SoundFolder, m_SoundFile;
    cStr m_XmlFolder, m_XmlFile;
    cStr m_MediaFolder;
    cStr m_AnimFile, m_ModelFile, m_CameraFile, m_BspFile;
};
PickerMemory& GetPickerMemory();

// The folder each kind's picker last started in ("Image", "Sound", "Xml",
// "Media"), and the one the font generator writes ("GenFont"); in order of
// first use, kinds compared exactly.
struct KindFolder {
    cStr m_Kind;
    cStr m_Folder;  // resolved
};
cList<KindFolder>& GetKindFolders();

}  // namespace tovan

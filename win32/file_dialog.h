// The system's file dialog with a preview pane. While the user moves through the
// files, a kind-specific subclass (win32/file_previews.h) loads the selected
// file, describes it in a few lines and draws it into a software canvas. The
// frame here owns the dialog's set-up, its filter, the hooks and timer of the
// platform half (file_dialog_win32.cpp; natively a scripted double), the
// decision of what the pane shows, and the result.
//
// One file dialog runs at a time, on the main thread. While it runs the frame
// clock is paused and DialogWindowHandle holds the dialog's pane.
#pragma once
#include <cstdint>

#include "core/dialog_template.h"
#include "core/list.h"
#include "core/str.h"
#include "win32/preview_canvas.h"

namespace tovan {

// The Win32 layer's dialogs with previews, one per kind of file.
class cWin32 {
public:
    cWin32() = delete;
    class FileDialog;
    class ModelFileDialog;
    class ImageFileDialog;
    class SoundFileDialog;
    class XmlFileDialog;
    class AnimFileDialog;
    class CameraFileDialog;
    class BspFileDialog;
};

class cWin32::FileDialog {
public:
    static constexpr int kPathSize = 260;
    static constexpr int kLabelLength = 30;  // longer names are cut and get "..."
    static constexpr int kDialogHeight = 415;
    static constexpr uint32_t kTimerMs = 10;
    // Control ids: those of the preview template and those of the system dialog.
    static constexpr int kPreviewPane = 1010, kNameLabel = 1011, kInfoLabel = 1012, kPlaceholder = 1119;
    static constexpr int kFileNameBox = 1148, kFileTypeBox = 1136, kFileList = 1120;
    // OPENFILENAMEA flags for an open and a save dialog, and the template flag.
    static constexpr uint32_t kOpenFlags = 0x881824, kSaveFlags = 0x880826, kTemplateHandle = 0x80;
    static constexpr uint32_t kNoPlacesBar = 1;

    FileDialog(void* owner, const char* initialFolder, bool open);
    virtual ~FileDialog();
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    // Loads the file for the pane and appends its description to `info`; true
    // when it could be loaded.
    virtual bool LoadPreview(const char* path, cStr& info) = 0;
    // Drops whatever LoadPreview loaded.
    virtual void ReleasePreview() = 0;
    // Draws the loaded file into the canvas, already cleared to the button face;
    // the drag is the mouse movement accumulated in the pane, in pixels.
    virtual void DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t dragY) = 0;

    // Extension names split at " ,;\t". An open dialog gets one filter entry
    // for all of them, a save dialog one entry each.
    void BuildFilter(const char* names);
    void SetInitialFolder(const char* folder);
    // Shows the dialog, preselecting `initialName` (may be null) in the initial
    // folder. True when a usable path was chosen (GetChosenPath); a save dialog
    // puts the selected type's extension on a name without a listed one.
    bool Run(const char* initialName);

    bool IsOpen() const { return m_Open; }
    bool IsAnimated() const { return m_Animated; }
    const cStr& GetTitle() const { return m_Title; }
    void SetTitle(const char* title) { m_Title = title; }
    const cStr& GetFilter() const { return m_Filter; }  // NUL-separated, ends with two NULs
    const cList<cStr>& GetExtensions() const { return m_Extensions; }
    const cStr& GetChosenPath() const { return m_ChosenPath; }
    const cStr& GetInitialFolder() const { return m_InitialFolder; }
    uint32_t GetFlags() const { return m_Flags; }
    int32_t GetFilterIndex() const { return m_FilterIndex; }
    void SetFilterIndex(int32_t index) { m_FilterIndex = index; }
    const cDialogTemplate& GetTemplate() const { return m_Template; }

    // What the pane shows for the folder the dialog is in and the name in its
    // file-name box: loads the candidate when it changed, and says whether it
    // loaded. `currentDirectory` completes a candidate without a folder.
    bool Refresh(const char* folderPath, const char* typedName, const char* currentDirectory);
    bool HasPreview() const { return !m_NoPreview; }
    const cStr& GetNameLabel() const { return m_NameLabel; }
    const cStr& GetInfoText() const { return m_InfoText; }
    // Fills the canvas as the pane shows it, re-making it at the given size.
    void Paint(int width, int height);
    const PreviewCanvas& GetCanvas() const { return m_Canvas; }

    // The label of a loaded file: its name without extension, cut to 30
    // characters followed by "..." when longer.
    static cStr PreviewLabel(const cStr& path);

    // The extension of filter entry `index` (from 1) in lower case, as a file
    // name carries it; empty outside the list.
    cStr TypeExtension(int32_t index) const;
    // Before a save dialog closes on the chosen path: the system asked about
    // the typed name only, so when the selected type's extension completes it
    // into a file that exists, ask the same question. False when the answer is No.
    bool ConfirmCompletedName();

protected:
    bool m_Animated = false;
    cStr m_Title;

private:
    friend struct FileDialogPlatform;

    // The result once the system dialog returned.
    bool Finish(bool confirmed);
    // The chosen path as the result carries it; false when it has no usable
    // extension and none can be put on it.
    bool CompletePath(cStr& path) const;

    bool m_Open;
    cStr m_Filter;
    cList<cStr> m_Extensions;
    cStr m_ChosenPath;
    cStr m_InitialFolder;
    char m_FileName[kPathSize] = {};
    cDialogTemplate m_Template;
    void* m_Owner;
    uint32_t m_Flags;
    int32_t m_FilterIndex = 1;
    PreviewCanvas m_Canvas;
    cStr m_NameLabel, m_InfoText;
    // Window state, kept by the platform half while the dialog is up.
    void *m_Child = nullptr, *m_PreviewControl = nullptr, *m_NameLabelWindow = nullptr;
    void *m_FileNameBox = nullptr, *m_InfoLabelWindow = nullptr, *m_PreviousFrameProc = nullptr;
    bool m_OkPressed = false, m_RefreshPending = false, m_NoPreview = true;
    int32_t m_DragX = 0, m_DragY = 0;
};

// The system's filter text for the extensions: for an open dialog one entry
// ("png bmp" showing "*.png;*.bmp;"), for a save dialog one entry each; every
// part ends with a NUL, and one more NUL ends the text.
cStr BuildFilterText(const cList<cStr>& extensions, bool open);

// The platform half: shows the system dialog and answers whether the user
// confirmed. Not for other modules.
struct FileDialogPlatform {
    static bool Show(cWin32::FileDialog& dialog);
    // Windows only: the hook of the pane, the replaced procedure of the system
    // dialog around it, and the refresh the pane's timer runs.
    static intptr_t OnPaneMessage(void* pane, uint32_t message, uintptr_t wParam, intptr_t lParam);
    static intptr_t OnFrameMessage(void* frame, uint32_t message, uintptr_t wParam, intptr_t lParam);
    static void InitDone(cWin32::FileDialog& dialog, void* pane);
    static void RefreshPane(cWin32::FileDialog& dialog, void* pane);
};

}  // namespace tovan

#include "win32/file_dialog.h"

#include "core/frame_clock.h"
#include "core/os.h"
#include "core/window_utils.h"
#include "io/io.h"
#include "win32/question_box.h"
#include "win32/window_helpers.h"

#include <cstring>

namespace tovan {

namespace {

struct TemplateItem {
    uint32_t style;
    int x, y, width, height, id;
};

// The pane beside the system's own controls, in dialog units: name label,
// preview, info label, and the placeholder the system puts its controls into.
constexpr TemplateItem kPreviewItems[] = {
    {0x50000001, 0, 5, 116, 10, cWin32::FileDialog::kNameLabel},      // WS_CHILD, WS_VISIBLE, SS_CENTER
    {0x1000000D, 4, 18, 110, 100, cWin32::FileDialog::kPreviewPane},  // WS_VISIBLE, SS_OWNERDRAW
    {0x50000001, 4, 122, 110, 46, cWin32::FileDialog::kInfoLabel},
    {0x10000000, 116, 0, 99, 130, cWin32::FileDialog::kPlaceholder},  // WS_VISIBLE
};
// WS_CHILD, WS_VISIBLE, WS_CLIPSIBLINGS, DS_SETFONT, DS_FIXEDSYS, DS_3DLOOK.
constexpr uint32_t kPreviewStyle = 0x5400004C;
constexpr uint32_t kControlParent = 0x10000;

bool IsRegularFile(const char* path) {
    const uint32_t attributes = os::FileAttributes(path);
    return attributes != os::kAttrInvalid && !(attributes & os::kAttrDirectory);
}

int FindExtension(const cList<cStr>& extensions, const char* ext) {
    for (int i = 0; i < extensions.Count(); ++i)
        if (CompareStringsNoCase(extensions[i].GetText(), ext) == 0)
            return i;
    return -1;
}

cStr CurrentDirectory() {
    char buffer[cWin32::FileDialog::kPathSize] = {};
    const int length = os::CurrentDirectory(buffer, sizeof buffer);
    return length > 0 && length < int(sizeof buffer) ? cStr(buffer) : cStr();
}

}  // namespace

cWin32::FileDialog::FileDialog(void* owner, const char* initialFolder, bool open)
    : m_Open(open), m_Owner(owner), m_Flags(open ? kOpenFlags : kSaveFlags) {
    m_InitialFolder = cIO::ResolvePath("");
    m_Template.Begin("", kPreviewStyle, kControlParent, 215, 130, "MS Shell Dlg");
    for (const TemplateItem& item : kPreviewItems)
        m_Template.AddItem("Static", "", item.style, item.x, item.y, item.width, item.height, item.id);
    m_Flags |= kTemplateHandle;
    SetInitialFolder(initialFolder);
}

cWin32::FileDialog::~FileDialog() = default;

cStr BuildFilterText(const cList<cStr>& extensions, bool open) {
    cStr filter;
    if (open) {
        filter = JoinStrings(extensions);
        filter += "|";
        for (const cStr& ext : extensions)
            filter.AppendFormat("*.%s;", ext.GetText());
        filter += "|";
    } else {
        for (const cStr& ext : extensions)
            filter.AppendFormat("%s|*.%s|", ext.GetText(), ext.GetText());
    }
    filter += "|";
    for (int i = 0; i < filter.Length(); ++i)
        if (filter[i] == '|')
            filter[i] = '\0';
    return filter;
}

void cWin32::FileDialog::BuildFilter(const char* names) {
    m_Extensions.Free();
    SplitString(names, m_Extensions, " ,;\t");
    m_Filter = BuildFilterText(m_Extensions, m_Open);
    m_FilterIndex = 1;
}

void cWin32::FileDialog::SetInitialFolder(const char* folder) { m_InitialFolder = cIO::ResolvePath(folder); }

bool cWin32::FileDialog::Run(const char* initialName) {
    const bool pausedHere = !FrameClock.m_PausedForFileDialog;
    FrameClock.m_PausedForFileDialog = true;
    const cStr savedDirectory = CurrentDirectory();

    m_ChosenPath.Release();
    m_PreviousFrameProc = nullptr;
    m_OkPressed = m_RefreshPending = false;
    m_DragX = m_DragY = 0;
    m_NoPreview = true;
    m_NameLabel.Release();
    m_InfoText.Release();
    std::memset(m_FileName, 0, sizeof m_FileName);
    if (initialName && *initialName) {
        cStr path = m_InitialFolder;
        path.AppendPath(initialName);
        const cStr resolved = cIO::ResolvePath(path.GetText());
        std::strncpy(m_FileName, resolved.GetText(), kPathSize - 1);
    }

    const bool confirmed = FileDialogPlatform::Show(*this);

    DialogWindowHandle = nullptr;
    ReleasePreview();
    m_Child = m_PreviewControl = m_NameLabelWindow = m_FileNameBox = m_InfoLabelWindow = nullptr;
    const bool result = Finish(confirmed);
    if (!savedDirectory.IsEmpty())
        os::SetCurrentDirectory(savedDirectory.GetText());
    if (pausedHere)
        FrameClock.m_PausedForFileDialog = false;
    return result;
}

bool cWin32::FileDialog::Finish(bool confirmed) {
    if (confirmed)
        SetInitialFolder(m_ChosenPath.GetFolder().GetText());
    else
        m_ChosenPath.Release();
    return !m_ChosenPath.IsEmpty() && CompletePath(m_ChosenPath);
}

bool cWin32::FileDialog::CompletePath(cStr& path) const {
    const cStr ext = path.GetExtension();
    if (!ext.IsEmpty() && FindExtension(m_Extensions, ext.GetText()) >= 0)
        return true;
    if (m_Open)
        return false;
    const cStr typeExt = TypeExtension(m_FilterIndex);
    if (!typeExt.IsEmpty())
        path.SetExtension(typeExt.GetText());
    return true;
}

cStr cWin32::FileDialog::TypeExtension(int32_t index) const {
    if (index < 1 || index > m_Extensions.Count())
        return cStr();
    cStr ext = m_Extensions[index - 1];
    for (int i = 0; i < ext.Length(); ++i)
        if (ext[i] >= 'A' && ext[i] <= 'Z')
            ext[i] = char(ext[i] - 'A' + 'a');
    return ext;
}

bool cWin32::FileDialog::ConfirmCompletedName() {
    if (m_Open || m_ChosenPath.IsEmpty())
        return true;
    cStr completed = m_ChosenPath;
    CompletePath(completed);
    if (completed == m_ChosenPath || !IsRegularFile(completed.GetText()) || IsRegularFile(m_ChosenPath.GetText()))
        return true;
    return AskYesNo(m_Title.GetText(), "%s already exists.\nDo you want to replace it?",
                    completed.GetFileName().GetText());
}

bool cWin32::FileDialog::Refresh(const char* folderPath, const char* typedName, const char* currentDirectory) {
    cStr folder(folderPath);
    int cut = folder.Length();
    while (cut > 0 && !IsPathSeparator(folder[cut - 1]))
        --cut;
    folder.SetLength(cut > 0 ? cut - 1 : 0);
    cStr name(typedName);
    name.RemoveFolder();
    cStr candidate = folder;
    candidate.AppendPath(name.GetText());
    if (candidate.GetFolder().IsEmpty()) {
        cStr full(currentDirectory);
        full.AppendPath(candidate.GetText());
        candidate = full;
    }
    if (!m_ChosenPath.IsEmpty() && CompareStringsNoCase(m_ChosenPath.GetText(), candidate.GetText()) == 0)
        return HasPreview();

    ReleasePreview();
    m_ChosenPath.Release();
    m_NameLabel = "No Preview";
    m_InfoText.Release();
    cStr ext = name.GetExtension();
    if (CompareStringsNoCase(ext.GetText(), "lnk") == 0) {
        candidate = ResolveShortcut(candidate.GetText());
        ext = candidate.GetExtension();
    }
    bool loaded = false;
    if (!candidate.IsEmpty() && FindExtension(m_Extensions, ext.GetText()) >= 0 && IsRegularFile(candidate.GetText()))
        loaded = LoadPreview(candidate.GetText(), m_InfoText);
    if (loaded) {
        m_NameLabel = PreviewLabel(candidate);
        m_ChosenPath = candidate;
    } else {
        m_InfoText.Release();
        if (!m_Open)
            m_ChosenPath = candidate;
    }
    m_NoPreview = !loaded;
    return loaded;
}

void cWin32::FileDialog::Paint(int width, int height) {
    if (m_Canvas.Width() != width || m_Canvas.Height() != height)
        InitDibHeader(m_Canvas, width, height);
    if (m_Canvas.IsEmpty())
        return;
    const uint32_t face = os::SystemColor(os::kColorButtonFace);
    m_Canvas.Fill({uint8_t(face), uint8_t(face >> 8), uint8_t(face >> 16)});
    if (m_NoPreview)
        m_Canvas.DrawNoPreview();
    else
        DrawPreview(m_Canvas, m_DragX, m_DragY);
}

cStr cWin32::FileDialog::PreviewLabel(const cStr& path) {
    cStr label = path.GetFileNameNoExt();
    if (label.Length() > kLabelLength) {
        label.SetLength(kLabelLength);
        label += "...";
    }
    return label;
}

}  // namespace tovan

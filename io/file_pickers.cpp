// The per-kind pickers: where each one starts, what it asks of the dialog, and
// what it remembers of a confirmed choice. Nothing is stored on disk.
#include "io/file_pickers.h"

#include "io/codec_registry.h"
#include "io/io.h"

namespace tovan {

// The default dialog when the Win32 layer has set none (one file per build).
bool DefaultPickDialog(const PickRequest& request, cStr& chosen);

namespace {

PickDialogHook g_Hook = nullptr;

struct PickerSpec {
    PickDialog dialog;
    bool open;
    const char* title;       // null: the dialog's own
    const char* extensions;  // null: the dialog's own
    const char* kind;
    cStr PickerMemory::*folder;
    cStr PickerMemory::*file;
};

constexpr PickerSpec kImageLoad = {
    PickDialog::Image, true, nullptr, nullptr, "Image", &PickerMemory::m_ImageFolder, &PickerMemory::m_ImageFile};
constexpr PickerSpec kImageSave = {
    PickDialog::Image, false, nullptr, nullptr, "Image", &PickerMemory::m_ImageFolder, &PickerMemory::m_ImageFile};
constexpr PickerSpec kSoundLoad = {
    PickDialog::Sound, true, nullptr, "caf", "Sound", &PickerMemory::m_SoundFolder, &PickerMemory::m_SoundFile};
constexpr PickerSpec kXmlLoad = {
    PickDialog::Xml, true, "Load Xml File", "Xml", "Xml", &PickerMemory::m_XmlFolder, &PickerMemory::m_XmlFile};
// A save dialog, so that a new file can be named (an open dialog only confirms
// files that exist and load).
constexpr PickerSpec kXmlSave = {
    PickDialog::Xml, false, "Save Xml File", "Xml", "Xml", &PickerMemory::m_XmlFolder, &PickerMemory::m_XmlFile};
constexpr PickerSpec kAnimLoad = {
    PickDialog::Anim, true, nullptr, nullptr, "Media", &PickerMemory::m_MediaFolder, &PickerMemory::m_AnimFile};
constexpr PickerSpec kModelLoad = {
    PickDialog::Model, true, nullptr, nullptr, "Media", &PickerMemory::m_MediaFolder, &PickerMemory::m_ModelFile};
constexpr PickerSpec kCameraLoad = {
    PickDialog::Camera, true, nullptr, nullptr, "Media", &PickerMemory::m_MediaFolder, &PickerMemory::m_CameraFile};
constexpr PickerSpec kBspLoad = {PickDialog::Bsp,         true, nullptr, "cBsp", "Media", &PickerMemory::m_MediaFolder,
                                 &PickerMemory::m_BspFile};

// The save dialog's first filter: that of the last image's extension, so a
// second save keeps the format of the first.
int32_t ImageSaveFilterIndex(const cStr& lastFile) {
    if (lastFile.IsEmpty())
        return 1;
    const cStr extension = lastFile.GetExtension();
    const auto& entries = GetImageCodecs().Entries();
    for (int i = 0; i < entries.Count(); ++i)
        if (CompareStringsNoCase(entries[i].m_Name.GetText(), extension.GetText()) == 0)
            return i + 1;
    return 1;
}

bool Pick(const PickerSpec& spec, cStr& result) {
    cIO::Init();
    PickerMemory& memory = GetPickerMemory();
    const cStr& lastFile = memory.*spec.file;
    cStr folder, name;
    if (!lastFile.IsEmpty()) {
        name = lastFile.GetFileName();
        folder = lastFile.GetFolder();
    } else {
        folder = memory.*spec.folder;
    }
    cIO::SetKindFolder(spec.kind, folder.GetText());

    PickRequest request = {spec.dialog, spec.open, spec.title, spec.extensions, folder.GetText(), name.GetText(), 1};
    if (spec.dialog == PickDialog::Image && !spec.open)
        request.m_FilterIndex = ImageSaveFilterIndex(lastFile);

    cStr chosen;
    if (!RunPickDialog(request, chosen) || chosen.IsEmpty())
        return false;
    memory.*spec.folder = chosen.GetFolder();
    memory.*spec.file = chosen;
    result = chosen;
    if (spec.open)
        result.MakeRelative(cIO::GetBaseFolder()->GetText());
    return true;
}

}  // namespace

void SetPickDialogHook(PickDialogHook hook) { g_Hook = hook; }
PickDialogHook GetPickDialogHook() { return g_Hook; }

bool RunPickDialog(const PickRequest& request, cStr& chosen) {
    return g_Hook ? g_Hook(request, chosen) : DefaultPickDialog(request, chosen);
}

PickerMemory& GetPickerMemory() {
    static PickerMemory memory;
    return memory;
}

cList<KindFolder>& GetKindFolders() {
    static cList<KindFolder> folders;
    return folders;
}

bool cIO::PickImageToLoad(cStr& result) { return Pick(kImageLoad, result); }
bool cIO::PickImageToSave(cStr& result) { return Pick(kImageSave, result); }
bool cIO::PickSoundToLoad(cStr& result) { return Pick(kSoundLoad, result); }
bool cIO::PickXmlToLoad(cStr& result) { return Pick(kXmlLoad, result); }
bool cIO::PickXmlToSave(cStr& result) { return Pick(kXmlSave, result); }
bool cIO::PickAnimToLoad(cStr& result) { return Pick(kAnimLoad, result); }
bool cIO::PickModelToLoad(cStr& result) { return Pick(kModelLoad, result); }
bool cIO::PickCameraToLoad(cStr& result) { return Pick(kCameraLoad, result); }
bool cIO::PickBspToLoad(cStr& result) { return Pick(kBspLoad, result); }

void cIO::SetKindFolder(const char* kind, const char* folder) {
    const cStr resolved = ResolvePath(folder);
    cList<KindFolder>& folders = GetKindFolders();
    for (KindFolder& entry : folders) {
        if (CompareStrings(entry.m_Kind.GetText(), kind) == 0) {
            entry.m_Folder = resolved;
            return;
        }
    }
    folders.PushBack({cStr(kind), resolved});
}

cStr cIO::GetGenFontFolder() {
    cStr folder = *GetBaseFolder();
    RedirectToWriteFolder(folder);
    for (const KindFolder& entry : GetKindFolders())
        if (CompareStrings(entry.m_Kind.GetText(), "GenFont") == 0)
            return entry.m_Folder;
    return folder;
}

}  // namespace tovan

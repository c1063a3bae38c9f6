#include "win32/pick_dialogs.h"

#include "win32/file_previews.h"

#include <memory>

namespace tovan {

namespace {

using Dialog = cWin32::FileDialog;
using MakeDialog = std::unique_ptr<Dialog> (*)(const PickRequest& request);

template <class T>
std::unique_ptr<Dialog> Make(const PickRequest& r) {
    return std::make_unique<T>(r.m_InitialFolder);
}
template <class T>
std::unique_ptr<Dialog> MakeOpenOrSave(const PickRequest& r) {
    return std::make_unique<T>(r.m_InitialFolder, r.m_Open);
}
std::unique_ptr<Dialog> MakeSound(const PickRequest& r) {
    return std::make_unique<cWin32::SoundFileDialog>(r.m_InitialFolder, r.m_Extensions ? r.m_Extensions : "");
}

// Indexed by PickDialog.
constexpr MakeDialog kDialogs[] = {
    &MakeOpenOrSave<cWin32::ImageFileDialog>,
    &MakeSound,
    &MakeOpenOrSave<cWin32::XmlFileDialog>,
    &Make<cWin32::AnimFileDialog>,
    &Make<cWin32::ModelFileDialog>,
    &Make<cWin32::CameraFileDialog>,
    &Make<cWin32::BspFileDialog>,
};

}  // namespace

bool ShowPickDialog(const PickRequest& request, cStr& chosen) {
    const int kind = int(request.m_Dialog);
    if (kind < 0 || kind >= int(sizeof kDialogs / sizeof kDialogs[0]))
        return false;
    std::unique_ptr<Dialog> dialog = kDialogs[kind](request);
    if (request.m_Title)
        dialog->SetTitle(request.m_Title);
    if (request.m_Extensions)
        dialog->BuildFilter(request.m_Extensions);
    if (request.m_FilterIndex > 0)
        dialog->SetFilterIndex(request.m_FilterIndex);
    if (!dialog->Run(request.m_InitialName))
        return false;
    chosen = dialog->GetChosenPath();
    return true;
}

void InstallFileDialogs() { SetPickDialogHook(&ShowPickDialog); }

}  // namespace tovan

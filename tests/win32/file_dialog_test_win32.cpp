// The real file dialog under wine, driven as a user would: the driver types
// into the system dialog's file-name box, lets the pane's timer refresh, looks
// at the pane and presses a button.
#include "core/frame_clock.h"
#include "core/window_utils.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/log_capture.h"
#include "tests/support/shell_link_win32.h"
#include "tests/win32/preview_files.h"
#include "win32/file_previews.h"

#include <gtest/gtest.h>

#include <string>

namespace tovan {
namespace {

using test::ScratchTest;

// Lets the dialog's own timer and notifications run.
void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}

void Type(HWND frame, const char* name) {
    HWND box = GetDlgItem(frame, cWin32::FileDialog::kFileNameBox);
    SetWindowTextA(box, name);
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(cWin32::FileDialog::kFileNameBox, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(box));
    Pump(150);
}

std::string PaneText(int id) { return test::WindowText(GetDlgItem(static_cast<HWND>(DialogWindowHandle), id)); }

class FileDialogWin32 : public ScratchTest {
protected:
    void SetUp() override { GetCurrentDirectoryA(MAX_PATH, m_Directory); }
    void TearDown() override {
        FrameClock.m_PausedForFileDialog = false;
        SetCurrentDirectoryA(m_Directory);
    }
    char m_Directory[MAX_PATH] = {};
    test::LogCapture log;
};

TEST_F(FileDialogWin32, ASaveWithTheSecondTypeGivesTheNameWithItsExtension) {
    test::ScratchFolder other;
    ASSERT_TRUE(SetCurrentDirectoryA(other.Path().c_str()));
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);

    cWin32::ImageFileDialog dialog(scratch.Path().c_str(), false);
    dialog.BuildFilter("png bmp");
    void* pane = nullptr;
    bool paused = false;
    test::DialogDriver driver(0, [&](HWND frame) {
        HWND types = GetDlgItem(frame, cWin32::FileDialog::kFileTypeBox);
        SendMessageA(types, CB_SETCURSEL, 1, 0);
        SendMessageA(frame, WM_COMMAND, MAKEWPARAM(cWin32::FileDialog::kFileTypeBox, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(types));
        Type(frame, "name");
        pane = DialogWindowHandle;
        paused = FrameClock.m_PausedForFileDialog;
        SetCurrentDirectoryA(scratch.Path().c_str());  // as the system dialog may
        return IDOK;
    });
    ASSERT_TRUE(dialog.Run(nullptr));
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(std::string(dialog.GetChosenPath().GetText()), scratch / "name.bmp");
    EXPECT_NE(pane, nullptr);
    EXPECT_TRUE(paused);
    EXPECT_EQ(DialogWindowHandle, nullptr);
    EXPECT_FALSE(FrameClock.m_PausedForFileDialog);
    char after[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_EQ(std::string(after), std::string(before));
}

TEST_F(FileDialogWin32, AnOpenDialogEnablesLoadOnlyForAFileThatPreviews) {
    const std::string longName = "a_texture_with_a_name_longer_than_thirty";
    test::WriteBmp(scratch, longName + ".bmp", 256, 1);
    scratch.Write("bad.bmp", "BM not really");
    const std::string goodName = longName + ".bmp";
    cWin32::ImageFileDialog dialog(scratch.Path().c_str(), true);
    struct Seen {
        std::string label, info, okText;
        bool okEnabled;
    } bad = {}, good = {};
    test::DialogDriver driver(0, [&](HWND frame) {
        HWND ok = GetDlgItem(frame, IDOK);
        for (auto [name, seen] : {std::pair{"bad.bmp", &bad}, std::pair{goodName.c_str(), &good}}) {
            Type(frame, name);
            *seen = {PaneText(cWin32::FileDialog::kNameLabel), PaneText(cWin32::FileDialog::kInfoLabel),
                     test::WindowText(ok), IsWindowEnabled(ok) != FALSE};
        }
        return IDCANCEL;
    });
    EXPECT_FALSE(dialog.Run(nullptr));
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(bad.label, "No Preview");
    EXPECT_EQ(bad.info, "");
    EXPECT_FALSE(bad.okEnabled);
    EXPECT_EQ(good.label, "a_texture_with_a_name_longer_t...");
    EXPECT_EQ(good.info, "Size: 256\nFormat: Rgb8\nType: 1D\nMipmaps: no");
    EXPECT_TRUE(good.okEnabled);
    EXPECT_EQ(good.okText, "Load");
    EXPECT_TRUE(dialog.GetChosenPath().IsEmpty());  // cancelled
    EXPECT_EQ(DialogWindowHandle, nullptr);
}

// A shortcut previews its target, which becomes the chosen path; one to a
// file of another kind previews nothing.
TEST_F(FileDialogWin32, AShortcutPreviewsItsTarget) {
    const std::string target = test::WriteBmp(scratch, "target.bmp", 4, 2);
    scratch.Write("notes.txt", "text");
    ASSERT_TRUE(test::CreateLink(scratch / "image.lnk", target));
    ASSERT_TRUE(test::CreateLink(scratch / "notes.lnk", scratch / "notes.txt"));
    const std::string folder = scratch / "x";
    cWin32::ImageFileDialog dialog("", true);
    EXPECT_TRUE(dialog.Refresh(folder.c_str(), "image.lnk", "C:\\"));
    EXPECT_EQ(std::string(dialog.GetChosenPath().GetText()), target);
    EXPECT_EQ(std::string(dialog.GetNameLabel().GetText()), "target");
    EXPECT_FALSE(dialog.Refresh(folder.c_str(), "notes.lnk", "C:\\"));
    EXPECT_TRUE(dialog.GetChosenPath().IsEmpty());
}

}  // namespace
}  // namespace tovan

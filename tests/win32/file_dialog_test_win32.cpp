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
#include "win32/open_save_dialog.h"

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
    std::string typed;
    test::DialogDriver driver(0, [&](HWND frame) {
        Type(frame, "name");
        HWND types = GetDlgItem(frame, cWin32::FileDialog::kFileTypeBox);
        SendMessageA(types, CB_SETCURSEL, 1, 0);
        SendMessageA(frame, WM_COMMAND, MAKEWPARAM(cWin32::FileDialog::kFileTypeBox, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(types));
        Pump(50);
        typed = test::WindowText(GetDlgItem(frame, cWin32::FileDialog::kFileNameBox));
        pane = DialogWindowHandle;
        paused = FrameClock.m_PausedForFileDialog;
        SetCurrentDirectoryA(scratch.Path().c_str());  // as the system dialog may
        return IDOK;
    });
    ASSERT_TRUE(dialog.Run(nullptr));
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(typed, "name.bmp");  // the new type's extension put on the typed name
    EXPECT_EQ(std::string(dialog.GetChosenPath().GetText()), scratch / "name.bmp");
    EXPECT_NE(pane, nullptr);
    EXPECT_TRUE(paused);
    EXPECT_EQ(DialogWindowHandle, nullptr);
    EXPECT_FALSE(FrameClock.m_PausedForFileDialog);
    char after[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_EQ(std::string(after), std::string(before));
    SetCurrentDirectoryA(m_Directory);  // a process's current folder cannot be removed
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

// Dragging in the pane scrolls the text; a drag that starts outside the pane
// does nothing.
TEST_F(FileDialogWin32, DraggingInThePaneScrollsTheText) {
    scratch.Write("text.xml", "MMMM\nMMMM\n");
    cWin32::XmlFileDialog dialog(scratch.Path().c_str(), true);
    int tops[2] = {-1, -1};
    // The cursor goes back where it was: a window that later opens under it
    // would get a mouse move its test never made.
    POINT cursor = {};
    GetCursorPos(&cursor);
    test::DialogDriver driver(0, [&](HWND frame) {
        Type(frame, "text.xml");
        HWND pane = static_cast<HWND>(DialogWindowHandle);
        RECT r;
        GetWindowRect(GetDlgItem(pane, cWin32::FileDialog::kPreviewPane), &r);
        const POINT starts[2] = {{r.left - 20, r.top + 10}, {(r.left + r.right) / 2, r.top + 10}};
        for (int i = 0; i < 2; ++i) {
            SetCursorPos(starts[i].x, starts[i].y);
            SendMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SetCursorPos(starts[i].x, starts[i].y + 40);
            SendMessageA(pane, WM_MOUSEMOVE, MK_LBUTTON, 0);
            SendMessageA(pane, WM_LBUTTONUP, 0, 0);
            RedrawWindow(GetDlgItem(pane, cWin32::FileDialog::kPreviewPane), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW);
            const PreviewCanvas& canvas = dialog.GetCanvas();
            const uint32_t face = GetSysColor(COLOR_BTNFACE);
            for (int y = 0; y < canvas.Height() && tops[i] < 0; ++y)
                for (int x = 0; x < canvas.Width(); ++x) {
                    const uint8_t* p = canvas.Bits() + (canvas.Height() - 1 - y) * canvas.Stride() + 3 * x;
                    if (p[2] != GetRValue(face) || p[1] != GetGValue(face) || p[0] != GetBValue(face)) {
                        tops[i] = y;
                        break;
                    }
                }
        }
        return IDCANCEL;
    });
    dialog.Run(nullptr);
    SetCursorPos(cursor.x, cursor.y);
    EXPECT_GE(tops[0], 0);
    EXPECT_LT(tops[0], 16);
    EXPECT_GE(tops[1], 40);
    EXPECT_LT(tops[1], 56);
}

// The plain dialog: the default type comes first, a typed name gets it; an open
// dialog takes several names at once and keeps the files that exist.
TEST_F(FileDialogWin32, ThePlainDialogSavesWithTheDefaultTypeAndOpensSeveralFiles) {
    scratch.Write("a.png", "a");
    scratch.Write("b.png", "b");
    cStr saved;
    OpenSaveDialog save;
    save.m_Extensions.PushBack(".PNG");
    save.m_Extensions.PushBack("bmp");
    save.m_DefaultExtension = "Bmp";
    save.m_InitialFolder = scratch.Path().c_str();
    save.m_Open = false;
    save.m_Result = &saved;
    save.Setup();
    {
        test::DialogDriver typeName(0, [&](HWND frame) {
            SetWindowTextA(GetDlgItem(frame, cWin32::FileDialog::kFileNameBox), "pic");
            return IDOK;
        });
        save.Run();
    }
    EXPECT_TRUE(save.m_Succeeded);
    EXPECT_EQ(std::string(saved.GetText()), scratch / "pic.bmp");

    cList<cStr> opened;
    OpenSaveDialog open;
    open.m_Extensions.PushBack("png");
    open.m_InitialFolder = scratch.Path().c_str();
    open.m_Results = &opened;
    open.Setup();
    {
        test::DialogDriver typeNames(0, [&](HWND frame) {
            SetWindowTextA(GetDlgItem(frame, cWin32::FileDialog::kFileNameBox), "\"a.png\" \"b.png\"");
            return IDOK;
        });
        open.Run();
    }
    EXPECT_TRUE(open.m_Succeeded);
    ASSERT_EQ(opened.Count(), 2);
    EXPECT_EQ(std::string(opened[0].GetText()), scratch / "a.png");
    EXPECT_EQ(std::string(opened[1].GetText()), scratch / "b.png");
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

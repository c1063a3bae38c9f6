// The file dialogs natively, over the double that types the scripted choice:
// Run's result rules, and the resource layer's pickers through the installed
// dialogs.
#include "core/frame_clock.h"
#include "core/os_headless.h"
#include "core/window_utils.h"
#include "io/io.h"
#include "tests/support/log_capture.h"
#include "tests/win32/preview_files.h"
#include "win32/file_previews.h"
#include "win32/pick_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tovan {
namespace {

using test::ScratchTest;

std::string Text(const cStr& s) { return s.GetText(); }

std::vector<std::string> DialogCalls() {
    std::vector<std::string> calls = os::headless::TakeCalls(), dialogs;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(dialogs),
                 [](const std::string& c) { return c.rfind("FileDialog ", 0) == 0; });
    return dialogs;
}

class FileDialogRun : public ScratchTest {
protected:
    void SetUp() override {
        os::headless::TakeCalls();
        FrameClock.m_PausedForFileDialog = false;
    }
    void TearDown() override { FrameClock.m_PausedForFileDialog = false; }
    test::LogCapture log;
};

TEST_F(FileDialogRun, TheResultTakesTheSelectedTypeAndTheClockIsGivenBack) {
    struct Case {
        bool open;
        std::string typed;
        int filter;
        bool result;
        std::string chosen;
    };
    test::WriteBmp(scratch, "real.bmp", 2, 2);
    const Case cases[] = {
        {false, "name", 2, true, scratch / "name.bmp"},
        {false, "name.PNG", 2, true, scratch / "name.PNG"},
        {false, "name.txt", 1, true, scratch / "name.png"},
        {false, "real", 2, false, ""},  // completed into a file that exists: asked, No
        {true, "real.bmp", 0, true, scratch / "real.bmp"},
        {true, "name.txt", 0, false, ""},
        {true, "absent.bmp", 0, false, ""},
        {false, "", 0, false, ""},  // Cancel
    };
    for (bool pausedBefore : {false, true}) {
        for (const Case& c : cases) {
            cWin32::ImageFileDialog dialog(scratch.Path().c_str(), c.open);
            dialog.BuildFilter("png bmp");
            os::headless::ScriptFileChoice(c.typed, c.filter);
            FrameClock.m_PausedForFileDialog = pausedBefore;
            EXPECT_EQ(dialog.Run(nullptr), c.result) << c.typed;
            EXPECT_EQ(Text(dialog.GetChosenPath()), c.chosen) << c.typed;
            EXPECT_EQ(FrameClock.m_PausedForFileDialog, pausedBefore);
            EXPECT_EQ(DialogWindowHandle, nullptr);
        }
    }
    // The initial name is preselected in the initial folder; a confirmed choice
    // moves the initial folder to the chosen file's.
    cWin32::ImageFileDialog dialog("C:\\start", false);
    os::headless::TakeCalls();
    os::headless::ScriptFileChoice(scratch / "there.png");
    ASSERT_TRUE(dialog.Run("first.png"));
    EXPECT_EQ(DialogCalls(),
              std::vector<std::string>{"FileDialog save Save Image File | C:\\start\\first.png | filter 1"});
    EXPECT_EQ(Text(dialog.GetInitialFolder()), scratch.Path());
}

class PickerDialogs : public FileDialogRun {
protected:
    void SetUp() override {
        FileDialogRun::SetUp();
        InstallFileDialogs();
        GetPickerMemory() = PickerMemory();
        GetKindFolders().Free();
    }
    void TearDown() override {
        SetPickDialogHook(nullptr);
        GetPickerMemory() = PickerMemory();
        GetKindFolders().Free();
        FileDialogRun::TearDown();
    }
};

TEST_F(PickerDialogs, TheImageSaveFilterFollowsTheLastImageAndLoadsAnswerRelativeNames) {
    cStr result;
    os::headless::ScriptFileChoice(scratch / "a.tga");
    ASSERT_TRUE(cIO::PickImageToSave(result));
    EXPECT_EQ(Text(result), scratch / "a.tga");
    os::headless::ScriptFileChoice("");
    EXPECT_FALSE(cIO::PickImageToSave(result));
    EXPECT_EQ(Text(result), scratch / "a.tga");  // untouched by the cancel

    test::WriteBmp(scratch, "b.bmp", 2, 2);
    os::headless::ScriptFileChoice("b.bmp");
    ASSERT_TRUE(cIO::PickImageToLoad(result));
    cStr relative((scratch / "b.bmp").c_str());
    relative.MakeRelative(cIO::GetBaseFolder()->GetText());
    EXPECT_EQ(Text(result), Text(relative));
    scratch.Write("c.bmp", "not an image");
    os::headless::ScriptFileChoice("c.bmp");
    EXPECT_FALSE(cIO::PickImageToLoad(result));  // OK is never enabled for it
    EXPECT_EQ(DialogCalls(), (std::vector<std::string>{
                                 "FileDialog save Save Image File |  | filter 1",
                                 "FileDialog save Save Image File | " + scratch / "a.tga" + " | filter 4",
                                 "FileDialog open Load Image File | " + scratch / "a.tga" + " | filter 1",
                                 "FileDialog open Load Image File | " + scratch / "b.bmp" + " | filter 1",
                             }));
}

TEST_F(PickerDialogs, TheSoundPickerNeverConfirmsButRecordsItsKind) {
    scratch.Write("tune.caf", "caff");
    GetPickerMemory().m_SoundFolder = scratch.Path().c_str();
    os::headless::ScriptFileChoice("tune.caf");
    cStr result("kept");
    EXPECT_FALSE(cIO::PickSoundToLoad(result));
    EXPECT_EQ(Text(result), "kept");
    EXPECT_TRUE(GetPickerMemory().m_SoundFile.IsEmpty());
    ASSERT_EQ(GetKindFolders().Count(), 1);
    EXPECT_EQ(Text(GetKindFolders()[0].m_Kind), "Sound");
    EXPECT_EQ(DialogCalls(), std::vector<std::string>{"FileDialog open Load Sounde File |  | filter 1"});
}

}  // namespace
}  // namespace tovan

// The font command natively: the file dialog starts in the generated-font
// folder and remembers where the files were; the frame clock's pause is given
// back and queued input dropped; a cancelled font dialog writes nothing.
#include "core/frame_clock.h"
#include "core/os_headless.h"
#include "io/file_pickers.h"
#include "io/io.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch.h"
#include "tests/support/ui/frame_host.h"
#include "win32/font_generator.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

class FontCommand : public test::ScratchTest {
protected:
    void SetUp() override {
        GetKindFolders().Free();
        cIO::SetWriteFolder(scratch.Path().c_str());
    }
    void TearDown() override {
        cIO::SetWriteFolder("");
        GetKindFolders().Free();
        os::headless::Reset();
    }
};

TEST_F(FontCommand, CharacterFilesAreMultiSelectedAndTheirFolderRemembered) {
    test::FrameHost host;
    const bool paused = FrameClock.m_PausedForDialog;
    cIO::SetKindFolder("GenFont", scratch.Path().c_str());
    os::headless::TakeCalls();
    os::headless::ScriptFileChoice("a.xml|C:\\texts\\b.xml");
    os::headless::ScriptFileChoice("");
    PushInputEvent(NewMotionEvent(1, 1, 0, 0), false);
    cList<cStr> files;
    ASSERT_TRUE(PickRequiredCharacterFiles("XML", files));
    ASSERT_EQ(files.Count(), 2);
    EXPECT_EQ(files[0], cStr((scratch / "a.xml").c_str()));
    EXPECT_EQ(files[1], "C:\\texts\\b.xml");
    EXPECT_EQ(PopInputEvent(), nullptr);
    EXPECT_EQ(FrameClock.m_PausedForDialog, paused);
    // The folder of the first file; here the one it started in.
    EXPECT_EQ(cIO::GetGenFontFolder(), cIO::ResolvePath(scratch.Path().c_str()));

    EXPECT_FALSE(PickRequiredCharacterFiles("XML", files));
    EXPECT_EQ(files.Count(), 0);
    const std::vector<std::string> dialog(
        2, "CharacterFileDialog Select one or several files with required characters | XML | " + scratch.Path());
    EXPECT_EQ(os::headless::TakeCalls(), dialog);
}

TEST_F(FontCommand, CancelledFontDialogWritesNothing) {
    test::FrameHost host;
    scratch.Write("chars.xml", "abc");
    os::headless::TakeCalls();
    os::headless::ScriptFileChoice(scratch / "chars.xml");
    test::LogCapture log;
    EXPECT_FALSE(GenerateFont());
    const std::vector<std::string> calls = os::headless::TakeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "ChooseFontA");
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_FALSE(scratch.Exists("Fonts"));
}

}  // namespace
}  // namespace tovan

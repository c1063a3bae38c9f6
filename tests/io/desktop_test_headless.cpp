// Programs, environment, clipboard and restart on the headless double.
#include "core/os.h"
#include "core/os_headless.h"
#include "tests/io/io_fixture.h"

#include <sys/stat.h>

#include <filesystem>

namespace tovan {
namespace {

using test::IoTest;
using test::Str;

void MakeScript(const std::string& windowsPath, const std::string& body) {
    IoTest::WriteHost(windowsPath, "#!/bin/sh\n" + body);
    chmod(os::headless::HostPath(windowsPath.c_str()).c_str(), 0755);
}

TEST_F(IoTest, RunAndWaitIsTrueOnlyForExitCodeZero) {
    os::headless::ScriptProcessExit(0);
    os::headless::ScriptProcessExit(1);
    os::headless::ScriptProcessStartFailure();
    EXPECT_TRUE(cIO::RunAndWait("cmd.exe", "/c exit 0"));
    EXPECT_FALSE(cIO::RunAndWait("cmd.exe", "/c exit 1"));
    EXPECT_FALSE(cIO::RunAndWait("cmd.exe", "/c exit 0"));
    EXPECT_FALSE(cIO::RunAndWait(nullptr, ""));
}

TEST_F(IoTest, RunAndWaitBlocksUntilTheChildEnds) {
    std::string tool = scratch / "tool";
    MakeScript(tool, "sleep 0.2\necho done > \"$(dirname \"$0\")/out.txt\"\nexit $1\n");
    EXPECT_TRUE(cIO::RunAndWait(tool.c_str(), "0"));
    EXPECT_EQ(scratch.Read("out.txt"), "done\n");
    EXPECT_FALSE(cIO::RunAndWait(tool.c_str(), "1"));
}

TEST_F(IoTest, GetEnvGivesTheValueOrNothing) {
    EXPECT_EQ(Str(cIO::GetEnv("TOVAN_UNSET")), "");
    EXPECT_EQ(Str(cIO::GetEnv(nullptr)), "");
    os::headless::SetEnvironment("TOVAN_SHORT", "v");
    EXPECT_EQ(Str(cIO::GetEnv("tovan_short")), "v");
    std::string long_value(5000, 'x');
    os::headless::SetEnvironment("TOVAN_LONG", long_value);
    EXPECT_EQ(Str(cIO::GetEnv("TOVAN_LONG")), long_value);
}

TEST_F(IoTest, CopyToClipboardPutsTheTextThere) {
    EXPECT_TRUE(cIO::CopyToClipboard("some text"));
    EXPECT_EQ(os::headless::Clipboard(), "some text");
    EXPECT_TRUE(cIO::CopyToClipboard(nullptr));
    EXPECT_EQ(os::headless::Clipboard(), "");
    os::headless::SetClipboardBusy(true);
    EXPECT_FALSE(cIO::CopyToClipboard("x"));
}

// The restart starts the module again and ends this process with code 0; it runs
// in a forked child so the test program lives on.
TEST_F(IoTest, RestartStartsTheProgramAgainAndExits) {
    cIO::Init();
    MakeScript("C:\\app\\h.exe", "echo restarted > \"$(dirname \"$0\")/restarted.txt\"\n");
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(cIO::RestartThisApplication(), ::testing::ExitedWithCode(0), "");
    std::string marker = Host("C:\\app\\restarted.txt");
    for (int i = 0; i < 500 && !std::filesystem::exists(marker); ++i)
        os::Sleep(10);
    EXPECT_EQ(ReadHost("C:\\app\\restarted.txt"), "restarted\n");
}

}  // namespace
}  // namespace tovan

// Programs, clipboard, environment and restart on Windows.
#include "core/os.h"
#include "tests/io/io_fixture.h"
#include "tests/support/child_job.h"
#include "tests/support/clipboard_lock_win32.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>

namespace tovan {
namespace {

using test::IoTest;
using test::Str;

TEST_F(IoTest, RunAndWaitGivesTheExitCodeOfCmd) {
    EXPECT_TRUE(cIO::RunAndWait("cmd.exe", "/c exit 0"));
    EXPECT_FALSE(cIO::RunAndWait("cmd.exe", "/c exit 1"));
    // (A missing program is not tried here: the shell reports it in a message box.)
    // It waits: the child's file is there when the call returns.
    std::string out = scratch / "out.txt";
    EXPECT_TRUE(cIO::RunAndWait("cmd.exe", ("/c echo done> \"" + out + "\"").c_str()));
    EXPECT_EQ(scratch.Read("out.txt"), "done\r\n");
}

TEST_F(IoTest, ClipboardTextRoundTrips) {
    test::ClipboardLock lock;
    auto clipboard = [] {
        std::string text(200000, '\0');
        int n = os::ClipboardGetText(nullptr, text.data(), int(text.size()));
        text.resize(n < 0 ? 0 : size_t(n));
        return n < 0 ? std::string("<none>") : text;
    };
    EXPECT_TRUE(cIO::CopyToClipboard("first line\r\nsecond \xe9"));
    EXPECT_EQ(clipboard(), "first line\r\nsecond \xe9");
    std::string big(100000, 'q');
    EXPECT_TRUE(cIO::CopyToClipboard(big.c_str()));
    EXPECT_EQ(clipboard(), big);
    EXPECT_TRUE(cIO::CopyToClipboard(nullptr));
    EXPECT_EQ(clipboard(), "");
}

TEST_F(IoTest, GetEnvReadsTheProcessEnvironment) {
    ASSERT_EQ(_putenv_s("TOVAN_IO_VALUE", "a value"), 0);
    EXPECT_EQ(Str(cIO::GetEnv("TOVAN_IO_VALUE")), "a value");
    ASSERT_EQ(_putenv_s("TOVAN_IO_VALUE", ""), 0);  // removes it
    EXPECT_EQ(Str(cIO::GetEnv("TOVAN_IO_VALUE")), "");
    EXPECT_EQ(Str(cIO::GetEnv(nullptr)), "");
}

// The child writes "child" and restarts; the restarted program (same job, since
// the environment is inherited) finds the mark and adds "restarted".
int RestartJob(const char* marker) {
    if (!std::filesystem::exists(marker)) {
        IoTest::WriteHost(marker, "child\n");
        cIO::RestartThisApplication();
    }
    IoTest::WriteHost(marker, IoTest::ReadHost(marker) + "restarted\n");
    return 0;
}
test::ChildJobRegistration g_RestartJob("restart", RestartJob);

TEST_F(IoTest, RestartStartsTheProgramAgainAndEndsTheOld) {
    std::string marker = scratch / "restart.txt";
    char self[MAX_PATH];
    ASSERT_GT(os::ModuleFileName(self, sizeof self), 0);
    ASSERT_EQ(_putenv_s("TOVAN_TEST_JOB", ("restart:" + marker).c_str()), 0);
    bool ended = cIO::RunAndWait(self, "");
    _putenv_s("TOVAN_TEST_JOB", "");
    EXPECT_TRUE(ended);  // the first child exits with 0 right after starting the new one
    for (int i = 0; i < 1200 && scratch.Read("restart.txt") != "child\nrestarted\n"; ++i)
        Sleep(50);
    EXPECT_EQ(scratch.Read("restart.txt"), "child\nrestarted\n");
}

}  // namespace
}  // namespace tovan

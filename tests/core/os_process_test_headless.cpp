// The headless double's processes, environment and clipboard.
#include "core/os.h"
#include "core/os_headless.h"
#include "tests/support/scratch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovan {
namespace {

using test::ScratchTest;
using Args = std::vector<std::string>;

TEST(HeadlessCommandLine, SplitsLikeTheWindowsRuntime) {
    using os::headless::SplitCommandLine;
    EXPECT_EQ(SplitCommandLine(nullptr), Args{});
    EXPECT_EQ(SplitCommandLine("  \t "), Args{});
    EXPECT_EQ(SplitCommandLine("/c exit 1"), (Args{"/c", "exit", "1"}));
    EXPECT_EQ(SplitCommandLine("\"a b\" c\td"), (Args{"a b", "c", "d"}));
    EXPECT_EQ(SplitCommandLine("a\\\\b \\\"q"), (Args{"a\\\\b", "\"q"}));     // lone backslashes stay
    EXPECT_EQ(SplitCommandLine("\"x\\\\\" y"), (Args{"x\\", "y"}));           // 2n before a quote: n, quote ends
    EXPECT_EQ(SplitCommandLine("\"x\\\\\\\" y\""), (Args{"x\\\" y"}));        // 2n+1: n and a literal quote
    EXPECT_EQ(SplitCommandLine("\"say \"\"hi\"\"\""), (Args{"say \"hi\""}));  // "" inside quotes
    EXPECT_EQ(SplitCommandLine("\"\""), (Args{""}));                          // an empty quoted argument
    EXPECT_EQ(SplitCommandLine("a\"b c\"d"), (Args{"ab cd"}));
}

class HeadlessProcess : public ScratchTest {
protected:
    // A shell script on the virtual drive that the double can start.
    std::string Script(const std::string& name, const std::string& body) {
        scratch.Write(name, "#!/bin/sh\n" + body);
        chmod(os::headless::HostPath((scratch / name).c_str()).c_str(), 0755);
        return scratch / name;
    }
};

TEST_F(HeadlessProcess, RunAndWaitStartsARealChildWithWindowsArguments) {
    std::string tool = Script("tool", "for a in \"$@\"; do printf '[%s]' \"$a\"; done > args.txt\nexit $1\n");
    os::SetCurrentDirectory(scratch.Path().c_str());
    uint32_t code = 99;
    ASSERT_TRUE(os::RunAndWait(tool.c_str(), "3 \"b c\" d\\\"e", &code));
    EXPECT_EQ(code, 3u);
    EXPECT_EQ(scratch.Read("args.txt"), "[3][b c][d\"e]");  // run in the current directory
    ASSERT_TRUE(os::RunAndWait(tool.c_str(), "0", &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(os::RunAndWait((scratch / "none").c_str(), "", &code));
    scratch.Write("doc.txt", "not a program");
    EXPECT_FALSE(os::RunAndWait((scratch / "doc.txt").c_str(), "", &code));
}

TEST_F(HeadlessProcess, ScriptedAnswersStartNothing) {
    os::headless::ScriptProcessExit(7);
    os::headless::ScriptProcessStartFailure();
    os::headless::TakeCalls();
    uint32_t code = 0;
    EXPECT_TRUE(os::RunAndWait("..\\Libs\\PC.exe", "-x", &code));
    EXPECT_EQ(code, 7u);
    EXPECT_FALSE(os::RunAndWait("PC.exe", nullptr, &code));
    EXPECT_EQ(os::headless::TakeCalls(), (Args{"RunAndWait ..\\Libs\\PC.exe -x", "RunAndWait PC.exe "}));
}

TEST_F(HeadlessProcess, ShellOpenStartsWithoutWaiting) {
    std::string tool = Script("mark", "echo started > \"$(dirname \"$0\")/marker.txt\"\n");
    ASSERT_TRUE(os::ShellOpen(tool.c_str()));
    for (int i = 0; i < 500 && scratch.Read("marker.txt").empty(); ++i)
        os::Sleep(10);
    EXPECT_EQ(scratch.Read("marker.txt"), "started\n");
    EXPECT_FALSE(os::ShellOpen((scratch / "none").c_str()));
}

// Unscripted, a process's life is the host's (scripted answers serve the saves' tests).
TEST_F(HeadlessProcess, AnEndedChildIsNoLongerAlive) {
    uint32_t code = 1;
    ASSERT_TRUE(os::RunAndWait(Script("pid", "echo $$ > \"$(dirname \"$0\")/pid.txt\"\n").c_str(), "", &code));
    EXPECT_EQ(os::CurrentProcessId(), uint32_t(getpid()));
    for (uint32_t id : {uint32_t(std::stoul(scratch.Read("pid.txt"))), 0x80000000u, 0xFFFFFFFFu})
        EXPECT_FALSE(os::ProcessAlive(id)) << id;
}

TEST(HeadlessEnvironment, NamesIgnoreCase) {
    os::headless::Reset();
    char buffer[8];
    EXPECT_EQ(os::EnvironmentVariable("TOVAN_X", buffer, sizeof buffer), -1);
    os::headless::SetEnvironment("Tovan_X", "a long value");
    EXPECT_EQ(os::EnvironmentVariable("tovan_x", buffer, sizeof buffer), 12);
    EXPECT_STREQ(buffer, "a long ");
    os::headless::UnsetEnvironment("TOVAN_X");
    EXPECT_EQ(os::EnvironmentVariable("TOVAN_X", buffer, sizeof buffer), -1);
}

TEST(HeadlessClipboard, HoldsTextUntilBusy) {
    os::headless::Reset();
    char buffer[16];
    EXPECT_EQ(os::ClipboardGetText(nullptr, buffer, sizeof buffer), -1);
    EXPECT_TRUE(os::ClipboardSetText(nullptr, "abc", 3));
    EXPECT_EQ(os::ClipboardGetText(nullptr, buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "abc");
    os::headless::SetClipboardBusy(true);
    EXPECT_FALSE(os::ClipboardSetText(nullptr, "new", 3));
    EXPECT_EQ(os::ClipboardGetText(nullptr, buffer, sizeof buffer), -1);
    os::headless::SetClipboardBusy(false);
    EXPECT_EQ(os::headless::Clipboard(), "abc");
}

}  // namespace
}  // namespace tovan

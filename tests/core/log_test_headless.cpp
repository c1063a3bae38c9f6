// Natively the log window answers what the test scripted. E&xit really ends the
// process, so those cases run in death-test children; the children re-run the
// test from its start and find the parent's virtual drive through the environment.
#include "core/dialog_template.h"
#include "core/log.h"
#include "core/log_window.h"
#include "core/os_headless.h"
#include "core/str.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

namespace tovan {
namespace {

constexpr const char* kParentRoot = "TOVAN_TEST_PARENT_DRIVE";

class LogChildTest : public test::ScratchTest {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        setenv(kParentRoot, os::headless::DriveRoot().c_str(), 0);  // a child keeps its parent's
    }
    void TearDown() override {
        unsetenv(kParentRoot);
        FlushLog();
        SetLogFileName("");
    }

    // In the child: use the parent's drive and its log file.
    void AdoptParent() {
        os::headless::SetDriveRoot(getenv(kParentRoot));
        SetLogFileName((scratch / "exit.log").c_str());
    }

    // In the child: waits, without flushing, until the file holds `expected`;
    // ends the child with code 2 when it never does.
    void WaitForFile(const std::string& expected) {
        for (int i = 0; i < 400; ++i) {
            if (scratch.Read("exit.log") == expected)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        std::_Exit(2);
    }
};

TEST_F(LogChildTest, ExitFromAWarningWritesThePendingTextFirst) {
    EXPECT_EXIT(
        {
            AdoptParent();
            Log("first");
            WaitForFile("first\r\n");  // the thread's first write; it now sleeps 500 ms
            os::headless::ScriptAnswer(kLogExit);
            Warning("last words");
            std::_Exit(3);  // not reached: E&xit ends the process
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(scratch.Read("exit.log"), "first\r\nlast words\r\n");
}

TEST_F(LogChildTest, NormalExitWritesThePendingText) {
    EXPECT_EXIT(
        {
            AdoptParent();
            Log("first");
            WaitForFile("first\r\n");
            Log("at exit");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(scratch.Read("exit.log"), "first\r\nat exit\r\n");
}

TEST_F(LogChildTest, AFailedThreadStartIsTriedAgainWithTheNextMessage) {
    EXPECT_EXIT(
        {
            AdoptParent();
            os::headless::ScriptThreadStartFailures(1);
            Log("while no thread runs");
            Log("thread started");
            WaitForFile("while no thread runs\r\nthread started\r\n");  // written by the thread, not at exit
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(LogChildTest, ExitInModeErrorIsLeftToTheCaller) {
    os::headless::ScriptAnswer(kLogExit);
    EXPECT_EQ(LogWindow(LogWindowMode::Error), kLogExit);
    EXPECT_EQ(os::headless::TakeCalls(), std::vector<std::string>{"LogWindow error"});
}

// The flush thread writes without holding the pending-text lock, so a Log made
// while a write is stuck (here: a pipe nobody reads yet) goes through.
TEST_F(LogChildTest, LoggingGoesOnWhileTheFileWriteIsStuck) {
    std::string fifo = os::headless::HostPath((scratch / "pipe.log").c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    SetLogFileName((scratch / "pipe.log").c_str());
    os::headless::TakeCalls();
    Log("into the pipe");
    bool opening = false;  // the thread has taken the text and waits in the open
    for (int i = 0; i < 400 && !opening; ++i) {
        for (const std::string& call : os::headless::TakeCalls())
            opening |= call == "FileOpen C:\\scratch\\pipe.log append";
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(opening);
    std::future<void> other = std::async(std::launch::async, [] { Log("meanwhile"); });
    bool wentOn = other.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    std::string read;
    int fd = open(fifo.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    char buffer[256];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        read.append(buffer, size_t(n));
    close(fd);
    SetLogFileName("");  // before the thread wakes again: "meanwhile" goes nowhere
    other.wait();
    EXPECT_TRUE(wentOn);
    EXPECT_EQ(read, "into the pipe\r\n");
}

TEST(LogWindowHeadless, ScriptedCopyPutsTheWholeTextOnTheClipboard) {
    os::headless::Reset();
    std::string big(15000, 'b');
    Log("%s", big.c_str());
    Log("%s", big.c_str());
    os::headless::ScriptAnswer(kLogCopy);
    os::headless::ScriptAnswer(kLogDebug);
    EXPECT_EQ(LogWindow(LogWindowMode::Assert), kLogDebug);
    EXPECT_EQ(os::headless::Clipboard(), GetLogText().GetText());
    EXPECT_GT(GetLogText().Length(), 30000);
    EXPECT_EQ(LogWindow(LogWindowMode::Warning), kLogIgnore);  // nothing scripted: &Ignore
    EXPECT_EQ(os::headless::TakeCalls(),
              (std::vector<std::string>{"LogWindow assert", "ClipboardSetText", "LogWindow warning"}));
}

uint32_t U16(const cDialogTemplate& t, int at) { return t.Data()[at] | t.Data()[at + 1] << 8; }

TEST(LogWindowHeadless, TemplateHoldsTheSevenControlsInOrder) {
    cDialogTemplate t;
    logwindow::BuildTemplate(t, "Halden");
    EXPECT_EQ(U16(t, 0) | U16(t, 2) << 16, 0x86CF0808u | 0x40u);
    EXPECT_EQ(U16(t, 4) | U16(t, 6) << 16, 0x50000u);
    EXPECT_EQ(t.ItemCount(), 7);
    EXPECT_EQ(U16(t, 14), 380u);
    EXPECT_EQ(U16(t, 16), 260u);
    struct Expected {
        int id;
        uint32_t style;
        const char* className;
        const char* text;
    };
    const Expected items[] = {
        {106, 0x50B10804, "Edit", ""},
        {107, 0x50000000, "msctls_statusbar32", ""},
        {101, 0x50010000, "Button", "&Debug"},
        {102, 0x50010000, "Button", "&Ignore"},
        {103, 0x50010000, "Button", "Ignore &Always"},
        {104, 0x50010000, "Button", "&Copy"},
        {105, 0x50010000, "Button", "E&xit"},
    };
    // Walk the items: caption "Halden", point size, face "Tahoma", then each item.
    int at = 22 + 14 + 2 + 14;
    auto text = [&](int& p) {
        std::string s;
        while (U16(t, p) != 0) {
            s += char(U16(t, p));
            p += 2;
        }
        p += 2;
        return s;
    };
    for (const Expected& e : items) {
        at = (at + 3) & ~3;
        EXPECT_EQ(U16(t, at) | U16(t, at + 2) << 16, e.style) << e.id;
        EXPECT_EQ(U16(t, at + 8), 0u);
        EXPECT_EQ(U16(t, at + 12), 10u);
        EXPECT_EQ(U16(t, at + 14), 10u);
        EXPECT_EQ(U16(t, at + 16), uint32_t(e.id));
        at += 18;
        EXPECT_EQ(text(at), e.className);
        EXPECT_EQ(text(at), e.text);
        EXPECT_EQ(U16(t, at), 0u);
        at += 2;
    }
    EXPECT_EQ(at, t.Size());
}

TEST(LogWindowHeadless, ButtonsEnabledByMode) {
    using M = LogWindowMode;
    const M modes[] = {M::Log, M::Warning, M::Error, M::Assert};
    const char* expected[] = {"00010", "01011", "00011", "11111"};  // 101..105
    for (int m = 0; m < 4; ++m) {
        std::string got;
        for (int id = kLogDebug; id <= kLogExit; ++id)
            got += logwindow::ButtonEnabled(id, modes[m]) ? '1' : '0';
        EXPECT_EQ(got, expected[m]) << "mode " << m;
    }
}

}  // namespace
}  // namespace tovan

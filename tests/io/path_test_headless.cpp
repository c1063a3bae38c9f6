// Start-up on the virtual drive: the base folder from the module path.
#include "core/log.h"
#include "core/os_headless.h"
#include "io/base_folder.h"
#include "tests/io/io_fixture.h"
#include "tests/io/registration_lines.h"
#include "tests/support/log_capture.h"

#include <unistd.h>

#include <atomic>
#include <thread>

namespace tovan {
namespace {

using test::IoTest;
using test::ScratchTest;
using test::Str;

TEST_F(IoTest, BaseFolderIsTheProgramFolder) {
    EXPECT_EQ(Base(), "C:\\app");
    EXPECT_EQ(Str(cIO::ResolvePath("~/a/b.txt")), "C:\\Users\\tovan\\Documents\\a\\b.txt");
    EXPECT_EQ(Str(cIO::ResolvePath("\\a/b")), "C:\\app\\a\\b");
}

TEST_F(IoTest, DocumentsFolderIsEmptyWhenTheSystemHasNone) {
    os::headless::SetDocumentsFolder("");
    EXPECT_EQ(Str(cIO::GetDocumentsFolder()), "");
}

struct BuildCase {
    const char* module;
    const char* base;
    const char* suffix;  // null: no log line
};

TEST(IoBaseFolder, CompilerOutputFoldersGiveWayToTheirDataFolder) {
    static const BuildCase kCases[] = {
        {"C:\\work\\x64\\Debug (DX)\\h.exe", "C:\\work\\", "x64\\Debug (DX)"},
        {"C:\\work\\X64\\release (gl)\\h.exe", "C:\\work\\", "x64\\Release (GL)"},
        {"C:\\work\\tool.bin64\\h.exe", "C:\\work\\tool", ".bin64"},
        {"C:\\src\\orvane/OrvaneV4/build/Release\\h.exe", "C:\\src\\orvane-data-2020", "orvane/OrvaneV4/build/Release"},
        {"C:\\src\\build/Debug\\h.exe", "C:\\src\\", "build/Debug"},
        // Only the first match is applied, though the rest would match after it.
        {"C:\\src\\build/Debug.bin64\\h.exe", "C:\\src\\build/Debug", ".bin64"},
        // '/' and '\' are different characters here.
        {"C:\\src\\build\\Debug\\h.exe", "C:\\src\\build\\Debug", nullptr},
        {"C:\\app\\h.exe", "C:\\app", nullptr},
        {"h.exe", "", nullptr},
        {"\\h.exe", "", nullptr},  // the scan stops before the first character
        {"", "", nullptr},
    };
    for (const BuildCase& c : kCases) {
        test::LogCapture log;
        EXPECT_EQ(Str(BaseFolderFromModulePath(c.module)), c.base) << c.module;
        std::vector<std::string> expected;
        if (c.suffix)
            expected.push_back(std::string("Program is running inside compiler output directory \"") + c.suffix + "\"");
        EXPECT_EQ(log.Logs(), expected) << c.module;
    }
}

// Start-up runs once per process, so these run in fresh child processes, with
// the plain scratch fixture (the cIO one starts the layer).
TEST_F(ScratchTest, StartUpInsideACompilerOutputFolderUsesTheFolderAbove) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto startUp = [] {
        os::headless::SetModulePath("C:\\work\\x64\\Debug (DX)\\h.exe");
        test::LogCapture log;
        cIO::Init();
        cIO::Init();
        std::vector<std::string> expected = {"Program is running inside compiler output directory \"x64\\Debug (DX)\"",
                                             "Default file source is folder \"C:\\work\\\""};
        expected.insert(expected.end(), test::RegistrationLines().begin(), test::RegistrationLines().end());
        const std::string base = Str(*cIO::GetBaseFolder()), resolved = Str(cIO::ResolvePath("a/b"));
        bool ok = base == "C:\\work\\" && log.Logs() == expected && resolved == "C:\\work\\a\\b";
        fprintf(
            stderr, "%s",
            ok ? "start-up ok"
               : ("start-up wrong: base " + base + ", a/b " + resolved + "\n" + test::ShowLines(expected, log.Logs()))
                     .c_str());
        exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(startUp(), ::testing::ExitedWithCode(0), "start-up ok");
}

// Threads racing for the first use all wait for the one start-up.
TEST_F(ScratchTest, StartUpRunsOnceWhenThreadsRace) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto race = [] {
        os::headless::SetModulePath("C:\\app\\h.exe");
        test::LogCapture log;
        std::vector<std::thread> threads;
        std::atomic<int> wrong{0};
        for (int i = 0; i < 8; ++i)
            threads.emplace_back([&] {
                if (Str(cIO::ResolvePath("x")) != "C:\\app\\x")
                    ++wrong;
            });
        for (std::thread& t : threads)
            t.join();
        int lines = 0;
        for (const std::string& line : log.Logs())
            lines += line.rfind("Default file source", 0) == 0;
        bool ok = wrong == 0 && lines == 1;
        fprintf(stderr, "%s", ok ? "once" : "wrong");
        exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(race(), ::testing::ExitedWithCode(0), "once");
}

// The log-flush thread and other threads race the first use while messages go
// to a log file: start-up still runs once, nothing waits for ever, and every
// message reaches the file.
TEST_F(ScratchTest, StartUpRacingTheLogFileNeitherHangsNorLosesLines) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string logFile = scratch / "race.log";
    auto race = [&] {
        alarm(60);  // a deadlock ends the child instead of the test run
        os::headless::SetModulePath("C:\\app\\h.exe");
        SetLogFileName(logFile.c_str());
        std::vector<std::thread> threads;
        for (int i = 0; i < 8; ++i)
            threads.emplace_back([i] {
                if (i % 2)
                    Log("message %d", i);
                else if (i == 0)
                    FlushLog();
                else
                    cIO::ResolvePath("x");
            });
        for (std::thread& t : threads)
            t.join();
        FlushLog();
        std::string text = IoTest::ReadHost(logFile);
        int startLines = 0;
        for (size_t at = text.find("Default file source"); at != std::string::npos;
             at = text.find("Default file source", at + 1))
            ++startLines;
        bool ok = startLines == 1;
        for (int i = 1; i < 8; i += 2)
            ok = ok && text.find("message " + std::to_string(i) + "\r\n") != std::string::npos;
        fprintf(stderr, "%s", ok ? "all lines" : text.c_str());
        exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(race(), ::testing::ExitedWithCode(0), "all lines");
}

}  // namespace
}  // namespace tovan

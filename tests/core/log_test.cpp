// Log and Warning: line ends, memory versus file, the flush thread, threads and
// re-entry. Runs in both builds; windows are answered by a LogCapture or observer.
#include "core/log.h"
#include "core/str.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>
#include <vector>

namespace tovan {
namespace {

class LogTest : public test::ScratchTest {
protected:
    void TearDown() override {
        FlushLog();
        SetLogFileName("");
        SetLogTextLimit(0);
    }

    // The text the log gained since `before` (no log file set meanwhile).
    static std::string Since(int before) { return std::string(GetLogText().GetText() + before); }

    // Waits for the flush thread to bring the file to `expected`; returns what it holds.
    std::string WaitForFile(const std::string& name, const std::string& expected) {
        std::string text;
        for (int i = 0; i < 400; ++i) {  // the thread writes every 500 ms
            text = scratch.Read(name);
            if (text == expected)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return text;
    }
};

TEST_F(LogTest, LineEndsBecomeCrLfAndEveryMessageEndsWithOne) {
    struct Case {
        const char* message;
        const char* stored;
    };
    const Case cases[] = {
        {"a\r\nb\n", "a\r\nb\r\n"},
        {"x", "x\r\n"},
        {"\r", "\r\n"},  // a lone CR is removed, then the message gets its line end
        {"\n", "\r\n"},
        {"", "\r\n"},
        {"p\n\rq\r\r", "p\r\nq\r\n"},
        {"two\n\n", "two\r\n\r\n"},
    };
    for (const Case& c : cases) {
        int before = GetLogText().Length();
        Log("%s", c.message);
        EXPECT_EQ(Since(before), c.stored) << "message of " << strlen(c.message) << " bytes";
    }
}

TEST_F(LogTest, FormatsLikePrintfAndCutsAtTheFormatLimit) {
    int before = GetLogText().Length();
    Log("%d-%s-%c", 42, "x", 'y');
    EXPECT_EQ(Since(before), "42-x-y\r\n");
    std::string longText(25000, 'z');
    before = GetLogText().Length();
    Log("%s", longText.c_str());
    EXPECT_EQ(Since(before), std::string(cStr::kFormatVLimit, 'z') + "\r\n");
}

TEST_F(LogTest, WithoutAFileTheMemoryKeepsEveryMessage) {
    int before = GetLogText().Length();
    Log("first");
    Log("second");
    EXPECT_EQ(Since(before), "first\r\nsecond\r\n");
}

// A bound keeps the memory text within it, holding the latest messages whole at
// its end; back at 0 every message is kept again.
TEST_F(LogTest, ABoundOnTheMemoryTextKeepsItsLatestPart) {
    struct Case {
        int limit;
        int messages;
    };
    const Case cases[] = {{64, 200}, {100, 7}, {1000, 500}, {30, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        SetLogTextLimit(c.limit);
        ASSERT_LE(GetLogText().Length(), c.limit);  // what was there is cut at once
        std::string all;
        for (int i = 0; i < c.messages; ++i) {
            char message[32];
            std::snprintf(message, sizeof message, "message %03d", i);
            Log("%s", message);
            all += std::string(message) + "\r\n";
        }
        const std::string kept = GetLogText().GetText();
        EXPECT_LE(int(kept.size()), c.limit);
        EXPECT_GE(int(kept.size()), std::min(c.limit / 2, int(all.size())));
        const size_t n = std::min(kept.size(), all.size());
        EXPECT_EQ(kept.substr(kept.size() - n), all.substr(all.size() - n)) << "not the latest text";
    }
    SetLogTextLimit(0);
    const int before = GetLogText().Length();
    Log("%s", std::string(5000, 'w').c_str());
    Log("last");
    EXPECT_EQ(Since(before), std::string(5000, 'w') + "\r\nlast\r\n");
}

TEST_F(LogTest, WithAFileTheMemoryKeepsTheLatestAndTheThreadWritesAll) {
    scratch.Write("app.log", "earlier\r\n");
    SetLogFileName((scratch / "app.log").c_str());
    Log("first");
    Log("second\n");
    EXPECT_STREQ(GetLogText().GetText(), "second\r\n");
    EXPECT_EQ(WaitForFile("app.log", "earlier\r\nfirst\r\nsecond\r\n"), "earlier\r\nfirst\r\nsecond\r\n");
}

TEST_F(LogTest, AnUnwritableLogFileIsIgnored) {
    SetLogFileName((scratch / "missing\\folder\\app.log").c_str());
    Log("nowhere to go");
    FlushLog();
    EXPECT_FALSE(scratch.Exists("missing"));
    EXPECT_STREQ(GetLogText().GetText(), "nowhere to go\r\n");
    // The pending text was dropped: a later file does not receive it.
    SetLogFileName((scratch / "later.log").c_str());
    Log("after");
    FlushLog();
    EXPECT_EQ(scratch.Read("later.log"), "after\r\n");
}

// Lines from many threads arrive whole, each thread's in its own order.
void ExpectWholeLines(const std::string& text, int threads, int lines, const std::string& payload) {
    std::istringstream in(text);
    std::string line;
    std::vector<int> next(size_t(threads), 0);
    int total = 0;
    while (std::getline(in, line)) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r') << line;
        int t = -1, i = -1;
        char rest[128] = {0};
        ASSERT_EQ(sscanf(line.c_str(), "t%d line %d %127s", &t, &i, rest), 3) << line;
        ASSERT_TRUE(t >= 0 && t < threads) << line;
        EXPECT_EQ(i, next[size_t(t)]++) << line;
        EXPECT_EQ(std::string(rest), payload) << line;
        ++total;
    }
    EXPECT_EQ(total, threads * lines);
}

TEST_F(LogTest, ConcurrentLogsNeverInterleave) {
    const int kThreads = 8, kLines = 150;
    const std::string payload(60, '#');
    for (bool withFile : {false, true}) {
        SCOPED_TRACE(withFile ? "with a log file" : "in memory");
        if (withFile)
            SetLogFileName((scratch / "threads.log").c_str());
        int before = GetLogText().Length();
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                for (int i = 0; i < kLines; ++i)
                    Log("t%d line %d %s", t, i, payload.c_str());
            });
        for (std::thread& thread : threads)
            thread.join();
        if (withFile) {
            FlushLog();
            ExpectWholeLines(scratch.Read("threads.log"), kThreads, kLines, payload);
        } else {
            ExpectWholeLines(Since(before), kThreads, kLines, payload);
        }
    }
}

TEST_F(LogTest, CaptureRecordsTextsAndAnswersTheWindow) {
    test::LogCapture capture;
    Log("loaded \"%s\"", "a.xml");
    Warning("Can't load file \"%s\"", "b.xml");
    EXPECT_EQ(capture.Logs(), std::vector<std::string>{"loaded \"a.xml\""});
    EXPECT_EQ(capture.Warnings(), std::vector<std::string>{"Can't load file \"b.xml\""});
    EXPECT_EQ(capture.Windows(), std::vector<LogWindowMode>{LogWindowMode::Warning});
    // Each mode's default: closed in mode Log, &Ignore, E&xit where it is the only way out.
    EXPECT_EQ(LogWindow(LogWindowMode::Log), 0);
    EXPECT_EQ(LogWindow(LogWindowMode::Warning), kLogIgnore);
    EXPECT_EQ(LogWindow(LogWindowMode::Error), kLogExit);  // returned: mode Error does not end the process
    EXPECT_EQ(LogWindow(LogWindowMode::Assert), kLogIgnore);
    capture.Answer(kLogIgnoreAlways);
    EXPECT_EQ(LogWindow(LogWindowMode::Assert), kLogIgnoreAlways);
    // An unknown mode is shown as an error: the caller decides, nothing ends.
    capture.Answer(kLogExit);
    EXPECT_EQ(LogWindow(LogWindowMode(9)), kLogExit);
    EXPECT_EQ(capture.Windows().back(), LogWindowMode::Error);
}

TEST_F(LogTest, CapturesNestAndRestoreTheirPredecessor) {
    test::LogCapture outer;
    {
        test::LogCapture inner;
        Log("to inner");
        EXPECT_EQ(inner.Logs().size(), 1u);
    }
    Log("to outer");
    EXPECT_EQ(outer.Logs(), std::vector<std::string>{"to outer"});
}

// Logs and warns from inside the window, as a window procedure would.
class ReenteringObserver : public LogObserver {
public:
    void OnMessage(bool, const char*) override {}
    int OnLogWindow(LogWindowMode) override {
        if (++m_Windows == 1) {
            Log("logged from the window");
            Warning("warned from the window");
        }
        return kLogIgnore;
    }
    int m_Windows = 0;
};

TEST_F(LogTest, LoggingFromInsideTheWindowDoesNotWaitForItself) {
    ReenteringObserver observer;
    LogObserver* previous = SetLogObserver(&observer);
    int before = GetLogText().Length();
    Warning("outer");
    SetLogObserver(previous);
    EXPECT_EQ(observer.m_Windows, 2);
    EXPECT_EQ(Since(before), "outer\r\nlogged from the window\r\nwarned from the window\r\n");
}

// While the window of mode Log is open, another thread's Log waits: the text
// the window shows cannot change under it.
class HoldingObserver : public LogObserver {
public:
    void OnMessage(bool, const char*) override {}
    int OnLogWindow(LogWindowMode) override {
        std::string shown = GetLogText().GetText();
        m_Other = std::thread([this] {
            Log("from another thread");
            m_Logged = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        m_Unchanged = shown == GetLogText().GetText() && !m_Logged;
        return 0;
    }
    std::thread m_Other;
    std::atomic<bool> m_Logged{false};
    bool m_Unchanged = false;
};

TEST_F(LogTest, TheLogWindowHoldsTheLogWhileOpen) {
    HoldingObserver observer;
    LogObserver* previous = SetLogObserver(&observer);
    EXPECT_EQ(LogWindow(LogWindowMode::Log), 0);
    SetLogObserver(previous);
    observer.m_Other.join();
    EXPECT_TRUE(observer.m_Unchanged);
    EXPECT_TRUE(observer.m_Logged);
}

}  // namespace
}  // namespace tovan

// The framework's one reporting channel. Log records a message; Warning records
// it and shows it in the modal log window, where the user goes on or ends the
// program. With a log file name set, a background thread appends every message
// to that file.
#pragma once
#include <cstdarg>

namespace tovan {

class cStr;

enum class LogWindowMode { Log = 0, Warning = 1, Error = 2, Assert = 3 };

// Identifiers of the log window's controls; LogWindow returns the button that
// closed it, or 0 when it was closed from the system menu.
enum LogControl {
    kLogDebug = 101,
    kLogIgnore = 102,
    kLogIgnoreAlways = 103,
    kLogCopy = 104,
    kLogExit = 105,
    kLogEdit = 106,
    kLogStatusBar = 107,
};

// printf-style. Any thread may call them; a call made from inside another (a
// window procedure during a Warning) records without waiting for itself.
void Log(const char* fmt, ...);
void Warning(const char* fmt, ...);
void LogV(const char* fmt, va_list args);

// Shows the modal log window. E&xit in modes Warning and Assert ends the
// process with code 0, after the pending text has reached the log file.
int LogWindow(LogWindowMode mode);

// Appends the pending text to the log file every 500 ms; never returns.
void LogFlushThread(void* unused);
// Appends the pending text now (also done at process exit).
void FlushLog();

// "" or null: no log file. The framework sets none itself.
void SetLogFileName(const char* name);

// Without a log file every message stays in memory for the window. A program
// that runs for hours without one (a fuzz target) bounds that text: past limit
// characters only the latest part is kept. 0, the default, keeps everything.
void SetLogTextLimit(int limit);

// The file layer, when the program has one, writes the log file: `start` is its
// start-up, run before a log lock is taken (start-up logs, and may wait for
// another thread's start-up that is logging); `append` adds text to the named
// file. Without one the log appends through the OS seam.
struct LogFileWriter {
    void (*start)();
    bool (*append)(const char* name, const char* text, int length);
};
void SetLogFileWriter(const LogFileWriter* writer);
// The application's title, the first part of the log window's title.
void SetLogTitle(const char* title);

// What the log window shows: every message when there is no log file, else the
// latest one. Read it from a thread that is not logging at the same time.
const cStr& GetLogText();

// Lets tests and batch tools watch the log: while an observer is set, every
// message reaches it (the formatted text, before line ends are normalised) and
// LogWindow asks it for the closing button instead of opening the window (a
// batch tool answers kLogIgnore, so that no Warning waits for a user).
class LogObserver {
public:
    virtual void OnMessage(bool warning, const char* text) = 0;
    virtual int OnLogWindow(LogWindowMode mode) = 0;

protected:
    ~LogObserver() = default;
};
// Returns the observer that was set before.
LogObserver* SetLogObserver(LogObserver* observer);

}  // namespace tovan

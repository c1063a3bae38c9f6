#include "core/log.h"

#include "core/dialog_template.h"
#include "core/log_window.h"
#include "core/memory.h"
#include "core/os.h"
#include "core/str.h"
#include "core/splash.h"
#include "core/window_utils.h"

#include <atomic>
#include <cstdlib>
#include <initializer_list>
#include <mutex>

namespace tovan {

namespace {

constexpr uint32_t kFlushIntervalMs = 500;

struct LogState {
    cStr m_Text;      // what the window shows
    cStr m_Pending;   // not yet in the file; under kLogPending
    cStr m_FileName;  // written under kLogCall and kLogPending, so either suffices to read it
    cStr m_Newline;
    bool m_FlushThreadStarted = false;
    bool m_ExitFlushRegistered = false;
    LogWindowMode m_Mode = LogWindowMode::Log;
    cStr m_Title;
    LogObserver* m_Observer = nullptr;

    LogState() { m_Newline.SetText("\r\n"); }
};

// Never destroyed: the flush thread and the flush at exit use it while the
// statics are being torn down.
LogState& State() {
    static LogState* state = new LogState;
    return *state;
}

// Orders the file writes of the flush thread and of the flush at exit.
std::mutex& WriteLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

thread_local bool t_HoldsCallLock = false;

std::atomic<const LogFileWriter*> g_FileWriter{nullptr};
std::atomic<bool> g_HasFileName{false};
std::atomic<int> g_TextLimit{0};

// Keeps half the limit, so that trimming is rare and each message is copied a
// bounded number of times.
void TrimToLimit(cStr& text) {
    const int limit = g_TextLimit.load();
    if (limit <= 0 || text.Length() <= limit)
        return;
    const int keep = limit / 2;
    text.Assign(text.GetText(), text.Length() - keep, keep);
}

void StartFileLayer() {
    const LogFileWriter* writer = g_FileWriter.load();
    if (writer && g_HasFileName.load())
        writer->start();
}

// kLogCall for a whole Log or Warning call. A thread that already holds it (a
// window procedure running inside a Warning, &Copy reaching code that logs)
// goes on without waiting for itself.
class CallLock {
public:
    CallLock() : m_Taken(!t_HoldsCallLock) {
        if (m_Taken) {
            StartFileLayer();  // outside every log lock
            GetGlobalLocks().Lock(cGlobalLocks::kLogCall);
            t_HoldsCallLock = true;
        }
    }
    ~CallLock() {
        if (m_Taken) {
            t_HoldsCallLock = false;
            GetGlobalLocks().Unlock(cGlobalLocks::kLogCall);
        }
    }
    CallLock(const CallLock&) = delete;
    CallLock& operator=(const CallLock&) = delete;

private:
    bool m_Taken;
};

void FlushAtExit() { FlushLog(); }

void StartFlushing(LogState& s) {
    if (!s.m_ExitFlushRegistered) {
        s.m_ExitFlushRegistered = true;
        std::atexit(FlushAtExit);  // the last messages reach the file on every way out
    }
    if (s.m_FlushThreadStarted)
        return;
    if (void* thread = StartThread(LogFlushThread, nullptr)) {
        s.m_FlushThreadStarted = true;
        CloseThread(thread);  // runs on until the process ends
    }
}

bool EndsWith(const cStr& text, const cStr& end) {
    int n = text.Length(), m = end.Length();
    return n >= m && CompareStrings(text.GetText() + n - m, end.GetText(), -1) == 0;
}

// Runs under kLogCall.
void Record(bool warning, const char* fmt, va_list args) {
    LogState& s = State();
    cStr message = cStr::FormatV(fmt, args);
    if (s.m_Observer)
        s.m_Observer->OnMessage(warning, message.GetText());
    message.Replace("\r", "", message.Length());
    message.Replace("\n", s.m_Newline.GetText(), message.Length());
    if (!EndsWith(message, s.m_Newline))
        message += s.m_Newline;
    if (s.m_FileName.Length() > 0) {
        StartFlushing(s);
        {
            std::lock_guard<cLock> pending(GetGlobalLocks()[cGlobalLocks::kLogPending]);
            s.m_Pending += message;
        }
        s.m_Text = message;  // the file keeps the history, the window the latest message
    } else {
        s.m_Text += message;
        TrimToLimit(s.m_Text);
    }
}

void AppendToFile(const char* name, const cStr& text) {
    if (const LogFileWriter* writer = g_FileWriter.load()) {
        writer->append(name, text.GetText(), text.Length());  // a failed write is dropped, as below
        return;
    }
    void* file = os::FileOpen(name, os::FileMode::Append);
    if (!file)
        return;  // a log that cannot be written is dropped silently
    uint32_t done = 0;
    os::FileWrite(file, text.GetText(), uint32_t(text.Length()), &done);
    os::FileClose(file);
}

}  // namespace

void LogV(const char* fmt, va_list args) {
    CallLock lock;
    Record(false, fmt, args);
}

void Log(const char* fmt, ...) {
    CallLock lock;
    va_list args;
    va_start(args, fmt);
    Record(false, fmt, args);
    va_end(args);
}

void Warning(const char* fmt, ...) {
    CallLock lock;
    va_list args;
    va_start(args, fmt);
    Record(true, fmt, args);
    va_end(args);
    LogWindow(LogWindowMode::Warning);
}

int LogWindow(LogWindowMode mode) {
    CallLock lock;  // the text shown cannot change while the window is open
    LogState& s = State();
    if (int(mode) < 0 || int(mode) > 3)
        mode = LogWindowMode::Error;  // an unknown mode leaves the decision to the caller
    CloseSplash();
    void* owner = DialogWindowHandle ? DialogWindowHandle : MainWindowHandle;
    s.m_Mode = mode;
    int result;
    if (s.m_Observer) {
        result = s.m_Observer->OnLogWindow(mode);  // answered without a window: no template either
    } else {
        cDialogTemplate dialog;
        logwindow::BuildTemplate(dialog, s.m_Title.GetText());
        result = logwindow::Run(dialog, owner, mode);
        dialog.Free();
    }
    if (result == kLogExit && (mode == LogWindowMode::Warning || mode == LogWindowMode::Assert)) {
        FlushLog();  // the warning just shown must not be lost
        std::exit(0);
    }
    return result;
}

void FlushLog() {
    std::lock_guard<std::mutex> writing(WriteLock());
    LogState& s = State();
    cStr text, name;
    {
        // Take the text out under kLogPending and write without it: the writing
        // may reach code that logs, which needs kLogPending to append.
        std::lock_guard<cLock> pending(GetGlobalLocks()[cGlobalLocks::kLogPending]);
        if (s.m_Pending.Length() == 0)
            return;
        text = s.m_Pending;
        s.m_Pending.SetText("");
        name = s.m_FileName;
    }
    if (name.Length() > 0)
        AppendToFile(name.GetText(), text);
}

void LogFlushThread(void*) {
    for (;;) {
        FlushLog();
        os::Sleep(kFlushIntervalMs);
    }
}

void SetLogTextLimit(int limit) {
    CallLock lock;  // the text is written under the call lock
    g_TextLimit.store(limit > 0 ? limit : 0);
    TrimToLimit(State().m_Text);
}

void SetLogFileName(const char* name) {
    CallLock lock;
    std::lock_guard<cLock> pending(GetGlobalLocks()[cGlobalLocks::kLogPending]);
    State().m_FileName.SetText(name);
    g_HasFileName.store(TextLength(name) > 0);
}

void SetLogFileWriter(const LogFileWriter* writer) { g_FileWriter.store(writer); }

void SetLogTitle(const char* title) {
    CallLock lock;
    State().m_Title.SetText(title);
}

const cStr& GetLogText() { return State().m_Text; }

LogObserver* SetLogObserver(LogObserver* observer) {
    CallLock lock;
    LogObserver* previous = State().m_Observer;
    State().m_Observer = observer;
    return previous;
}

namespace logwindow {

namespace {
constexpr unsigned Modes(std::initializer_list<LogWindowMode> modes) {
    unsigned mask = 0;
    for (LogWindowMode m : modes)
        mask |= 1u << int(m);
    return mask;
}
using M = LogWindowMode;
// Modes in which the buttons 101-105 are enabled.
constexpr unsigned kEnabledIn[5] = {
    Modes({M::Assert}),                                // &Debug
    Modes({M::Warning, M::Assert}),                    // &Ignore
    Modes({M::Assert}),                                // Ignore &Always
    Modes({M::Log, M::Warning, M::Error, M::Assert}),  // &Copy
    Modes({M::Warning, M::Error, M::Assert}),          // E&xit
};
constexpr int kDefaultAnswer[4] = {0, kLogIgnore, kLogExit, kLogIgnore};

struct ItemSpec {
    const char* className;
    const char* text;
    uint32_t style;
    int id;
};
constexpr uint32_t kButtonStyle = 0x10010000;  // WS_VISIBLE | WS_TABSTOP
const ItemSpec kItems[] = {
    {"Edit", "", 0x50B10804, kLogEdit},  // read-only, multi-line, both scroll bars
    {"msctls_statusbar32", "", 0x10000000, kLogStatusBar},
    {"Button", "&Debug", kButtonStyle, kLogDebug},
    {"Button", "&Ignore", kButtonStyle, kLogIgnore},
    {"Button", "Ignore &Always", kButtonStyle, kLogIgnoreAlways},
    {"Button", "&Copy", kButtonStyle, kLogCopy},
    {"Button", "E&xit", kButtonStyle, kLogExit},
};
}  // namespace

void BuildTemplate(cDialogTemplate& dialog, const char* caption) {
    dialog.Begin(caption, 0x86CF0808, 0x50000, 380, 260, "Tahoma");
    for (const ItemSpec& item : kItems)
        dialog.AddItem(item.className, item.text, item.style, 0, 0, 10, 10, item.id);
}

LogWindowMode Mode() { return State().m_Mode; }
const char* Title() { return State().m_Title.GetText(); }

const char* Text(int* length) {
    *length = State().m_Text.Length();
    return State().m_Text.GetText();
}

void CopyText() {
    const cStr& text = State().m_Text;
    os::ClipboardSetText(MainWindowHandle, text.GetText(), uint32_t(text.Length()));
}

int DefaultAnswer(LogWindowMode mode) { return kDefaultAnswer[int(mode)]; }

bool ButtonEnabled(int id, LogWindowMode mode) {
    if (id < kLogDebug || id > kLogExit)
        return false;
    return (kEnabledIn[id - kLogDebug] >> int(mode)) & 1;
}

}  // namespace logwindow
}  // namespace tovan

// Fuzz targets run for hours without a log file: a warning opens no window, and
// the in-memory log is bounded so that every message of a long run does not
// stay in memory (which would end the run in a false out-of-memory report).
#pragma once
#include "core/log.h"

namespace tovan::fuzz {

class QuietLog : public LogObserver {
public:
    void OnMessage(bool warning, const char*) override { m_Warnings += warning; }
    int OnLogWindow(LogWindowMode) override { return kLogIgnore; }

    int m_Warnings = 0;  // counted for targets that check for warnings
};

// Installed on the first call; the same observer ever after.
inline QuietLog& InstallQuietLog() {
    static QuietLog quiet;
    static const bool installed = [] {
        SetLogObserver(&quiet);
        SetLogTextLimit(1 << 16);
        return true;
    }();
    (void)installed;
    return quiet;
}

}  // namespace tovan::fuzz

// What the text decoder fuzz targets share: a log that neither opens a window
// nor keeps the messages' receivers waiting, and streams made from the input.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/log.h"
#include "core/stream.h"

namespace tovan::fuzz {

struct QuietLog : LogObserver {
    void OnMessage(bool, const char*) override {}
    int OnLogWindow(LogWindowMode) override { return kLogIgnore; }
};

// Installs the quiet log once and returns the input as a stream.
inline cStream InputStream(const uint8_t* data, size_t size) {
    static QuietLog quiet;
    static const bool installed = (SetLogObserver(&quiet), true);
    (void)installed;
    cStream in;
    in.m_Bytes.AppendRange(data, int(size));
    return in;
}

}  // namespace tovan::fuzz

// What the text decoder fuzz targets share: the quiet, bounded log and streams
// made from the input.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/stream.h"
#include "fuzz/quiet_log.h"

namespace tovan::fuzz {

// Installs the quiet log once and returns the input as a stream.
inline cStream InputStream(const uint8_t* data, size_t size) {
    InstallQuietLog();
    cStream in;
    in.m_Bytes.AppendRange(data, int(size));
    return in;
}

}  // namespace tovan::fuzz

// Shader text of any bytes: stages are cut without reading outside the text.
#include <cstddef>
#include <cstdint>

#include "fuzz/quiet_log.h"
#include "io/shader_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tovan::fuzz::InstallQuietLog();  // every input without a stage marker warns
    tovan::cStr vertex, geometry, fragment;
    int32_t vertexLine, geometryLine, fragmentLine;
    tovan::SplitShaderSource(data, int(size), vertex, geometry, fragment, vertexLine, geometryLine, fragmentLine);
    return 0;
}

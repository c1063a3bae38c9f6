// Shader text of any bytes: stages are cut without reading outside the text.
#include "core/log.h"
#include "io/shader_source.h"

#include <cstddef>
#include <cstdint>

namespace {
struct Quiet : tovan::LogObserver {
    void OnMessage(bool, const char*) override {}
    int OnLogWindow(tovan::LogWindowMode) override { return tovan::kLogIgnore; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Quiet quiet;
    static bool installed = (tovan::SetLogObserver(&quiet), true);
    (void)installed;
    tovan::cStr vertex, geometry, fragment;
    int32_t vertexLine, geometryLine, fragmentLine;
    tovan::SplitShaderSource(data, int(size), vertex, geometry, fragment, vertexLine, geometryLine, fragmentLine);
    return 0;
}

#include "fuzz/native_fuzz.h"

namespace {
bool Cleared(const tovan::cCamera& c) { return c.m_FrameRate == 0 && c.m_Tracks.IsEmpty(); }
}  // namespace

// Decoded camera sets are also played forwards and backwards over every track.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    cCamera camera;
    if (!fuzz::DecodeAndRoundTrip<cCodecCamera>(data, size, camera, Cleared))
        return 0;
    CameraPlaybackState state;
    const float steps[] = {0, 0.05f, 0.3f, 2.5f, -0.05f, -1.0f, 1e9f, -1e9f};
    for (int round = 0; round < 4 * (camera.m_Tracks.Count() + 1) && round < 256; ++round) {
        AdvanceCameraPlayback(camera, steps[round % 8], state);
        if (state.m_Track < -1 || state.m_Track >= camera.m_Tracks.Count())
            std::abort();
    }
    return 0;
}

#include "fuzz/image_codec_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tovan::fuzz::DecodeAndRoundTrip(tovan::cCodecPvr(), data, size);
}

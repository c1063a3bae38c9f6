#include "fuzz/native_fuzz.h"

namespace {
bool Cleared(const tovan::cAnim& a) {
    return a.m_Joints.IsEmpty() && a.m_Frames.IsEmpty() && a.m_FrameBounds.IsEmpty() && a.m_FrameRate == 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    cAnim anim;
    if (!fuzz::DecodeAndRoundTrip<cCodecAnim>(data, size, anim, Cleared))
        return 0;
    anim.Transform(cMat4::FromMat3(cQuat::FromAxisAngle({0, 1, 0}, 30).ToMat3(), {0, 0, 5}));
    if (anim.m_FrameBounds.Count() != anim.m_Frames.Count())
        std::abort();
    return 0;
}

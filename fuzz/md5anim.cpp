// md5anim text of any bytes: the reader fails cleanly (animation cleared) or
// gives one key per joint in every frame, one bounds box per frame, and
// parents before their children.
#include <cstdlib>

#include "fuzz/text_fuzz.h"
#include "io/codecs/model_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    cStream in = fuzz::InputStream(data, size);
    cAnim anim;
    if (!cCodecMd5Anim().Decode(in, anim)) {
        if (!anim.m_Joints.IsEmpty() || !anim.m_Frames.IsEmpty() || anim.m_FrameRate != 0)
            std::abort();
        return 0;
    }
    if (anim.m_FrameBounds.Count() != anim.m_Frames.Count())
        std::abort();
    for (const cList<cAnimKey>& keys : anim.m_Frames)
        if (keys.Count() != anim.m_Joints.Count())
            std::abort();
    for (int i = 0; i < anim.m_Joints.Count(); ++i)
        if (anim.m_Joints[i].m_Parent < -1 || anim.m_Joints[i].m_Parent >= i)
            std::abort();
    anim.Transform(cMat4::FromMat3(cQuat::FromAxisAngle({1, 0, 0}, 90).ToMat3(), {0, 0, 1}));
    return 0;
}

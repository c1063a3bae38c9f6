#include "fuzz/native_fuzz.h"

namespace {
bool Cleared(const tovan::cModel& m) {
    return m.m_Static && m.m_Joints.IsEmpty() && m.m_Meshes.IsEmpty() && m.m_Bounds.IsEmpty();
}
}  // namespace

// Decoded models also go through every mesh operation, which must stay within
// their lists whatever the values.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    cModel model;
    if (!fuzz::DecodeAndRoundTrip<cCodecModel>(data, size, model, Cleared))
        return 0;
    cModel::ComputeNormals(model);
    cModel::ComputeTangents(model);
    cModel::ComputeBounds(model);
    cMat4 m = cMat4::FromMat3(cQuat::FromAxisAngle({1, 2, 3}, 40).ToMat3(), {1, -2, 3});
    m.m[0][3] = 0.25f;
    cModel::Transform(model, m);
    cModel::UploadBuffers(model);
    cModel copy(model);
    return cModel::CountTriangles(copy) < 0 ? -1 : 0;
}

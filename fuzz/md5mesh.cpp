// md5mesh text of any bytes: the reader fails cleanly (model cleared) or gives
// a skinned model whose parents come before their children and whose indices
// stay within their vertices; the mesh operations then run on it.
#include <cstdlib>

#include "fuzz/text_fuzz.h"
#include "io/codecs/model_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    cStream in = fuzz::InputStream(data, size);
    cModel model;
    if (!cCodecMd5Model().Decode(in, model)) {
        if (!model.m_Static || !model.m_Meshes.IsEmpty() || !model.m_Joints.IsEmpty())
            std::abort();
        return 0;
    }
    if (model.m_Static)
        std::abort();
    for (int i = 0; i < model.m_Joints.Count(); ++i)
        if (model.m_Joints[i].m_Parent < -1 || model.m_Joints[i].m_Parent >= i)
            std::abort();
    for (const cModelMesh& mesh : model.m_Meshes)
        for (uint32_t index : mesh.m_Indices)
            if (index >= uint32_t(mesh.m_SkinnedVertices.Count()))
                std::abort();
    cModel::Transform(model, cMat4::FromMat3(cQuat::FromAxisAngle({0, 1, 0}, 30).ToMat3(), {1, 2, 3}));
    cModel copy(model);
    return cModel::CountTriangles(copy) < 0 ? -1 : 0;
}

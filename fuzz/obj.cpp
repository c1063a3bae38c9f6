// OBJ text of any bytes: the reader fails cleanly (model cleared) or gives
// static meshes whose indices stay within their vertices; what it read writes
// as OBJ and reads back with as many triangles.
#include <cstdlib>

#include "fuzz/text_fuzz.h"
#include "io/codecs/model_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    cStream in = fuzz::InputStream(data, size);
    const cCodecObj codec;
    cModel model;
    if (!codec.Decode(in, model)) {
        if (!model.m_Static || !model.m_Meshes.IsEmpty() || !model.m_Bounds.IsEmpty())
            std::abort();
        return 0;
    }
    if (!model.m_Static || model.m_Meshes.IsEmpty())
        std::abort();
    for (const cModelMesh& mesh : model.m_Meshes) {
        if (mesh.m_Indices.Count() % 3 != 0 || !mesh.m_SkinnedVertices.IsEmpty())
            std::abort();
        for (uint32_t index : mesh.m_Indices)
            if (index >= uint32_t(mesh.m_StaticVertices.Count()))
                std::abort();
    }
    cStream text;
    if (!codec.Encode(model, text))
        std::abort();
    text.m_Position = 0;
    cModel back;
    if (!codec.Decode(text, back) || cModel::CountTriangles(back) != cModel::CountTriangles(model))
        std::abort();
    return 0;
}

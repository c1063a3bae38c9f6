// BSP files of any bytes: the reader fails cleanly (tree empty) or gives a
// tree whose every triangle is listed once; clearing frees it all.
#include <cstdlib>

#include "io/model/bsp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    cStream in;
    in.m_Bytes.AppendRange(data, int(size));
    cBsp bsp;
    if (!DecodeBsp(in, bsp)) {
        if (bsp.m_Root || !bsp.m_Triangles.IsEmpty())
            std::abort();
        return 0;
    }
    cBsp::CollectTriangles(bsp.m_Root, bsp);
    // Every node takes 41 bytes after the three of the header.
    if (bsp.m_Triangles.Count() != (in.m_Position - 3) / 41 || (in.m_Position - 3) % 41 != 0)
        std::abort();
    bsp.Clear();
    return bsp.m_Root || bsp.m_Triangles.Count() != 0 ? -1 : 0;
}

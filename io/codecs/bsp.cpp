// The native BSP file. Nodes are read depth first with a stack of the child
// places still to fill, so the depth of a tree costs heap, not thread stack;
// every node read is already in the tree, so a failure frees it with the rest.
#include "core/memory.h"
#include "io/codecs/reader.h"
#include "io/model/bsp.h"

#include <cstring>
#include <new>

namespace tovan {

namespace {

constexpr uint16_t kMagic = 0x6263;  // "cb"
constexpr int kNodeBytes = 3 * 12 + 4 + 1;
constexpr uint8_t kLeft = 1, kRight = 2;

cBspNode* NewNode() {
    void* block = PoolAlloc(int(sizeof(cBspNode)));
    if (!block)
        throw std::bad_alloc();
    return new (block) cBspNode;
}

bool ReadTree(cReader& r, cBsp& bsp) {
    uint16_t magic;
    uint8_t version;
    if (!r.U16(magic) || magic != kMagic || !r.U8(version) || version != 0)
        return false;
    cList<cBspNode**> pending;  // places waiting for their node, the next on top
    pending.PushBack(&bsp.m_Root);
    while (!pending.IsEmpty()) {
        cBspNode** place = pending[pending.Count() - 1];
        pending.Resize(pending.Count() - 1);
        const uint8_t* p = r.Take(kNodeBytes);
        if (!p)
            return false;
        cBspNode* node = *place = NewNode();
        cBspTriangle& t = node->m_Triangle;
        for (int k = 0; k < 3; ++k, p += 12) {
            float xyz[3];
            for (int i = 0; i < 3; ++i) {
                const uint32_t bits = LoadU32(p + 4 * i);
                std::memcpy(&xyz[i], &bits, 4);
            }
            t.m_Corners[k] = {xyz[0], xyz[1], xyz[2]};
        }
        t.m_Attribute = LoadI32(p);
        const uint8_t flags = p[4];
        ComputeBspPlanes(t);
        // The left child's record comes first, so its place goes on top.
        if (flags & kRight)
            pending.PushBack(&node->m_Right);
        if (flags & kLeft)
            pending.PushBack(&node->m_Left);
    }
    return true;
}

}  // namespace

bool DecodeBsp(cStream& in, cBsp& out) {
    out.Clear();
    bool ok = false;
    try {
        cReader reader(in);
        ok = ReadTree(reader, out) && reader.Ok();
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok)
        out.Clear();
    return ok;
}

}  // namespace tovan

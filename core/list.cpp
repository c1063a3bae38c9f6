#include "core/list.h"

#include <atomic>
#include <climits>
#include <cstdint>

namespace tovan {

namespace {
std::atomic<int> g_LiveBlocks{0};
}

int ListLiveBlocks() { return g_LiveBlocks.load(std::memory_order_relaxed); }

namespace list_detail {

void* AllocBlock(size_t bytes) {
    void* block = ::operator new(bytes);
    g_LiveBlocks.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void FreeBlock(void* block) {
    if (!block)
        return;
    ::operator delete(block);
    g_LiveBlocks.fetch_sub(1, std::memory_order_relaxed);
}

int GrownCapacity(int needed, int capacity) {
    int64_t grown = int64_t(needed) + capacity / 2;
    if (grown < 8)
        grown = 8;
    return grown > INT_MAX ? INT_MAX : int(grown);
}

size_t BlockBytes(size_t header, size_t itemSize, int capacity) {
    // A size that cannot be represented asks for everything, so operator new
    // fails with the standard allocation failure instead of a short block.
    if (size_t(capacity) > (SIZE_MAX - header) / itemSize)
        return SIZE_MAX;
    return header + size_t(capacity) * itemSize;
}

}  // namespace list_detail
}  // namespace tovan

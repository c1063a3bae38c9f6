#include "tests/support/allocation_meter.h"

#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
#endif

namespace tovan::test {
namespace {

std::atomic<bool> s_Counting{false};
std::atomic<int64_t> s_Allocated{0};
std::atomic<int64_t> s_Largest{0};

[[maybe_unused]] void OnMalloc(const volatile void*, size_t size) {
    if (!s_Counting)
        return;
    s_Allocated += int64_t(size);
    int64_t largest = s_Largest;
    while (int64_t(size) > largest && !s_Largest.compare_exchange_weak(largest, int64_t(size))) {
    }
}

[[maybe_unused]] void OnFree(const volatile void*) {}

}  // namespace

bool AllocationMeterAvailable() {
#if defined(__SANITIZE_ADDRESS__)
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    return installed;
#else
    return false;
#endif
}

void StartAllocationMeter() {
    s_Allocated = 0;
    s_Largest = 0;
    s_Counting = true;
}

void StopAllocationMeter() { s_Counting = false; }
int64_t MeteredBytes() { return s_Allocated; }
int64_t LargestMeteredAllocation() { return s_Largest; }

}  // namespace tovan::test

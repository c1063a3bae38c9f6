// Counts what the process allocates between a start and a stop, through the
// address sanitizer's allocation hooks, installed once per process (a hook
// installed twice would count every allocation twice). Builds without those
// hooks have no meter; tests that need it skip there.
#pragma once
#include <cstdint>

namespace tovan::test {

bool AllocationMeterAvailable();
void StartAllocationMeter();  // zeroes the counts
void StopAllocationMeter();
int64_t MeteredBytes();              // the sum of the sizes allocated
int64_t LargestMeteredAllocation();  // the largest single size

}  // namespace tovan::test

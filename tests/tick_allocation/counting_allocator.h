#pragma once

#include <cstdint>

namespace zarvel::testing {

// Starts or stops counting the allocations the calling thread makes through the global
// allocation functions, which this program replaces.
void CountAllocations(bool on);

// Allocations made while counting was on, since the program started.
int64_t AllocationsCounted();

}  // namespace zarvel::testing

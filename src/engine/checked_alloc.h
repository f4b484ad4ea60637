#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace zarvel {

// Lets a test refuse allocations of its choosing, so the failure path can be exercised.
struct AllocationGate {
  std::function<bool(int32_t size)> refuse;
};

// Obtains `size` bytes, not cleared. When none can be had the execution ends with
// "Could not allocate %d bytes.\n"; the function never returns without memory.
std::unique_ptr<uint8_t[]> CheckedAlloc(const AllocationGate& gate, int32_t size);

}  // namespace zarvel

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <new>

namespace zarvel {

// Lets a test refuse allocations of its choosing, so the failure path can be exercised.
struct AllocationGate {
  std::function<bool(int32_t size)> refuse;
};

// Obtains `size` bytes, not cleared. When none can be had the execution ends with
// "Could not allocate %d bytes.\n"; the function never returns without memory.
std::unique_ptr<uint8_t[]> CheckedAlloc(const AllocationGate& gate, int32_t size);

// Ends the execution with the allocation message, naming `size`.
[[noreturn]] void ReportAllocationFailure(int32_t size);

// Obtains `count` records, each built with its start value, through the same gate and with the
// same report as CheckedAlloc; the size named is that of the whole block in bytes.
template <typename T>
std::unique_ptr<T[]> CheckedAllocArray(const AllocationGate& gate, int32_t count) {
  const int64_t size = static_cast<int64_t>(count) * static_cast<int64_t>(sizeof(T));
  const auto reported = static_cast<int32_t>(size > INT32_MAX ? -1 : size);
  if (count < 0 || reported < 0 || (gate.refuse && gate.refuse(reported))) {
    ReportAllocationFailure(reported);
  }
  std::unique_ptr<T[]> memory(new (std::nothrow) T[static_cast<size_t>(count)]());
  if (!memory) {
    ReportAllocationFailure(reported);
  }
  return memory;
}

}  // namespace zarvel

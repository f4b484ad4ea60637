#include "base/checked_alloc.h"

#include <new>

#include "base/bad_thing.h"

namespace zarvel {

void ReportAllocationFailure(int32_t size) {
  ReportBadThing("Could not allocate %d bytes.\n", size);
}

std::unique_ptr<uint8_t[]> CheckedAlloc(const AllocationGate& gate, int32_t size) {
  // A negative size cannot be had; it is reported like any other failed allocation.
  if (size < 0 || (gate.refuse && gate.refuse(size))) {
    ReportAllocationFailure(size);
  }
  std::unique_ptr<uint8_t[]> memory(new (std::nothrow) uint8_t[static_cast<size_t>(size)]);
  if (!memory) {
    ReportAllocationFailure(size);
  }
  return memory;
}

}  // namespace zarvel

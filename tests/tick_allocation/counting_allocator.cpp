// Replacements of the global allocation functions that count the allocations made while
// counting is on. They live apart from the tests so that no call to them is inlined where the
// compiler could pair an allocation with the wrong release.
#include "tick_allocation/counting_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Each thread counts for itself: a thread that ticks counts its own allocations, not those of
// a thread that writes what the ticks report.
thread_local bool gCounting = false;
std::atomic<int64_t> gAllocations{0};

void* CountedAllocation(std::size_t size) {
  if (gCounting) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
  }
  return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

namespace zarvel::testing {

void CountAllocations(bool on) {
  gCounting = on;
}

int64_t AllocationsCounted() {
  return gAllocations.load(std::memory_order_relaxed);
}

}  // namespace zarvel::testing

void* operator new(std::size_t size) {
  if (void* memory = CountedAllocation(size)) {
    return memory;
  }
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAllocation(size);
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}

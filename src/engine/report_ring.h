#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <type_traits>

namespace zarvel {

// What a tick reports to a host that writes it down on another thread (the runner's lines):
// one writer, the execution thread, and one reader. Unlike the tick snapshot, nothing may be
// lost without a word, so a report that finds the ring full is dropped and counted instead of
// overwriting the oldest; the writer never waits for the reader. Nothing here allocates, so a
// ring is made once, before the first tick, and lives as long as its reader.
template <typename Report, uint32_t kRoom>
class ReportRing {
  static_assert(std::is_trivially_copyable_v<Report>, "reports are copied without a lock");
  static_assert(kRoom > 0 && (kRoom & (kRoom - 1)) == 0, "the room is a power of two");

 public:
  // Writer: adds one report; false, with the drop counted, when the ring is full.
  bool Push(const Report& report) {
    const uint64_t written = written_.load(std::memory_order_relaxed);
    if (written - read_.load(std::memory_order_acquire) >= kRoom) {
      dropped_.fetch_add(1, std::memory_order_relaxed);
      return false;
    }
    reports_[written % kRoom] = report;
    written_.store(written + 1, std::memory_order_release);
    return true;
  }

  // Reader: moves the oldest reports, as many as fit, into `out`, and returns how many.
  size_t Pop(std::span<Report> out) {
    const uint64_t read = read_.load(std::memory_order_relaxed);
    const uint64_t written = written_.load(std::memory_order_acquire);
    const uint64_t count = std::min<uint64_t>(written - read, out.size());
    for (uint64_t n = 0; n < count; ++n) {
      out[n] = reports_[(read + n) % kRoom];
    }
    read_.store(read + count, std::memory_order_release);
    return count;
  }

  // Any thread: the reports waiting for the reader.
  uint64_t Held() const {
    return written_.load(std::memory_order_acquire) - read_.load(std::memory_order_acquire);
  }
  // Any thread: the reports ever taken in, and those dropped for want of room.
  uint64_t Written() const { return written_.load(std::memory_order_acquire); }
  uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }

 private:
  std::array<Report, kRoom> reports_{};
  std::atomic<uint64_t> written_{0};
  std::atomic<uint64_t> read_{0};
  std::atomic<uint64_t> dropped_{0};
};

}  // namespace zarvel

#include "engine/tick_snapshot.h"

#include <algorithm>

namespace zarvel {
namespace {

constexpr int kShiftBit = 32;
constexpr uint64_t kUnpluggedBit = uint64_t{1} << 40;

uint64_t PackReading(const PadReading& reading) {
  return reading.pressed | uint64_t{reading.shift} << kShiftBit |
         (reading.unplugged ? kUnpluggedBit : 0);
}

PadReading UnpackReading(uint64_t word) {
  return PadReading{.pressed = static_cast<uint32_t>(word),
                    .shift = static_cast<uint8_t>(word >> kShiftBit),
                    .unplugged = (word & kUnpluggedBit) != 0};
}

}  // namespace

PadReading ReadingOf(const ControlPad& pad) {
  PadReading reading{.pressed = 0, .shift = pad.shift, .unplugged = pad.unplugged};
  for (int button = 0; button < pad.buttonCount; ++button) {
    reading.pressed |= uint32_t{pad.raw[static_cast<size_t>(button)] != 0} << button;
  }
  return reading;
}

// The fields are stored with release and loaded with acquire: a reader that sees any field of
// the next write then also sees the odd sequence count that began it, so its second look at
// the count tells it to retry. On x86 these are plain moves.
void TickSnapshot::PublishPads(int64_t tick, std::span<const ControlPad> pads) {
  const uint32_t sequence = sequence_.load(std::memory_order_relaxed);
  sequence_.store(sequence + 1, std::memory_order_relaxed);
  const size_t count = std::min(pads.size(), pads_.size());
  tick_.store(tick, std::memory_order_release);
  padCount_.store(static_cast<int16_t>(count), std::memory_order_release);
  for (size_t i = 0; i < count; ++i) {
    pads_[i].store(PackReading(ReadingOf(pads[i])), std::memory_order_release);
  }
  sequence_.store(sequence + 2, std::memory_order_release);
}

void TickSnapshot::BeginExecution(uint64_t generation) {
  const uint32_t sequence = sequence_.load(std::memory_order_relaxed);
  sequence_.store(sequence + 1, std::memory_order_relaxed);
  generation_.store(generation, std::memory_order_release);
  tick_.store(0, std::memory_order_release);
  padCount_.store(0, std::memory_order_release);
  sequence_.store(sequence + 2, std::memory_order_release);
}

PadsAtTick TickSnapshot::ReadPads() const {
  PadsAtTick read;
  for (;;) {
    const uint32_t before = sequence_.load(std::memory_order_acquire);
    if (before % 2 == 0) {
      read.generation = generation_.load(std::memory_order_acquire);
      read.tick = tick_.load(std::memory_order_acquire);
      read.padCount = std::clamp<int16_t>(padCount_.load(std::memory_order_acquire), 0, kMaxPads);
      for (size_t i = 0; i < static_cast<size_t>(read.padCount); ++i) {
        read.pads[i] = UnpackReading(pads_[i].load(std::memory_order_acquire));
      }
      if (sequence_.load(std::memory_order_relaxed) == before) {
        return read;
      }
    }
  }
}

void TickSnapshot::PublishByte(uint8_t byte) {
  const uint64_t count = bytesPublished_.load(std::memory_order_relaxed);
  bytes_[count % kByteRoom].store(byte, std::memory_order_release);
  bytesPublished_.store(count + 1, std::memory_order_release);
}

// The byte numbered n is written while the count is n, into the slot of byte n - kByteRoom. A
// reader that has seen such a write (its loads are acquire, its stores release) then sees a
// count of at least n, so every byte numbered count - kByteRoom or lower is suspect, and only
// those above it are kept.
size_t TickSnapshot::ReadBytes(uint64_t& next, std::span<uint8_t> out, uint64_t& lost) const {
  const auto oldestSafe = [](uint64_t published) {
    return published >= kByteRoom ? published - kByteRoom + 1 : 0;
  };
  const uint64_t published = bytesPublished_.load(std::memory_order_acquire);
  const uint64_t start = std::max(next, oldestSafe(published));
  const uint64_t end = std::min(published, start + out.size());
  for (uint64_t n = start; n < end; ++n) {
    out[n - start] = bytes_[n % kByteRoom].load(std::memory_order_acquire);
  }
  // Bytes overwritten while they were copied are dropped from the front.
  const uint64_t kept = std::clamp(oldestSafe(BytesPublished()), start, end);
  if (kept > start) {
    std::copy(out.begin() + static_cast<ptrdiff_t>(kept - start),
              out.begin() + static_cast<ptrdiff_t>(end - start), out.begin());
  }
  lost = kept - std::min(next, kept);
  next = std::max(next, end);
  return end - kept;
}

}  // namespace zarvel

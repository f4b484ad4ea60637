#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

#include "config/pad_sections.h"
#include "pads/control_pad.h"

namespace zarvel {

// What one pad read as at the end of a tick.
struct PadReading {
  uint32_t pressed = 0;  // Bit i set: button i of the kind's read order reads as pressed.
  uint8_t shift = 0;     // The pad's shift state.
  bool unplugged = false;

  bool Pressed(int button) const { return (pressed >> button & 1u) != 0; }
  friend bool operator==(const PadReading&, const PadReading&) = default;
};

// What the pad reads as now: its `raw` buttons, its shift state and whether it seems unplugged.
PadReading ReadingOf(const ControlPad& pad);

// Every pad of one tick, as one whole: no pad of it is from another tick.
struct PadsAtTick {
  uint64_t generation = 0;  // The execution the pads are of, as BeginExecution named it.
  int64_t tick = 0;         // 0 until the first tick of the first execution has been published.
  int16_t padCount = 0;
  std::array<PadReading, kMaxPads> pads{};
};

// What an execution shows of itself to a window that looks on: each tick's pads and every byte
// sent to the keyboard. The execution thread is the only writer and never waits for a reader:
// the pads are published under a sequence count that a reader reads before and after its copy
// and retries on a change, and the bytes go round a ring with a count of every byte ever
// published. Nothing here allocates, and the record has the same size for its whole life.
class TickSnapshot {
 public:
  // The bytes a reader may fall behind by before the oldest are lost to it.
  static constexpr uint32_t kByteRoom = 1024;

  // While no execution runs, before the next starts: the pads published from now on are those
  // of the execution numbered `generation`, so that a window never takes the last pads of the
  // execution before for this one's. Until this one publishes, there are no pads, of tick 0.
  void BeginExecution(uint64_t generation);

  // Execution thread: the pads as the tick has read and processed them.
  void PublishPads(int64_t tick, std::span<const ControlPad> pads);
  // Execution thread: one byte that has been sent to the keyboard.
  void PublishByte(uint8_t byte);

  // Any thread: the pads of the last tick published.
  PadsAtTick ReadPads() const;

  // Any thread: copies the bytes published from the `next`-th on (counted from 0 over the
  // snapshot's life) into `out`, as many as fit, and moves `next` past them. Returns how many
  // were copied; `lost` is set to how many the ring had already overwritten.
  size_t ReadBytes(uint64_t& next, std::span<uint8_t> out, uint64_t& lost) const;

  // Any thread: how many bytes have been published over the snapshot's life.
  uint64_t BytesPublished() const { return bytesPublished_.load(std::memory_order_acquire); }

 private:
  // Odd while the pads are being written.
  std::atomic<uint32_t> sequence_{0};
  std::atomic<uint64_t> generation_{0};
  std::atomic<int64_t> tick_{0};
  std::atomic<int16_t> padCount_{0};
  // Each pad in one word: pressed buttons in the low 32 bits, the shift state in the next 8 and
  // the unplugged flag above them.
  std::array<std::atomic<uint64_t>, kMaxPads> pads_{};
  std::array<std::atomic<uint8_t>, kByteRoom> bytes_{};
  std::atomic<uint64_t> bytesPublished_{0};
};

}  // namespace zarvel

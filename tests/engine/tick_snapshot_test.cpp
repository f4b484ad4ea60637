#include "engine/tick_snapshot.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>
#include <vector>

namespace zarvel {
namespace {

// Every button of every pad follows the tick's low bits, so any pad from another tick shows.
void PadsOfTick(int32_t tick, std::array<ControlPad, kMaxPads>& pads) {
  for (ControlPad& pad : pads) {
    pad.buttonCount = 12;
    for (size_t button = 0; button < 12; ++button) {
      pad.raw[button] = static_cast<uint8_t>(tick >> button & 1);
    }
    pad.shift = static_cast<uint8_t>(tick % 5);
    pad.unplugged = tick % 7 == 0;
  }
}

TEST(TickSnapshot, AReaderNeverSeesPadsOfTwoTicksAndLosesOnlyTheBytesTheRingOverwrote) {
  TickSnapshot snapshot;
  constexpr int32_t kTicks = 1000000;
  std::atomic<bool> done{false};
  std::thread writer([&] {
    std::array<ControlPad, kMaxPads> pads{};
    for (int32_t tick = 1; tick <= kTicks; ++tick) {
      PadsOfTick(tick, pads);
      snapshot.PublishPads(tick, pads);
      snapshot.PublishByte(static_cast<uint8_t>(tick));
    }
    done = true;
  });

  uint64_t next = 0;
  uint64_t checked = 0;
  std::vector<uint8_t> bytes(256);
  while (!done) {
    const PadsAtTick read = snapshot.ReadPads();
    if (read.tick != 0) {
      ASSERT_EQ(read.padCount, kMaxPads);
      for (const PadReading& pad : read.pads) {
        EXPECT_EQ(pad.pressed, static_cast<uint32_t>(read.tick) & 0xFFF) << read.tick;
        EXPECT_EQ(pad.shift, read.tick % 5);
        EXPECT_EQ(pad.unplugged, read.tick % 7 == 0);
      }
    }
    // Byte n (from 0) was published by tick n + 1; what is copied is in order and unbroken.
    uint64_t lost = 0;
    const uint64_t from = next;
    const size_t copied = snapshot.ReadBytes(next, bytes, lost);
    for (size_t i = 0; i < copied; ++i) {
      ASSERT_EQ(bytes[i], static_cast<uint8_t>(from + lost + i + 1));
    }
    EXPECT_EQ(next, from + lost + copied);
    checked += copied;
  }
  writer.join();
  EXPECT_GT(checked, 0u);

  // A reader that looks only at the end gets the newest bytes the ring holds, and is told how
  // many it missed.
  uint64_t next0 = 0;
  uint64_t lost = 0;
  std::vector<uint8_t> all(2 * TickSnapshot::kByteRoom);
  const size_t copied = snapshot.ReadBytes(next0, all, lost);
  EXPECT_EQ(copied + lost, static_cast<size_t>(kTicks));
  EXPECT_EQ(copied, TickSnapshot::kByteRoom - 1);
  EXPECT_EQ(all[copied - 1], static_cast<uint8_t>(kTicks));
}

}  // namespace
}  // namespace zarvel

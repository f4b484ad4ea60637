// What a window that looks on costs the tick: publishing nine pads and the byte sent, as the
// editor's host does at the end of every tick.
#include <benchmark/benchmark.h>

#include <array>

#include "engine/tick_snapshot.h"
#include "hardware/game_pads.h"

namespace zarvel {
namespace {

void BM_PublishNinePadsAndAByte(benchmark::State& state) {
  std::array<ControlPad, kMaxPads> pads{};
  for (ControlPad& pad : pads) {
    pad.buttonCount = kSnesButtonCount;
  }
  TickSnapshot snapshot;
  int32_t tick = 0;
  for (auto _ : state) {
    ++tick;
    // A different button of each pad goes down every tick, so nothing is the same twice.
    for (size_t i = 0; i < pads.size(); ++i) {
      pads[i].raw[static_cast<size_t>(tick + static_cast<int32_t>(i)) % kSnesButtonCount] ^= 1;
    }
    snapshot.PublishPads(tick, pads);
    snapshot.PublishByte(static_cast<uint8_t>(tick));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PublishNinePadsAndAByte);

}  // namespace
}  // namespace zarvel

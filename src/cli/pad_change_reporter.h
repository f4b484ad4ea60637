#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "cli/runner_output.h"
#include "config/pad_sections.h"
#include "engine/tick_snapshot.h"
#include "pads/control_pad.h"

namespace zarvel {

// Finds every change of a pad as a tick reads it, for checking a cable without a configuration
// that types, and reports each for the runner's output, which writes it as a line: "7 pad 1 a
// down", "9 pad 1 a up", "12 pad 2 unplugged", "15 pad 2 back". Pads are numbered from 1 in
// discovery order and buttons are named as the pad's kind names them. An unplugged pad's
// buttons count as released and report nothing; once it is back, the buttons it holds are
// reported down. Before the first tick every button counts as released. Timed, each line also
// says when its tick had read the pads on the monotonic clock, so that a reader of the input
// events the change caused can tell how long the key took to arrive.
class PadChangeReporter {
 public:
  // With `timed`, every change carries the monotonic time at which its tick had read the pads.
  PadChangeReporter(RunnerOutput& output, bool timed) : output_(output), timed_(timed) {}

  // Compares the pads as `tick` left them with the tick before and reports what changed, pad
  // by pad and each pad's buttons in read order. It runs in the tick: nothing is allocated and
  // nothing waits.
  void Report(int64_t tick, std::span<const ControlPad> pads);

 private:
  RunnerOutput& output_;
  bool timed_;
  std::array<PadReading, kMaxPads> seen_{};  // Each pad as the last tick left it.
};

}  // namespace zarvel

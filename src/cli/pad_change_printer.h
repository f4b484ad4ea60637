#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <span>

#include "config/pad_sections.h"
#include "engine/tick_snapshot.h"
#include "pads/control_pad.h"

namespace zarvel {

// Writes every change of a pad as a tick reads it, one line each, for checking a cable without
// a configuration that types: "7 pad 1 a down", "9 pad 1 a up", "12 pad 2 unplugged",
// "15 pad 2 back", and every decision of a pad's gestures after its buttons' changes:
// "12 pad 1 l+r chord", "30 pad 1 a hold". Pads are numbered from 1 in discovery order and buttons
// are named as the pad's kind names them. An unplugged pad's buttons count as released and print
// nothing; once it is back, the buttons it holds are reported down. Before the first tick every
// button counts as released.
class PadChangePrinter {
 public:
  explicit PadChangePrinter(std::ostream& out) : out_(out) {}

  // Compares the pads as `tick` left them with the tick before and prints what changed, pad by
  // pad and each pad's buttons in read order. Nothing is written, and nothing allocated, when
  // nothing changed.
  void Print(int32_t tick, std::span<const ControlPad> pads);

 private:
  void PrintLine(int32_t tick, size_t pad, const char* what, const char* change);

  std::ostream& out_;
  std::array<PadReading, kMaxPads> seen_{};  // Each pad as the last tick left it.
};

}  // namespace zarvel

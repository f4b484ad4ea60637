#pragma once

#include "platform/sim/sim_game_pad.h"
#include "platform/sim/sim_parallel_port.h"

namespace zarvel::testing {

// An SNES pad on the circuit the home fixture gives [snes] (clock on pin 3, latch on pin 4,
// power on pin 5, data on pin 10), holding the buttons given, behind a simulated port that a
// fake parallel-port device answers from.
struct PadBehindDevice {
  explicit PadBehindDevice(PadInput held) : input(held) { port.Plug(pad); }

  PadInput input;
  SimParallelPort port{0x378};
  SimGamePad pad{SimPadKind::kSnes, PadCable{{3}, {4}, {5}, {10}, {}, {}},
                 [this] { return input; }};
};

// Holds one button of a pad.
inline PadInput Holding(SimButton button) {
  PadInput input;
  input.Hold(button);
  return input;
}

}  // namespace zarvel::testing

#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "platform/sim/pad_script.h"
#include "platform/sim/port_wiring.h"
#include "platform/sim/sim_game_pad.h"
#include "platform/sim/sim_interrupt_mask.h"
#include "platform/sim/sim_keyboard_controller.h"
#include "platform/sim/sim_keyboard_handler.h"
#include "platform/sim/sim_parallel_port.h"
#include "platform/sim/sim_pc.h"

namespace zarvel {

// The simulated PC with everything plugged into it, as one execution on the simulated
// hardware sees it. Both hosts (the runner and the editor) build one per execution, so the
// simulated hardware is set up in one place.
class SimMachine {
 public:
  // The PC with the keyboard and no parallel port.
  SimMachine();
  // A parallel port wired as given, its pads following the script tick by tick.
  SimMachine(const PortWiring& wiring, PadScript script);
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  // Puts a parallel port wired as given on the PC, when it has none yet, its pads following the
  // script. For a PC made without one, before the execution first reaches the port.
  void Wire(const PortWiring& wiring);

  SimPc& Pc() { return pc_; }
  SimKeyboardController& KeyboardController() { return keyboardController_; }
  SimKeyboardHandler& KeyboardHandler() { return keyboardHandler_; }
  SimInterruptMask& InterruptMask() { return interruptMask_; }

  // The pad at a position of the discovery order, 1 to 9, when one is plugged in there.
  SimGamePad* Pad(int32_t position);

  // The buttons a person holds on the pad at a position (one bit per SimButton), besides what
  // the script holds: the window's mouse presses. Any thread may call it while the execution
  // reads the pads; a position outside 1 to 9 is ignored. A button held only between two ticks
  // (a quick click) is still read as pressed by the next tick, and let go at the one after.
  void HoldByHand(int32_t position, SimButtonBits held);

 private:
  SimPc pc_;
  SimKeyboardController keyboardController_;
  SimKeyboardHandler keyboardHandler_{pc_};
  SimInterruptMask interruptMask_;
  PadScript script_;
  // The hand on one pad. `held` and `tapped` are written by whoever holds the buttons; the rest
  // only by the execution's reads.
  struct Hand {
    std::atomic<SimButtonBits> held{0};
    std::atomic<SimButtonBits> tapped{0};  // Every button held since the reads last showed it.
    SimButtonBits tapsShown = 0;           // The taps the reads of `tapTick` show.
    int64_t tapTick = -1;                  // The tick whose reads show them; -1 for none.
  };
  // What the hand holds as a read at the tick the PC is in sees it.
  SimButtonBits HeldByHand(Hand& hand);

  std::array<Hand, kMaxPads> hands_{};
  std::optional<SimParallelPort> parallelPort_;
  std::vector<std::pair<int32_t, std::unique_ptr<SimGamePad>>> pads_;
};

}  // namespace zarvel

#pragma once

#include "platform/sim/sim_interrupt_mask.h"
#include "platform/sim/sim_keyboard_controller.h"
#include "platform/sim/sim_keyboard_handler.h"
#include "platform/sim/sim_pc.h"

namespace zarvel {

// The simulated PC with everything plugged into it, as one execution on the simulated
// hardware sees it. Both hosts (the runner and the editor) build one per execution, so the
// simulated hardware is set up in one place.
class SimMachine {
 public:
  SimMachine() {
    keyboardController_.ConnectHost(keyboardHandler_);
    pc_.Attach(keyboardController_);
    pc_.Attach(interruptMask_);
  }
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  SimPc& Pc() { return pc_; }
  SimKeyboardController& KeyboardController() { return keyboardController_; }
  SimKeyboardHandler& KeyboardHandler() { return keyboardHandler_; }
  SimInterruptMask& InterruptMask() { return interruptMask_; }

 private:
  SimPc pc_;
  SimKeyboardController keyboardController_;
  SimKeyboardHandler keyboardHandler_{pc_};
  SimInterruptMask interruptMask_;
};

}  // namespace zarvel

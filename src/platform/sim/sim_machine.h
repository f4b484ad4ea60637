#pragma once

#include "platform/sim/sim_pc.h"

namespace zarvel {

// The simulated PC with everything plugged into it, as one execution on the simulated
// hardware sees it. Both hosts (the runner and the editor) build one per execution, so the
// simulated hardware is set up in one place.
class SimMachine {
 public:
  SimMachine() = default;
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  SimPc& Pc() { return pc_; }

 private:
  SimPc pc_;
};

}  // namespace zarvel

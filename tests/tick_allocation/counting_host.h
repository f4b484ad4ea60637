#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/execution_host.h"
#include "engine/run_block.h"
#include "platform/sim/sim_pc.h"
#include "tick_allocation/counting_allocator.h"

namespace zarvel::testing {

// Runs the execution's own tick loop for a given number of ticks and counts the allocations
// made between the start of each tick and the sleep after it. The hardware is the deriving
// test's: it says which port the execution drives and which simulated PC follows the ticks.
class CountingHost : public ExecutionHost {
 public:
  CountingHost(RunBlock& runBlock, int32_t ticks) : runBlock_(runBlock), ticksLeft_(ticks) {}

  void TickStarts(int32_t tick) override {
    TickingPc().SetTick(tick);
    CountAllocations(true);
  }
  void SleepMs(int32_t) override {
    CountAllocations(false);
    if (--ticksLeft_ == 0) {
      runBlock_.running = 0;
    }
  }
  void ShowBadThing(const std::string& message) override {
    CountAllocations(false);
    failures.push_back(message);
  }
  void EndProcess(const std::string& message) override {
    CountAllocations(false);
    failures.push_back(message);
  }

  std::vector<std::string> failures;

 protected:
  virtual SimPc& TickingPc() = 0;

 private:
  RunBlock& runBlock_;
  int32_t ticksLeft_;
};

}  // namespace zarvel::testing

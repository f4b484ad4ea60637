#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/execution_host.h"
#include "engine/run_block.h"
#include "engine/tick_snapshot.h"
#include "platform/sim/sim_pc.h"
#include "tick_allocation/counting_allocator.h"

namespace zarvel::testing {

// Runs the execution's own tick loop for a given number of ticks and counts the allocations
// made between the start of each tick and the sleep after it. The hardware is the deriving
// test's: it says which port the execution drives and which simulated PC follows the ticks.
class CountingHost : public ExecutionHost {
 public:
  CountingHost(RunBlock& runBlock, int32_t ticks) : runBlock_(runBlock), ticksLeft_(ticks) {}

  void TickStarts(int64_t tick) override {
    tick_ = tick;
    TickingPc().SetTick(tick);
    CountAllocations(true);
  }
  // The tick publishes to a window that looks on, as the editor's host has it do.
  void PadsProcessed(std::span<const ControlPad> pads) override {
    snapshot.PublishPads(tick_, pads);
  }
  void KeySent(uint8_t byte) override { snapshot.PublishByte(byte); }
  void SleepMs(int32_t) override {
    CountAllocations(false);
    if (--ticksLeft_ == 0) {
      runBlock_.running = 0;
    }
  }
  void ShowBadThing(const BadThing& stop) override {
    CountAllocations(false);
    failures.push_back(stop.what());
  }
  void EndProcess(const ProcessEndingStop& stop) override {
    CountAllocations(false);
    failures.push_back(stop.what());
  }

  std::vector<std::string> failures;
  TickSnapshot snapshot;

 protected:
  virtual SimPc& TickingPc() = 0;

 private:
  RunBlock& runBlock_;
  int32_t ticksLeft_;
  int64_t tick_ = 0;
};

}  // namespace zarvel::testing

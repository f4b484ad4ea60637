#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/runner_host.h"
#include "engine/process_state.h"
#include "inject/key_queue.h"

namespace zarvel::testing {

// The runner's host on given hardware, with scan-code bytes pushed into the key queue at the
// start of chosen ticks, as the pads' button processing pushes them. `onTick` is told the start
// of every tick, before the push.
class KeyPushingHost : public RunnerHost {
 public:
  KeyPushingHost(RunBlock& runBlock, std::ostream& out, std::ostream& err, ProcessState& state,
                 int64_t tickLimit, std::unique_ptr<ExecutionHardware> hardware,
                 std::multimap<int32_t, uint8_t> pushes, bool fast = true)
      : RunnerHost(runBlock, out, err, tickLimit, fast, false, std::move(hardware)),
        state_(state),
        pushes_(std::move(pushes)) {}

  void TickStarts(int64_t tick) override {
    RunnerHost::TickStarts(tick);
    if (onTick) {
      onTick(tick);
    }
    const auto [first, last] = pushes_.equal_range(tick);
    for (auto push = first; push != last; ++push) {
      state_.keyQueue.Push(push->second);
    }
  }

  std::function<void(int32_t tick)> onTick;

 private:
  ProcessState& state_;
  std::multimap<int32_t, uint8_t> pushes_;
};

}  // namespace zarvel::testing

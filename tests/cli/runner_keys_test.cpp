#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "cli/runner_host.h"
#include "engine/execution_thread.h"
#include "inject/key_queue.h"
#include "support/home_fixture.h"
#include "support/key_pushing_host.h"
#include "support/quiet_buttons.h"
#include "support/simulated_hardware.h"

namespace zarvel {
namespace {

// The runner's host, with bytes pushed into the key queue at the start of chosen ticks, as the
// pads' button processing will push them.
class PushingHost : public RunnerHost {
 public:
  PushingHost(RunBlock& runBlock, std::ostream& out, std::ostream& err, ProcessState& state,
              std::map<int32_t, uint8_t> pushes)
      : RunnerHost(runBlock, out, err, 4, true, false,
                   testing::SimulatedHardware(runBlock.homeDir)),
        state_(state),
        pushes_(std::move(pushes)) {}

  void TickStarts(int64_t tick) override {
    RunnerHost::TickStarts(tick);
    if (const auto push = pushes_.find(tick); push != pushes_.end()) {
      state_.keyQueue.Push(push->second);
    }
  }

 private:
  ProcessState& state_;
  std::map<int32_t, uint8_t> pushes_;
};

TEST(RunnerKeys, EveryMethodDeliversAPushedByteInTheSameTick) {
  for (const char* method : {"old", "NEW", "newest"}) {
    testing::HomeFixture fixture;
    RunBlock runBlock;
    runBlock.path = fixture.Document(std::string("[config]\nKeySimMethod = ") + method +
                                     "\n[snes]\n" + testing::kQuietButtons.data());
    runBlock.homeDir = fixture.home;
    runBlock.running = 1;
    runBlock.finished = 0;

    ProcessState state;
    std::ostringstream out;
    std::ostringstream err;
    PushingHost host(runBlock, out, err, state, {{2, 0x1E}, {3, 0xE0}, {4, 0x48}});
    ExecutionThread(runBlock, state, host);

    EXPECT_EQ(err.str(), "") << method;
    EXPECT_EQ(host.Ending(), RunnerEnding::kNormal) << method;
    // The execution ends with both keys down: they go up in the slots after the last tick,
    // the last pressed first.
    EXPECT_EQ(out.str(),
              "2 1E a pressed\n3 E0 prefix\n4 48 up pressed\n"
              "5 E0 prefix\n6 C8 up released\n7 9E a released\n")
        << method;
  }
}

TEST(RunnerKeys, AnEndingExecutionFinishesTheScanCodeUnderWayAndDropsKeysNeverDown) {
  testing::HomeFixture fixture;
  RunBlock runBlock;
  runBlock.path = fixture.Document("[snes]\n" + std::string(testing::kQuietButtons));
  runBlock.homeDir = fixture.home;
  runBlock.running = 1;
  runBlock.finished = 0;
  ProcessState state;
  std::ostringstream out;
  std::ostringstream err;
  // Up's two bytes and a's one are queued in the last tick, which sends only up's prefix.
  testing::KeyPushingHost host(runBlock, out, err, state, 4,
                               testing::SimulatedHardware(runBlock.homeDir),
                               {{4, 0xE0}, {4, 0x48}, {4, 0x1E}});
  ExecutionThread(runBlock, state, host);
  EXPECT_EQ(out.str(), "4 E0 prefix\n5 48 up pressed\n6 E0 prefix\n7 C8 up released\n");
}

}  // namespace
}  // namespace zarvel

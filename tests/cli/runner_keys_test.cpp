#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "cli/runner.h"
#include "cli/runner_host.h"
#include "engine/execution_thread.h"
#include "inject/key_queue.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

std::string GlobalSettings(const std::string& method) {
  return "[config]\n"
         "InternalPower = false\n"
         "Port = 378\n"
         "KeyQueueSize = 16\n"
         "8042Addr = 1f\n"
         "TickFreq = 1000\n"
         "KeySimMethod = " +
         method + "\n";
}

// The runner's host, with bytes pushed into the key queue at the start of chosen ticks, as the
// pads' button processing will push them.
class PushingHost : public RunnerHost {
 public:
  PushingHost(RunBlock& runBlock, std::ostream& out, std::ostream& err, ProcessState& state,
              std::map<int32_t, uint8_t> pushes)
      : RunnerHost(runBlock, out, err, 4, true, false), state_(state), pushes_(std::move(pushes)) {}

  void TickStarts(int32_t tick) override {
    RunnerHost::TickStarts(tick);
    if (const auto push = pushes_.find(tick); push != pushes_.end()) {
      PushKey(state_.keyQueue, push->second);
    }
  }

 private:
  ProcessState& state_;
  std::map<int32_t, uint8_t> pushes_;
};

TEST(RunnerKeys, EveryMethodDeliversAPushedByteInTheSameTick) {
  for (const char* method : {"old", "NEW", "newest"}) {
    testing::TempDir dir;
    dir.Write("home/zarvel.ini", GlobalSettings(method));
    dir.Write("home/circuits.ini", "[snes 1]\n");
    dir.Write("home/keys.cfg", "1e 9e a\n");
    RunBlock runBlock;
    runBlock.path = dir.Write("pads.ini", "[config]\n");
    runBlock.homeDir = dir.Slash() + "home/";
    runBlock.running = 1;
    runBlock.finished = 0;

    ProcessState state;
    std::ostringstream out;
    std::ostringstream err;
    PushingHost host(runBlock, out, err, state, {{2, 0x1E}, {3, 0xE0}, {4, 0x48}});
    ExecutionThread(runBlock, state, host);

    EXPECT_EQ(err.str(), "") << method;
    EXPECT_EQ(host.Ending(), RunnerEnding::kNormal) << method;
    EXPECT_EQ(out.str(), "2 1E a pressed\n3 E0 prefix\n4 48 up pressed\n") << method;
  }
}

TEST(RunnerKeys, DefaultHomeLoadsAndPrintsNothingWithoutKeys) {
  testing::TempDir dir;
  const std::string document = dir.Write("pads.ini", "[config]\n");
  RunnerOptions options;
  options.configPath = document;
  options.home = dir.Slash() + "home";
  options.tickLimit = 3;
  options.fast = true;

  const std::filesystem::path before = std::filesystem::current_path();
  ProcessState state;
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunConfiguration(options, state, out, err, nullptr);
  std::filesystem::current_path(before);

  EXPECT_EQ(status, kExitNormal) << err.str();
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(state.keyQueue.size, 256);
}

}  // namespace
}  // namespace zarvel

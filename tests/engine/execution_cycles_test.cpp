// Execute and Stop, again and again, on real threads, as a user at the editor does it: the run
// block's flags are the whole hand-over between the two threads, so these cycles are what the
// thread sanitizer build watches for races.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>

#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "platform/execution_host.h"
#include "platform/thread_services.h"
#include "support/home_fixture.h"
#include "support/idle_port.h"
#include "support/quiet_buttons.h"

namespace zarvel {
namespace {

// Ticks as fast as it can and counts what the execution tells it.
class CyclingHost : public ExecutionHost {
 public:
  PortIo& Port() override { return port_; }
  void SleepMs(int32_t) override { YieldProcessor(); }
  void TickStarts(int32_t) override { ++ticks; }
  void ShowBadThing(const std::string&) override { ++badThings; }
  void EndProcess(const std::string&) override { ++processStops; }

  std::atomic<int64_t> ticks{0};  // Read by the stopping thread while the execution ticks.
  int badThings = 0;
  int processStops = 0;

 private:
  testing::IdlePort port_;
};

// What the frame does: start an execution with the run block, and stop it by clearing
// `running` and waiting for `finished`.
std::thread Execute(RunBlock& runBlock, ProcessState& state, CyclingHost& host,
                    const std::string& document) {
  runBlock.path = document;
  runBlock.running = 1;
  runBlock.finished = 0;
  std::optional<std::thread> thread = StartThread([&] { ExecutionThread(runBlock, state, host); });
  return std::move(*thread);
}

void Stop(RunBlock& runBlock) {
  if (runBlock.finished != 0) {
    return;
  }
  runBlock.running = 0;
  while (runBlock.finished == 0) {
    YieldProcessor();
  }
}

TEST(ExecutionCycles, HundredsOfExecuteAndStopCyclesEachEndCleanly) {
  testing::HomeFixture fixture;
  const std::string good =
      fixture.Document("[config]\nTickFreq = 1000\n[snes]\n" + std::string(testing::kQuietButtons));
  const std::string bad = fixture.Document("[config]\nTickFreq = 0\n[snes]\n", "bad.ini");

  RunBlock runBlock;
  runBlock.homeDir = fixture.home;
  ProcessState state;  // One record for the life of the "frame", as the hosts keep it.
  std::mt19937 random(7);
  constexpr int kCycles = 300;
  int64_t ticks = 0;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    CyclingHost host;
    const bool failing = cycle % 10 == 9;
    std::thread thread = Execute(runBlock, state, host, failing ? bad : good);
    // Stop at once, during the configuration, or a little into the ticks; every fifth good
    // execution is left to tick at least once, however slow the build makes the configuration.
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 1500));
    if (!failing && cycle % 5 == 0) {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (host.ticks == 0 && std::chrono::steady_clock::now() < deadline) {
        YieldProcessor();
      }
    }
    Stop(runBlock);
    thread.join();
    EXPECT_EQ(runBlock.finished, 1);
    EXPECT_EQ(host.badThings, failing ? 1 : 0) << "cycle " << cycle;
    EXPECT_EQ(host.processStops, 0);
    ticks += host.ticks;
  }
  EXPECT_GT(ticks, 0);
}

TEST(ExecutionCycles, ExecuteWhileRunningStopsTheFirstBeforeTheSecondStarts) {
  testing::HomeFixture fixture;
  const std::string document =
      fixture.Document("[config]\nTickFreq = 1000\n[snes]\n" + std::string(testing::kQuietButtons));
  RunBlock runBlock;
  runBlock.homeDir = fixture.home;
  ProcessState state;
  CyclingHost first;
  std::thread running = Execute(runBlock, state, first, document);
  for (int restart = 0; restart < 50; ++restart) {
    Stop(runBlock);  // The Execute command stops the running execution first...
    running.join();
    CyclingHost next;  // ...then starts the next with the same run block.
    running = Execute(runBlock, state, next, document);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    Stop(runBlock);
    running.join();
    running = Execute(runBlock, state, first, document);
  }
  Stop(runBlock);
  running.join();
  EXPECT_EQ(runBlock.finished, 1);
  EXPECT_EQ(first.badThings, 0);
}

}  // namespace
}  // namespace zarvel
